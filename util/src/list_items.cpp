// Taking the first item off a blank-separated list of names, plain or in double quotes.
#include <cstring>
#include <string>

#include "jov_strings.h"
#include "text_chars.h"

namespace {

using jovutil::IsBlank;

// The plain form: the run of non-blank characters, then the blanks after it and one ','
// behind those blanks. A ',' that ends the run itself is that separator, not part of the name.
void TakePlainItem(char* item, char* list) {
  std::size_t end = 0;
  while (list[end] && !IsBlank(list[end])) ++end;
  std::size_t itemLength = end;
  std::size_t cut = end;
  if (itemLength > 1 && list[itemLength - 1] == ',') {
    --itemLength;
  } else {
    while (IsBlank(list[cut])) ++cut;
    if (list[cut] == ',') ++cut;
  }
  std::string taken(list, itemLength);
  jovutil::EraseChars(list, 0, cut);
  jovutil::CopyBounded(item, taken);
  Trim(item);
}

}  // namespace

extern "C" {

void GetAndRemoveFirst(char* item, char* list) {
  if (!item) return;
  item[0] = '\0';
  if (!list) return;
  TrimL(list);
  if (list[0]) TakePlainItem(item, list);
  TrimL(list);
}

void GetAndRemoveFirstQuoted(char* item, char* list) {
  if (!item) return;
  item[0] = '\0';
  if (!list) return;
  TrimL(list);
  if (list[0] == '"') {
    const char* closing = std::strchr(list + 1, '"');
    if (closing) {
      const std::size_t close = static_cast<std::size_t>(closing - list);
      std::string taken(list + 1, close - 1);
      jovutil::EraseChars(list, 0, close + 1);
      jovutil::CopyBounded(item, taken);
    } else {
      jovutil::CopyBounded(item, list);
      list[0] = '\0';
    }
    Trim(item);
  } else if (list[0]) {
    TakePlainItem(item, list);
  }
  Trim(list);
}

}  // extern "C"

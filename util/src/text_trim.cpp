// Trimming blanks and quotes, the trailing directory separator, and the character search.
#include <cstring>

#include "jov_strings.h"
#include "path_separators.h"
#include "text_chars.h"

using jovutil::IsBlank;

extern "C" {

void TrimL(char* text) {
  if (!text) return;
  std::size_t lead = 0;
  while (IsBlank(text[lead])) ++lead;
  if (lead) jovutil::EraseChars(text, 0, lead);
}

void Trim(char* text) {
  if (!text) return;
  TrimL(text);
  std::size_t length = std::strlen(text);
  while (length && IsBlank(text[length - 1])) --length;
  text[length] = '\0';
}

void TrimAscii(char* text) { Trim(text); }

void RemoveQuotes(char* text) {
  if (!text) return;
  Trim(text);
  const std::size_t length = std::strlen(text);
  if (length >= 2 && text[0] == '"' && text[length - 1] == '"') {
    text[length - 1] = '\0';
    jovutil::EraseChars(text, 0, 1);
  }
}

void AddBackslash(char* path) {
  if (!path) return;
  Trim(path);
  const std::size_t length = std::strlen(path);
  if (length == 0 || length + 1 >= JOV_TEXT_SIZE) return;
  const char last = path[length - 1];
  if (last == ':' || jovutil::IsDirSeparator(last)) return;
  path[length] = jovutil::kDirSeparator;
  path[length + 1] = '\0';
}

char* findchar(const char* text, int character) {
  if (!text) return nullptr;
  return const_cast<char*>(std::strchr(text, character));
}

}  // extern "C"

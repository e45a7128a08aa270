// Temporary file names: a directory text followed by "PREFIXxx.AAA" built from a number.
#include <string>

#include "jov_strings.h"
#include "text_chars.h"

extern "C" char* GetTempName(char* name, const char* directory, const char* prefix, uint32_t number) {
  if (!name) return name;
  char piece[12];
  for (int k = 0; k < 12; ++k) {
    const uint32_t group = k < 8 ? (number >> (4 * k)) & 15u : 0u;
    piece[k] = static_cast<char>('A' + group);
  }
  for (int k = 0; k < 8 && prefix && prefix[k]; ++k) piece[k] = prefix[k];
  piece[8] = '.';
  std::string result = directory ? directory : "";
  result.append(piece, sizeof piece);
  jovutil::CopyBounded(name, result);
  return name;
}

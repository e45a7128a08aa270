// Decimal numbers written and read: u32toa, atou32, CommaNum.
#include <string>

#include "decimal_reader.h"
#include "jov_strings.h"
#include "text_chars.h"

namespace jovutil {

uint32_t ReadSignedDecimal(const char* text, const char** end) {
  const char* p = text;
  // The standard reader's white space: space, tab, line feed, vertical tab, form feed, return.
  while (*p == ' ' || (*p >= '\t' && *p <= '\r')) ++p;
  bool negative = false;
  if (*p == '-' || *p == '+') negative = *p++ == '-';
  uint32_t value = 0;
  while (IsDigit(*p)) value = value * 10u + static_cast<uint32_t>(*p++ - '0');
  if (end) *end = p;
  return negative ? 0u - value : value;
}

}  // namespace jovutil

extern "C" {

char* u32toa(char* text, uint32_t value) {
  if (!text) return nullptr;
  const bool negative = value >= 0x80000000u;
  uint32_t magnitude = negative ? 0u - value : value;
  char digits[10];
  int count = 0;
  do {
    digits[count++] = static_cast<char>('0' + magnitude % 10u);
    magnitude /= 10u;
  } while (magnitude);
  char* out = text;
  if (negative) *out++ = '-';
  while (count) *out++ = digits[--count];
  *out = '\0';
  return out;
}

uint32_t atou32(const char* text) { return text ? jovutil::ReadSignedDecimal(text) : 0; }

void CommaNum(char* text, uint32_t value) {
  if (!text) return;
  const std::string digits = std::to_string(value);
  char* out = text;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i && (digits.size() - i) % 3 == 0) *out++ = ',';
    *out++ = digits[i];
  }
  *out = '\0';
}

}  // extern "C"

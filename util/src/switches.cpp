// Reading and removing one switch: bare, with a number, with a fraction, with a text value.
#include <string>

#include "decimal_reader.h"
#include "jov_strings.h"
#include "switch_scan.h"
#include "text_chars.h"

namespace {

using jovutil::IsDigit;
using jovutil::kNoSwitch;

// The first switch with `letter` whose character after the letter passes `accepts`.
template <typename Accepts>
std::size_t FindSwitchWith(const char* cmdline, char letter, Accepts&& accepts) {
  std::size_t found = kNoSwitch;
  jovutil::ForEachSwitch(cmdline, [&](std::size_t at) {
    if (jovutil::ToUpperAscii(cmdline[at + 1]) == letter && accepts(cmdline + at + 2)) {
      found = at;
      return kNoSwitch;
    }
    return jovutil::SwitchValueEnd(cmdline, at);
  });
  return found;
}

bool StartsNumber(const char* value) {
  return IsDigit(value[0]) || (value[0] == '-' && IsDigit(value[1]));
}

}  // namespace

extern "C" {

int GetSwitch(char* cmdline, char letter) {
  if (!cmdline) return 0;
  // Bare: followed by '/' or by a code of 47 or less as a signed byte (blank, end, punctuation).
  const std::size_t at = FindSwitchWith(cmdline, letter, [](const char* value) {
    return value[0] == '/' || static_cast<signed char>(value[0]) <= 47;
  });
  if (at == kNoSwitch) return 0;
  jovutil::EraseChars(cmdline, at, 2);
  return 1;
}

int32_t GetSwitchNum(char* cmdline, char letter, int32_t defaultValue) {
  if (!cmdline) return defaultValue;
  const std::size_t at = FindSwitchWith(cmdline, letter, StartsNumber);
  if (at == kNoSwitch) return defaultValue;
  const char* end = nullptr;
  const uint32_t value = jovutil::ReadSignedDecimal(cmdline + at + 2, &end);
  jovutil::EraseChars(cmdline, at, static_cast<std::size_t>(end - (cmdline + at)));
  return static_cast<int32_t>(value);
}

int GetSwitchFractional(char* cmdline, char letter, int32_t* numerator, int32_t* denominator,
                        int32_t defaultNumerator, int32_t defaultDenominator) {
  const std::size_t at = cmdline ? FindSwitchWith(cmdline, letter, StartsNumber) : kNoSwitch;
  if (at == kNoSwitch) {
    if (numerator) *numerator = defaultNumerator;
    if (denominator) *denominator = defaultDenominator;
    return 0;
  }
  int32_t n = 0;
  int32_t d = 1;
  const char* end = atofr(cmdline + at + 2, &n, &d);
  jovutil::EraseChars(cmdline, at, static_cast<std::size_t>(end - (cmdline + at)));
  if (numerator) *numerator = n;
  if (denominator) *denominator = d;
  return 1;
}

int GetSwitchStr(char* cmdline, char letter, char* value, const char* defaultText) {
  const std::size_t at = cmdline ? FindSwitchWith(cmdline, letter, [](const char* v) {
    return v[0] != '\0' && !jovutil::IsBlank(v[0]);
  }) : kNoSwitch;
  if (at == kNoSwitch) {
    if (value) jovutil::CopyBounded(value, defaultText ? defaultText : "");
    return 0;
  }
  const std::size_t end = jovutil::SwitchValueEnd(cmdline, at);
  std::string text(cmdline + at + 2, end - at - 2);
  if (!text.empty() && text.front() == '"') {
    text.erase(0, 1);
    if (!text.empty() && text.back() == '"') text.pop_back();
  }
  jovutil::EraseChars(cmdline, at, end - at);
  if (value) jovutil::CopyBounded(value, text);
  return 1;
}

char* FindSwitch(char* cmdline) {
  const std::size_t at = jovutil::NextSwitch(cmdline, 0);
  return at == kNoSwitch ? nullptr : cmdline + at;
}

}  // extern "C"

// A duration in words: "1 millisecond", "3 seconds", "1 minute 1 second", "2 hours 1 minute".
#include <cstring>
#include <string>

#include "jov_strings.h"

namespace {

// "<count> <unit>" with "s" for plural; `between` adds the blank that separates two parts.
void AppendCount(std::string& out, uint32_t count, const char* unit, bool between) {
  out += std::to_string(count);
  out += unit;
  if (between) {
    out += count == 1 ? " " : "s ";
  } else if (count != 1) {
    out += "s";
  }
}

}  // namespace

extern "C" char* GetElapsedTime(char* text, uint32_t milliseconds) {
  if (!text) return text;
  const uint32_t n = milliseconds;
  std::string out;
  if (n < 1000) {
    AppendCount(out, n, " millisecond", false);
  } else if (n < 60000) {
    AppendCount(out, n / 1000, " second", false);
  } else if (n < 3600000) {
    AppendCount(out, n / 60000, " minute", true);
    AppendCount(out, n % 60000 / 1000, " second", false);
  } else {
    AppendCount(out, n / 3600000, " hour", true);
    AppendCount(out, n % 3600000 / 60000, " minute", false);
  }
  std::memcpy(text, out.c_str(), out.size() + 1);
  return text;
}

// Cancelling switches: a later /-X removes the earlier /X settings and itself.
#include "jov_strings.h"
#include "switch_scan.h"
#include "text_chars.h"

namespace {

using jovutil::kNoSwitch;
using jovutil::ToUpperAscii;

// Removes every switch with `letter` (its value too) that starts before `limit`; returns how
// many characters went.
std::size_t RemoveEarlier(char* cmdline, char letter, std::size_t limit) {
  std::size_t removed = 0;
  jovutil::ForEachSwitch(cmdline, [&](std::size_t at) {
    if (at >= limit - removed) return kNoSwitch;
    const std::size_t end = jovutil::SwitchValueEnd(cmdline, at);
    if (ToUpperAscii(cmdline[at + 1]) != letter) return end;
    jovutil::EraseChars(cmdline, at, end - at);
    removed += end - at;
    return at;
  });
  return removed;
}

}  // namespace

extern "C" {

void RemoveMinusSwitches(char* cmdline) {
  if (!cmdline) return;
  jovutil::ForEachSwitch(cmdline, [&](std::size_t at) {
    if (cmdline[at + 1] != '-') return jovutil::SwitchValueEnd(cmdline, at);
    const char letter = cmdline[at + 2];
    if (letter == '\0') {
      cmdline[at] = '\0';
      return kNoSwitch;
    }
    at -= RemoveEarlier(cmdline, ToUpperAscii(letter), at);
    jovutil::EraseChars(cmdline, at, 3);
    return at;
  });
}

}  // extern "C"

// Where the switches of a command line are: the one rule that tells a switch from a file name.
#pragma once

#include <cstddef>

namespace jovutil {

constexpr std::size_t kNoSwitch = static_cast<std::size_t>(-1);

// True when a switch starts at `at`. A switch is '/' or '-' followed by its letter (any
// character but a blank, the terminator, '/' or '"'), and
//  - it starts a blank-separated word (first in the text or after a blank);
//  - the word holds no further '/' after its first character, up to its first double quote
//    (a quoted value behind the letter may hold paths), so "/home/me/a.qor" is a file name;
//  - the whole word (up to the next blank) is not the name of an existing file, so "-x.qor"
//    is a file name when such a file exists.
// Text in double quotes that starts a word is a quoted name and holds no switches.
bool IsSwitchAt(const char* cmdline, std::size_t at);

// Position of the first switch at or after `from`, or kNoSwitch.
std::size_t NextSwitch(const char* cmdline, std::size_t from);

// End of the value of the switch at `at`: a value starting with '"' runs through the closing
// quote (or to the end); a plain one runs to the first blank or '/'.
std::size_t SwitchValueEnd(const char* cmdline, std::size_t at);

// Loops over the switches in order; `visit(position)` returns where to go on searching from,
// or kNoSwitch to stop.
template <typename Visit>
void ForEachSwitch(const char* cmdline, Visit&& visit) {
  for (std::size_t at = NextSwitch(cmdline, 0); at != kNoSwitch;) {
    const std::size_t next = visit(at);
    if (next == kNoSwitch) return;
    at = NextSwitch(cmdline, next);
  }
}

}  // namespace jovutil

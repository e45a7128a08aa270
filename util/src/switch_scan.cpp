// The switch-or-file-name rule and the walk over a command line's words.
#include "switch_scan.h"

#include <cstring>
#include <string>

#include "file_system.h"
#include "text_chars.h"

namespace jovutil {
namespace {

bool StartsWord(const char* text, std::size_t at) { return at == 0 || IsBlank(text[at - 1]); }

std::size_t WordEnd(const char* text, std::size_t at) {
  while (text[at] && !IsBlank(text[at])) ++at;
  return at;
}

// Past the closing quote of a quoted text that opens at `quote`, or the end of the text.
std::size_t PastQuoted(const char* text, std::size_t quote) {
  const char* closing = std::strchr(text + quote + 1, '"');
  return closing ? static_cast<std::size_t>(closing - text) + 1 : std::strlen(text);
}

}  // namespace

bool IsSwitchAt(const char* cmdline, std::size_t at) {
  const char intro = cmdline[at];
  if ((intro != '/' && intro != '-') || !StartsWord(cmdline, at)) return false;
  const char letter = cmdline[at + 1];
  if (letter == '\0' || IsBlank(letter) || letter == '/' || letter == '"') return false;
  for (std::size_t i = at + 1; cmdline[i] && !IsBlank(cmdline[i]) && cmdline[i] != '"'; ++i) {
    if (cmdline[i] == '/') return false;
  }
  return !PathExists(std::string(cmdline + at, WordEnd(cmdline, at) - at));
}

std::size_t NextSwitch(const char* cmdline, std::size_t from) {
  if (!cmdline || from > std::strlen(cmdline)) return kNoSwitch;
  std::size_t i = from;
  while (cmdline[i]) {
    if (IsBlank(cmdline[i])) {
      ++i;
    } else if (!StartsWord(cmdline, i)) {
      i = WordEnd(cmdline, i);
    } else if (cmdline[i] == '"') {
      i = PastQuoted(cmdline, i);
    } else if (IsSwitchAt(cmdline, i)) {
      return i;
    } else {
      i = WordEnd(cmdline, i);
    }
  }
  return kNoSwitch;
}

std::size_t SwitchValueEnd(const char* cmdline, std::size_t at) {
  std::size_t i = at + 2;
  if (cmdline[i] == '"') return PastQuoted(cmdline, i);
  while (cmdline[i] && !IsBlank(cmdline[i]) && cmdline[i] != '/') ++i;
  return i;
}

}  // namespace jovutil

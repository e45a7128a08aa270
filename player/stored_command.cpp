// The stored default command line: 512 '~' after a marker, so that a packager can find the
// block in the program file and write a default command line (file names and switches) over it.
#include <cstddef>

#include "command_text.h"

namespace quorplay {
namespace {

struct StoredBlock {
  char marker[32];
  char text[512];
};

constexpr StoredBlock Filled() {
  StoredBlock b{"QUORPLAY-DEFAULT-CMDLINE", {}};
  for (char& c : b.text) c = '~';
  return b;
}

// volatile: the compiler may not fold the '~'s away; used: the block stays in the program.
[[gnu::used]] volatile StoredBlock g_stored = Filled();

}  // namespace

std::string StoredCommandLine() {
  std::string text;
  for (size_t i = 0; i < sizeof g_stored.text && g_stored.text[i] != '~' && g_stored.text[i] != '\0'; ++i)
    text += g_stored.text[i];
  return text;
}

}  // namespace quorplay

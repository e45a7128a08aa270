// Without a desktop, a message goes to the standard error stream as "caption: text".
#include <cstdio>

namespace jovutil {

void ShowPlatformErrorMessage(const char* text, const char* caption) {
  std::fprintf(stderr, "%s: %s\n", caption, text);
}

}  // namespace jovutil

#include <cstring>
#include <mutex>

#include "quor.h"

namespace {

// Longer texts are cut to fit; every message of the library is far shorter.
constexpr size_t kErrorTextSize = 256;
std::mutex g_errorMutex;
char g_errorText[kErrorTextSize];
thread_local char t_errorCopy[kErrorTextSize];

}  // namespace

extern "C" void QuorSetErrorText(const char* text) {
  std::lock_guard lock(g_errorMutex);
  if (!text) text = "";
  std::strncpy(g_errorText, text, kErrorTextSize - 1);
  g_errorText[kErrorTextSize - 1] = 0;
}

extern "C" const char* QuorErrorText(void) {
  // A copy per thread, so a reader never sees the text change under it.
  std::lock_guard lock(g_errorMutex);
  std::memcpy(t_errorCopy, g_errorText, kErrorTextSize);
  return t_errorCopy;
}

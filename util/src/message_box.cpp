// Delivers messages to the installed sink or to the platform's way of showing them.
#include "message_box.h"

#include <atomic>

namespace jovutil {

void ShowPlatformErrorMessage(const char* text, const char* caption);

namespace {
std::atomic<MessageSink> g_sink{nullptr};
}  // namespace

void SetMessageSink(MessageSink sink) { g_sink.store(sink); }

void ShowErrorMessage(const char* text, const char* caption) {
  if (const MessageSink sink = g_sink.load()) {
    sink(text, caption);
  } else {
    ShowPlatformErrorMessage(text, caption);
  }
}

}  // namespace jovutil

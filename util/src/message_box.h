// Messages for the user with a caption (a message box where there is a desktop). Tests may
// catch them instead.
#pragma once

namespace jovutil {

void ShowErrorMessage(const char* text, const char* caption);

using MessageSink = void (*)(const char* text, const char* caption);
// Sends every later message to `sink` (null: back to the user).
void SetMessageSink(MessageSink sink);

}  // namespace jovutil

// The command text: the stored default command line, the process's arguments and /!.
#pragma once

#include <array>
#include <concepts>
#include <span>
#include <string>
#include <string_view>

namespace quorplay {

inline constexpr size_t kCommandSize = 1024;  // bytes of the command buffer, terminator included

// The command buffer with room for the switch operations to work in place.
struct CommandText {
  std::array<char, kCommandSize> text{};
  char* data() { return text.data(); }
  std::string str() const { return text.data(); }
};

// The stored default command line as a packager left it: the text before its first '~'
// (at most 511 characters).
std::string StoredCommandLine();

// Joins program arguments into one line; an argument holding a blank is put in double quotes.
std::string JoinArguments(std::span<const std::string> arguments);

// Builds the command text: `stored` (cut at its first '~', at most 511 characters), then
// `arguments`; /-X cancellations applied; the first /! replaced by `quickPlay` appended at the
// end. Text beyond the buffer is cut. `quickPlay` is asked for only when /! is present.
template <std::invocable QuickPlay>
CommandText BuildCommandText(std::string_view stored, std::string_view arguments, QuickPlay&& quickPlay);

// The same with a fixed /! text.
CommandText BuildCommandText(std::string_view stored, std::string_view arguments, std::string_view quickPlay);

namespace detail {
void StartCommandText(CommandText& command, std::string_view stored, std::string_view arguments);
bool TakeQuickPlaySwitch(CommandText& command);
void Append(CommandText& command, std::string_view text);
}  // namespace detail

template <std::invocable QuickPlay>
CommandText BuildCommandText(std::string_view stored, std::string_view arguments, QuickPlay&& quickPlay) {
  CommandText command;
  detail::StartCommandText(command, stored, arguments);
  if (detail::TakeQuickPlaySwitch(command)) detail::Append(command, quickPlay());
  return command;
}

}  // namespace quorplay

// Building the command text.
#include "command_text.h"

#include <cstring>

#include "jov_strings.h"

namespace quorplay {

std::string JoinArguments(std::span<const std::string> arguments) {
  std::string line;
  for (const std::string& a : arguments) {
    if (!line.empty()) line += ' ';
    const bool blank = a.empty() || a.find_first_of(" \t") != std::string::npos;
    line += blank && a.find('"') == std::string::npos ? '"' + a + '"' : a;
  }
  return line;
}

namespace detail {

void Append(CommandText& command, std::string_view text) {
  const size_t used = std::strlen(command.data());
  const size_t room = kCommandSize - 1 - used;
  const size_t take = text.size() < room ? text.size() : room;
  std::memcpy(command.data() + used, text.data(), take);
  command.text[used + take] = '\0';
}

void StartCommandText(CommandText& command, std::string_view stored, std::string_view arguments) {
  stored = stored.substr(0, stored.find('~'));
  if (stored.size() > 511) stored = stored.substr(0, 511);
  command.text[0] = '\0';
  Append(command, stored);
  // A blank keeps the stored text and the first argument apart.
  if (!stored.empty() && !arguments.empty()) Append(command, " ");
  Append(command, arguments);
  RemoveMinusSwitches(command.data());
}

bool TakeQuickPlaySwitch(CommandText& command) { return GetSwitch(command.data(), '!') != 0; }

}  // namespace detail

CommandText BuildCommandText(std::string_view stored, std::string_view arguments, std::string_view quickPlay) {
  return BuildCommandText(stored, arguments, [&] { return quickPlay; });
}

}  // namespace quorplay

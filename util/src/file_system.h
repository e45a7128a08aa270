// The few questions the name operations ask the file system, behind functions of our own.
#pragma once

#include <optional>
#include <string>

namespace jovutil {

// True when something (file, directory, ...) exists under this name.
bool PathExists(const std::string& path);
// True when the name is a directory that may be entered.
bool CanEnterDirectory(const std::string& path);
// Makes the directory the process's current one; true on success.
bool EnterDirectory(const std::string& path);
// The process's current directory, without a trailing separator unless it is a root.
std::optional<std::string> CurrentDirectory();

}  // namespace jovutil

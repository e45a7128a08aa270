// File-system questions answered with POSIX calls.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "file_system.h"

namespace jovutil {

bool PathExists(const std::string& path) {
  struct stat info {};
  return !path.empty() && ::stat(path.c_str(), &info) == 0;
}

bool CanEnterDirectory(const std::string& path) {
  struct stat info {};
  return !path.empty() && ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
         ::access(path.c_str(), X_OK) == 0;
}

bool EnterDirectory(const std::string& path) { return !path.empty() && ::chdir(path.c_str()) == 0; }

std::optional<std::string> CurrentDirectory() {
  std::vector<char> buffer(1024);
  while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
    if (errno != ERANGE || buffer.size() > (1u << 20)) return std::nullopt;
    buffer.resize(buffer.size() * 2);
  }
  return std::string(buffer.data());
}

}  // namespace jovutil

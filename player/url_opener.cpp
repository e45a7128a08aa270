#include "url_opener.h"

#include <spawn.h>
#include <sys/wait.h>

#include <thread>

extern char** environ;

namespace quorplay {

bool OpenUrl(const std::string& url) {
  std::string program = "xdg-open";
  std::string address = url;
  char* argv[] = {program.data(), address.data(), nullptr};
  pid_t child = 0;
  if (posix_spawnp(&child, "xdg-open", nullptr, nullptr, argv, environ) != 0) return false;
  // Reaped beside the player, which goes on at once.
  std::thread([child] {
    int status = 0;
    waitpid(child, &status, 0);
  }).detach();
  return true;
}

}  // namespace quorplay

// A child process that ends with its scope, and an X server (Xvfb) of the test's own.
#pragma once

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

namespace quortest {

// A child process that is ended (and reaped) when it goes out of scope.
class Child {
 public:
  Child(std::vector<std::string> argv, const std::vector<std::string>& env) {
    std::vector<char*> args, vars;
    for (std::string& a : argv) args.push_back(a.data());
    args.push_back(nullptr);
    std::vector<std::string> copies = env;
    for (std::string& e : copies) vars.push_back(e.data());
    vars.push_back(nullptr);
    if (posix_spawn(&pid_, args[0], nullptr, nullptr, args.data(), vars.data()) != 0) pid_ = -1;
  }
  ~Child() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    for (int i = 0; i < 100 && !exited(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(20));
    if (!exited()) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
  }
  bool running() { return pid_ > 0 && !exited(); }

 private:
  bool exited() {
    if (done_) return true;
    int status = 0;
    done_ = waitpid(pid_, &status, WNOHANG) == pid_;
    return done_;
  }
  pid_t pid_ = -1;
  bool done_ = false;
};

// Xvfb on a display number of its own with one screen of `size` ("800x600x24"), keeping the
// screen's image in an XWD file in `frameBufferFolder`.
class XvfbServer {
 public:
  XvfbServer(const std::string& size, const std::string& frameBufferFolder, int offset)
      : display_(":" + std::to_string(100 + offset + (getpid() % 200) * 3)),
        image_(frameBufferFolder + "/Xvfb_screen0"),
        server_({"/usr/bin/Xvfb", display_, "-screen", "0", size, "-fbdir", frameBufferFolder, "-nolisten", "tcp"},
                {"PATH=/usr/bin:/bin"}) {
    for (int i = 0; i < 100 && server_.running() && !std::filesystem::exists(image_); ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
  }
  static bool installed() { return access("/usr/bin/Xvfb", X_OK) == 0; }
  bool running() { return server_.running() && std::filesystem::exists(image_); }
  const std::string& display() const { return display_; }
  const std::string& image() const { return image_; }

 private:
  std::string display_, image_;
  Child server_;
};

}  // namespace quortest

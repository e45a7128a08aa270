// The user's profile: an INI file "jov.ini" in the user's configuration directory
// ($XDG_CONFIG_HOME, else ~/.config), with sections in brackets and key=value lines.
#pragma once

#include <filesystem>
#include <string>

namespace quorplay {

inline constexpr const char* kProfileSection = "Jov Video Tools";

// The profile file's path; empty when neither $XDG_CONFIG_HOME nor $HOME is set.
std::filesystem::path ProfilePath();

class Profile {
 public:
  explicit Profile(std::filesystem::path path) : path_(std::move(path)) {}
  // The value of `key` in `section`, cut to `limit` characters; `fallback` when absent.
  std::string read(const std::string& section, const std::string& key, const std::string& fallback,
                   size_t limit) const;
  // Sets `key` in `section`, keeping every other line; false when the file can't be written.
  bool write(const std::string& section, const std::string& key, const std::string& value) const;

 private:
  std::filesystem::path path_;
};

}  // namespace quorplay

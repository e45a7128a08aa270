// Reading and writing keys of the INI profile.
#include "profile.h"

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <vector>

namespace quorplay {
namespace {

std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

std::vector<std::string> Lines(const std::filesystem::path& path) {
  std::vector<std::string> lines;
  std::ifstream in(path);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The section name of a "[name]" line.
std::optional<std::string> SectionOf(const std::string& line) {
  const std::string t = Trimmed(line);
  if (t.size() < 2 || t.front() != '[' || t.back() != ']') return std::nullopt;
  return Trimmed(t.substr(1, t.size() - 2));
}

// The key of a "key=value" line (keys compare without regard to case, as profiles do).
bool IsKey(const std::string& line, const std::string& key) {
  const size_t eq = line.find('=');
  if (eq == std::string::npos) return false;
  const std::string k = Trimmed(line.substr(0, eq));
  if (k.size() != key.size()) return false;
  for (size_t i = 0; i < k.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(k[i])) != std::tolower(static_cast<unsigned char>(key[i])))
      return false;
  return true;
}

}  // namespace

std::filesystem::path ProfilePath() {
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg != nullptr && *xdg == '/')
    return std::filesystem::path(xdg) / "jov.ini";
  if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0')
    return std::filesystem::path(home) / ".config" / "jov.ini";
  return {};
}

std::string Profile::read(const std::string& section, const std::string& key, const std::string& fallback,
                          size_t limit) const {
  bool inSection = false;
  for (const std::string& line : Lines(path_)) {
    if (const auto name = SectionOf(line)) {
      inSection = *name == section;
    } else if (inSection && IsKey(line, key)) {
      return Trimmed(line.substr(line.find('=') + 1)).substr(0, limit);
    }
  }
  return fallback.substr(0, limit);
}

bool Profile::write(const std::string& section, const std::string& key, const std::string& value) const {
  if (path_.empty()) return false;
  std::vector<std::string> lines = Lines(path_);
  const std::string entry = key + "=" + value;
  bool inSection = false, done = false;
  size_t sectionEnd = lines.size();
  bool sectionFound = false;
  for (size_t i = 0; i < lines.size() && !done; ++i) {
    if (const auto name = SectionOf(lines[i])) {
      if (inSection) sectionEnd = i;
      inSection = *name == section;
      if (inSection) sectionFound = true;
    } else if (inSection && IsKey(lines[i], key)) {
      lines[i] = entry;
      done = true;
    }
  }
  if (!done) {
    if (!sectionFound) {
      lines.push_back("[" + section + "]");
      lines.push_back(entry);
    } else {
      // After the section's last non-blank line.
      size_t at = sectionEnd;
      while (at > 0 && Trimmed(lines[at - 1]).empty()) --at;
      lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), entry);
    }
  }
  std::error_code ignored;
  std::filesystem::create_directories(path_.parent_path(), ignored);
  std::ofstream out(path_, std::ios::trunc);
  for (const std::string& line : lines) out << line << '\n';
  return bool(out);
}

}  // namespace quorplay

// Making paths absolute and splitting them, on the text alone.
#include "full_path.h"

#include <vector>

#include "file_system.h"
#include "jov_strings.h"
#include "path_separators.h"

namespace jovutil {

std::optional<std::string> FullPath(std::string_view path) {
  std::string text(path);
  for (char& c : text) {
    if (IsDirSeparator(c)) c = kDirSeparator;
  }
  if (text.empty() || text.front() != kDirSeparator) {
    const std::optional<std::string> current = CurrentDirectory();
    if (!current) return std::nullopt;
    text = text.empty() ? *current : *current + kDirSeparator + text;
  }
  const bool trailing = text.back() == kDirSeparator;
  std::vector<std::string_view> parts;
  std::string_view rest(text);
  while (!rest.empty()) {
    const std::size_t cut = rest.find(kDirSeparator);
    const std::string_view part = rest.substr(0, cut);
    rest = cut == std::string_view::npos ? std::string_view() : rest.substr(cut + 1);
    if (part.empty() || part == ".") continue;
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
      continue;
    }
    parts.push_back(part);
  }
  std::string full;
  for (const std::string_view part : parts) {
    full += kDirSeparator;
    full += part;
  }
  if (full.empty() || trailing) full += kDirSeparator;
  if (full.size() >= JOV_TEXT_SIZE) return std::nullopt;
  return full;
}

PathPieces SplitPath(std::string_view path) {
  PathPieces pieces;
#ifdef _WIN32
  if (path.size() >= 2 && path[1] == ':') {
    pieces.drive = std::string(path.substr(0, 2));
    path.remove_prefix(2);
  }
#endif
  std::size_t nameStart = 0;
  for (std::size_t i = path.size(); i > 0; --i) {
    if (IsDirSeparator(path[i - 1])) {
      nameStart = i;
      break;
    }
  }
  pieces.directory = std::string(path.substr(0, nameStart));
  const std::string_view last = path.substr(nameStart);
  const std::size_t dot = last.rfind('.');
  pieces.name = std::string(last.substr(0, dot));
  if (dot != std::string_view::npos) pieces.extension = std::string(last.substr(dot));
  return pieces;
}

std::string WithoutTrailingSeparator(std::string path) {
  while (path.size() > 1 && IsDirSeparator(path.back())) {
#ifdef _WIN32
    if (path.size() == 3 && path[1] == ':') break;
#endif
    path.pop_back();
  }
  return path;
}

}  // namespace jovutil

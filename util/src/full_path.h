// Full path forms and their pieces, worked out on the text (the file need not exist).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace jovutil {

// The absolute form of `path` against the current directory: separators written as the
// platform's own, "." and ".." resolved, repeated separators merged, a trailing separator kept.
// Empty when it would not fit JOV_TEXT_SIZE or the current directory is unknown.
std::optional<std::string> FullPath(std::string_view path);

// Drive ("C:" where drives exist), directory (through the last separator), name, extension
// (from the last '.' of the last element).
struct PathPieces {
  std::string drive;
  std::string directory;
  std::string name;
  std::string extension;
};
PathPieces SplitPath(std::string_view path);

// `path` without trailing separators, a root keeping its own.
std::string WithoutTrailingSeparator(std::string path);

}  // namespace jovutil

// Directory separators: '\' everywhere, and on POSIX '/' as well (which is also what new path
// text is written with there).
#pragma once

namespace jovutil {

#ifdef _WIN32
constexpr char kDirSeparator = '\\';
constexpr bool IsDirSeparator(char c) { return c == '\\'; }
#else
constexpr char kDirSeparator = '/';
constexpr bool IsDirSeparator(char c) { return c == '\\' || c == '/'; }
#endif

}  // namespace jovutil

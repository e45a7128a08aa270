// File-name operations: extensions, full forms, drive, directory test and pieces of a path.
#include <cstring>
#include <string>

#include "file_system.h"
#include "full_path.h"
#include "jov_strings.h"
#include "path_separators.h"
#include "text_chars.h"

extern "C" {

char* HasExtension(const char* path) {
  if (!path) return nullptr;
  for (std::size_t i = std::strlen(path); i > 0; --i) {
    const char c = path[i - 1];
    if (c == '.') return const_cast<char*>(path + i - 1);
    if (c == ':' || jovutil::IsDirSeparator(c)) return nullptr;
  }
  return nullptr;
}

void ExpandFileName(char* path) {
  if (!path) return;
  if (const auto full = jovutil::FullPath(path)) jovutil::CopyBounded(path, *full);
}

char GetDrive(char* path) {
  if (!path) return '\0';
  ExpandFileName(path);
  return jovutil::ToUpperAscii(path[0]);
}

int IsDirectory(char* path, int stay) {
  if (!path) return 0;
  Trim(path);
  if (const auto full = jovutil::FullPath(path)) {
    jovutil::CopyBounded(path, jovutil::WithoutTrailingSeparator(*full));
  }
  const std::string name(path);
  if (!jovutil::CanEnterDirectory(name)) return 0;
  return stay ? jovutil::EnterDirectory(name) : 1;
}

void GetFilePieces(char* path, uint8_t keepDrive, uint8_t keepDirectory, uint8_t keepName,
                   uint8_t keepExtension) {
  if (!path) return;
  const char* first = path;
  while (jovutil::IsBlank(*first)) ++first;
  if (!*first) return;  // a blank path is left as it is
  Trim(path);
  std::string full = jovutil::FullPath(path).value_or(std::string(path));
  const std::string directory = jovutil::WithoutTrailingSeparator(full);
  if (jovutil::CanEnterDirectory(directory)) {
    full = directory;
    if (!jovutil::IsDirSeparator(full.back())) full += jovutil::kDirSeparator;
    full += "*.*";
    keepName = keepExtension = 0;
  }
  const jovutil::PathPieces pieces = jovutil::SplitPath(full);
  std::string result;
  if (keepDrive) result += pieces.drive;
  if (keepDirectory) result += pieces.directory;
  if (keepName) result += pieces.name;
  if (keepExtension) result += pieces.extension;
  jovutil::CopyBounded(path, result);
}

}  // extern "C"

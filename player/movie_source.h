// Where a named movie comes from: a file, the player's own program file (":offset") or another
// file at an offset ("file|offset").
#pragma once

#include <cstdint>
#include <string>

#include "quor.h"

namespace quorplay {

// A descriptor that closes itself.
class FileHandle {
 public:
  FileHandle() = default;
  explicit FileHandle(int fd) : fd_(fd) {}
  FileHandle(FileHandle&& other) noexcept : fd_(other.release()) {}
  FileHandle& operator=(FileHandle&& other) noexcept;
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  ~FileHandle() { reset(); }
  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  int release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
  }
  void reset();

 private:
  int fd_ = -1;
};

enum class SourceKind { kFile, kProgram, kEmbedded };

struct MovieSource {
  SourceKind kind = SourceKind::kFile;
  std::string path;      // the file to open (the name with ".qor" added when it had no extension)
  uint64_t offset = 0;   // of the movie inside the program file or the other file
};

// What a name means.
MovieSource SourceOf(const std::string& name, const std::string& programPath);

// The program's own file.
std::string ProgramPath();

struct OpenedMovie {
  QuorMovie* movie = nullptr;  // null on failure (QuorErrorText tells why)
  FileHandle file;             // the descriptor of an embedded movie, kept open while it plays
};

// Opens the movie with `flags`; for embedded movies the file is opened, positioned and passed.
OpenedMovie OpenMovie(const MovieSource& source, uint32_t flags);

}  // namespace quorplay

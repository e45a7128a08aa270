// Opening movies from files, from the program file and from other files at an offset.
#include "movie_source.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "jov_strings.h"
#include "texts.h"

namespace quorplay {

FileHandle& FileHandle::operator=(FileHandle&& other) noexcept {
  if (this != &other) {
    reset();
    fd_ = other.release();
  }
  return *this;
}

void FileHandle::reset() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

namespace {

// A decimal offset; text that isn't one counts as 0, as a failed number reads.
uint64_t OffsetOf(const std::string& text) {
  uint64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') break;
    value = value * 10 + uint64_t(c - '0');
  }
  return value;
}

}  // namespace

std::string ProgramPath() {
  std::error_code error;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::string("/proc/self/exe") : self.string();
}

MovieSource SourceOf(const std::string& name, const std::string& programPath) {
  if (!name.empty() && name.front() == ':') return {SourceKind::kProgram, programPath, OffsetOf(name.substr(1))};
  if (const size_t bar = name.find('|'); bar != std::string::npos)
    return {SourceKind::kEmbedded, name.substr(0, bar), OffsetOf(name.substr(bar + 1))};
  MovieSource source{SourceKind::kFile, name, 0};
  if (HasExtension(name.c_str()) == nullptr) source.path += ".qor";
  return source;
}

OpenedMovie OpenMovie(const MovieSource& source, uint32_t flags) {
  OpenedMovie opened;
  if (source.kind == SourceKind::kFile) {
    opened.movie = QuorOpen(source.path.c_str(), flags);
    return opened;
  }
  const char* failure = source.kind == SourceKind::kProgram ? kExeErrorText : kFileErrorText;
  FileHandle file(::open(source.path.c_str(), O_RDONLY | O_CLOEXEC));
  if (!file.valid() || ::lseek(file.get(), off_t(source.offset), SEEK_SET) < 0) {
    QuorSetErrorText(failure);
    return opened;
  }
  ::posix_fadvise(file.get(), 0, 0, POSIX_FADV_SEQUENTIAL);
  opened.movie = QuorOpen(reinterpret_cast<const void*>(intptr_t{file.get()}), flags | QUOR_OPEN_FILE_HANDLE);
  if (opened.movie != nullptr) opened.file = std::move(file);
  return opened;
}

}  // namespace quorplay

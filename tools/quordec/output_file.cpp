#include "output_file.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

void Fail(const std::string& text) {
  std::fprintf(stderr, "quordec: %s\n", text.c_str());
  std::exit(1);
}

OutputFile::OutputFile(const std::string& path) : path_(path) {
  if (path == "-") {
    file_ = stdout;
  } else {
    file_ = std::fopen(path.c_str(), "wb");
    if (!file_) Fail(path + ": " + std::strerror(errno));
    owned_ = true;
  }
  std::setvbuf(file_, nullptr, _IOFBF, 1 << 20);
}

OutputFile::~OutputFile() {
  if (owned_) std::fclose(file_);
}

void OutputFile::Write(const void* data, size_t size) {
  if (size && std::fwrite(data, 1, size, file_) != size) Fail(path_ + ": write failed: " + std::strerror(errno));
}

void OutputFile::WriteAt(long offset, const void* data, size_t size) {
  const long end = std::ftell(file_);
  if (end < 0 || std::fseek(file_, offset, SEEK_SET) != 0) Fail(path_ + ": cannot rewrite: " + std::strerror(errno));
  Write(data, size);
  if (std::fseek(file_, end, SEEK_SET) != 0) Fail(path_ + ": cannot rewrite: " + std::strerror(errno));
}

void OutputFile::Finish() {
  if (std::fflush(file_) != 0) Fail(path_ + ": write failed: " + std::strerror(errno));
  if (owned_) {
    const int rc = std::fclose(file_);
    owned_ = false;
    if (rc != 0) Fail(path_ + ": write failed: " + std::strerror(errno));
  }
}

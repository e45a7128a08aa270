// An output file (or standard output for "-") whose write errors end the program with a message.
#pragma once

#include <cstdio>
#include <string>

[[noreturn]] void Fail(const std::string& text);

class OutputFile {
 public:
  explicit OutputFile(const std::string& path);
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  void Write(const void* data, size_t size);
  // Rewrites bytes already written (files only).
  void WriteAt(long offset, const void* data, size_t size);
  void Finish();
  FILE* file() const { return file_; }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
  FILE* file_ = nullptr;
  bool owned_ = false;
};

// A fresh empty directory that is the current one for the life of the object.
#pragma once

#include <filesystem>
#include <string>

namespace utiltest {

class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const std::string& path() const { return path_; }
  // Creates an empty file (relative names are inside the directory).
  void Touch(const std::string& name) const;

 private:
  std::filesystem::path previous_;
  std::string path_;
};

}  // namespace utiltest

#include "scratch_dir.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace utiltest {

ScratchDir::ScratchDir() : previous_(std::filesystem::current_path()) {
  std::string pattern = (std::filesystem::temp_directory_path() / "jovutil-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) throw std::runtime_error("no scratch directory");
  // The canonical form, so that it can be compared with full paths built from the cwd.
  path_ = std::filesystem::canonical(pattern).string();
  std::filesystem::current_path(path_);
}

ScratchDir::~ScratchDir() {
  std::error_code ec;
  std::filesystem::current_path(previous_, ec);
  std::filesystem::remove_all(path_, ec);
}

void ScratchDir::Touch(const std::string& name) const { std::ofstream(path_ + "/" + name).put('x'); }

}  // namespace utiltest

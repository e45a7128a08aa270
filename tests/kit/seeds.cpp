#include "seeds.h"

#include <cstdlib>
#include <filesystem>

#include "movie_writer.h"

namespace quortest {

void WriteSeed(const std::string& target, const std::string& name, const std::vector<uint8_t>& bytes) {
  const char* dir = std::getenv("QUOR_SEED_DIR");
  if (!dir || !*dir) return;
  const std::filesystem::path folder = std::filesystem::path(dir) / target;
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  WriteFile((folder / name).string(), bytes);
}

}  // namespace quortest

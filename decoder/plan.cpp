#include "movie.h"

namespace quor {

std::vector<uint32_t> PlanSizes(std::span<const uint32_t> sizes) {
  std::vector<uint32_t> planned;
  planned.reserve(sizes.size());
  uint32_t total = 0;
  for (uint32_t size : sizes) {
    size = (size + 15) & ~15u;
    // Unsigned arithmetic: the difference wraps, and 2^32 is a multiple of 32.
    size += (((total / 32) - (size / 32) + 1) % 32) * 32;
    planned.push_back(size);
    total += size;
  }
  return planned;
}

}  // namespace quor

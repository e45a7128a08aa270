// The display resolutions and colour depths that /D selects.
#pragma once

#include <cstdint>
#include <optional>

namespace quorplay {

struct Resolution {
  uint32_t width, height;
};

// Resolution 1..13; nothing for other values.
std::optional<Resolution> ResolutionOf(int32_t code);
// Depth code 0..6 into what the surface takes (16, 24, 32, 8, 1, 2, 3); nothing above 6.
std::optional<uint32_t> DepthOf(int32_t code);

}  // namespace quorplay

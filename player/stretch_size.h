// The target size of the picture in one direction from a /W or /H fraction.
#pragma once

#include <cstdint>

namespace quorplay {

inline constexpr uint32_t kWidthKind = 0x10000000u;   // width stretch kinds: bits 28-31
inline constexpr uint32_t kHeightKind = 0x1000000u;   // height stretch kinds: bits 24-27

// The target for a fraction numerator / denominator (0 in either: the size itself; -1/1: the
// screen; other negatives scale the size by -numerator / denominator; positives are a size),
// ORing the kind of stretch into `surfaceFlags`: kindBit x 8 integer enlargement, x 2 integer
// reduction, x 4 enlargement, x 1 reduction. A target of 0 pixels keeps the size.
uint32_t StretchSize(int32_t numerator, int32_t denominator, uint32_t size, uint32_t screen, uint32_t kindBit,
                     uint32_t& surfaceFlags);

}  // namespace quorplay

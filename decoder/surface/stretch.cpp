// Stretch kinds: what a renderer can scale, and what a size change needs.
#include "surface.h"

namespace quor::surface {

uint32_t CapabilityWord(const JovScaling& s) {
  const auto axis = [](const JovAxisScaling& a) {
    uint32_t word = 0;
    if (a.enlarge) word |= 0xC;
    if (a.enlargeByIntegers) word |= 0x8;
    if (a.reduce) word |= 0x3;
    if (a.reduceByIntegers) word |= 0x2;
    return word;
  };
  return axis(s.x) << 28 | axis(s.y) << 24;
}

uint32_t StretchKind(int64_t target, int64_t size, uint32_t kindBit) {
  if (target == size || size <= 0) return 0;
  if (target % size == 0) return kindBit * 8;                  // integer enlargement
  if (target != 0 && size % target == 0) return kindBit * 2;   // integer reduction
  return target > size ? kindBit * 4 : kindBit;                // enlargement, reduction
}

}  // namespace quor::surface

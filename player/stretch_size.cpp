#include "stretch_size.h"

namespace quorplay {

uint32_t StretchSize(int32_t numerator, int32_t denominator, uint32_t size, uint32_t screen, uint32_t kindBit,
                     uint32_t& surfaceFlags) {
  if (numerator == 0 || denominator == 0) return size;
  uint32_t t = 0;
  if (numerator == -1 && denominator == 1) {
    t = screen;
  } else if (numerator < 0) {
    // A negative denominator would make the division meaningless: its size counts.
    const uint64_t d = denominator < 0 ? uint64_t(-int64_t{denominator}) : uint64_t(denominator);
    t = uint32_t(uint64_t(size) * uint64_t(-int64_t{numerator}) / d);
  } else {
    t = denominator < 0 ? 0 : uint32_t(numerator / denominator);
  }
  // A target of no pixels (a fraction below one) would stand for the screen size further on:
  // the picture keeps its own size instead.
  if (t == 0) return size;
  if (size == 0) return t;
  if (t != size && t % size == 0) {
    surfaceFlags |= kindBit * 8;
  } else if (t != size && size % t == 0) {
    surfaceFlags |= kindBit * 2;
  } else if (t > size) {
    surfaceFlags |= kindBit * 4;
  } else if (t < size) {
    surfaceFlags |= kindBit * 1;
  }
  return t;
}

}  // namespace quorplay

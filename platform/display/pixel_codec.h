// Reading and writing single pixels of any layout as 0xRRGGBB, for the headless screen.
#pragma once

#include "jov_display.h"

namespace jov {

// The colour at (x, y) of a block; YUV layouts are turned into RGB with the studio-range
// coefficients (1.164, 1.596, 0.813, 0.392, 2.017). An n-bit channel becomes its n bits at the
// top of 8 (the lower bits 0).
uint32_t ReadRgb(const JovPixels& block, int32_t x, int32_t y);
// Stores a colour at (x, y) of a block of a mask layout (each channel's top bits; alpha opaque).
void WriteRgb(const JovPixels& block, int32_t x, int32_t y, uint32_t rgb);
// The parts of two rectangles that overlap (width or height 0 when none).
JovRect Intersect(JovRect a, JovRect b);

// Calls put(x, y, sx, sy) for every pixel (x, y) of `destination` inside `clip`, with the
// source pixel (sx, sy) of `source` that the nearest-pixel scaling puts there.
template <typename Put>
void ForEachScaled(JovRect source, JovRect destination, JovRect clip, Put&& put) {
  if (source.width <= 0 || source.height <= 0 || destination.width <= 0 || destination.height <= 0) return;
  const JovRect area = Intersect(destination, clip);
  for (int32_t y = area.y; y < area.y + area.height; ++y) {
    const int32_t sy = source.y + int32_t(int64_t{y - destination.y} * source.height / destination.height);
    for (int32_t x = area.x; x < area.x + area.width; ++x) {
      const int32_t sx = source.x + int32_t(int64_t{x - destination.x} * source.width / destination.width);
      put(x, y, sx, sy);
    }
  }
}

}  // namespace jov

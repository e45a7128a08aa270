// Sizes of pixel layouts.
#include "jov_display.h"

uint32_t JovPixelFormat::bytesPerPixel() const {
  if (fourcc == kJovYV12) return 1;
  if (fourcc == kJovYUY2 || fourcc == kJovUYVY) return 2;
  return (bitsPerPixel + 7) / 8;
}

JovYv12Layout JovYv12(int32_t pitch, int32_t height) {
  const size_t luma = size_t(pitch) * size_t(height);
  const size_t chromaPitch = size_t(pitch) / 2;
  JovYv12Layout l;
  l.v = luma;
  l.u = luma + chromaPitch * size_t(height / 2);
  l.size = l.u + chromaPitch * size_t((height + 1) / 2);
  return l;
}

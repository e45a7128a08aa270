// Single pixels of any layout as 0xRRGGBB.
#include "pixel_codec.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace jov {

namespace {

uint32_t Load(const uint8_t* p, uint32_t bytes) {
  uint32_t v = 0;
  for (uint32_t i = 0; i < bytes; ++i) v |= uint32_t(p[i]) << (8 * i);
  return v;
}

void Save(uint8_t* p, uint32_t bytes, uint32_t v) {
  for (uint32_t i = 0; i < bytes; ++i) p[i] = uint8_t(v >> (8 * i));
}

uint32_t Channel(uint32_t pixel, uint32_t mask) {
  if (mask == 0) return 0;
  const int shift = std::countr_zero(mask);
  const int bits = std::popcount(mask);
  const uint32_t c = (pixel & mask) >> shift;
  return bits >= 8 ? c >> (bits - 8) : c << (8 - bits);
}

uint32_t Place(uint32_t value8, uint32_t mask) {
  if (mask == 0) return 0;
  const int shift = std::countr_zero(mask);
  const int bits = std::popcount(mask);
  const uint32_t c = bits >= 8 ? value8 << (bits - 8) : value8 >> (8 - bits);
  return (c << shift) & mask;
}

uint32_t Clamp(double v) { return uint32_t(std::clamp(std::lround(v), 0L, 255L)); }

uint32_t YuvToRgb(int y, int u, int v) {
  const double l = 1.164 * (y - 16);
  const uint32_t r = Clamp(l + 1.596 * (v - 128));
  const uint32_t g = Clamp(l - 0.813 * (v - 128) - 0.392 * (u - 128));
  const uint32_t b = Clamp(l + 2.017 * (u - 128));
  return r << 16 | g << 8 | b;
}

}  // namespace

uint32_t ReadRgb(const JovPixels& block, int32_t x, int32_t y) {
  const JovPixelFormat& f = block.format;
  const uint8_t* row = block.data + size_t(y) * size_t(block.pitch);
  if (f.fourcc == kJovYV12) {
    const JovYv12Layout l = JovYv12(block.pitch, block.height);
    const size_t chroma = size_t(y / 2) * size_t(block.pitch / 2) + size_t(x / 2);
    return YuvToRgb(row[x], block.data[l.u + chroma], block.data[l.v + chroma]);
  }
  if (f.fourcc == kJovYUY2 || f.fourcc == kJovUYVY) {
    const uint8_t* pair = row + size_t(x & ~1) * 2;
    const bool yuy2 = f.fourcc == kJovYUY2;
    const int luma = yuy2 ? pair[(x & 1) * 2] : pair[1 + (x & 1) * 2];
    return yuy2 ? YuvToRgb(luma, pair[1], pair[3]) : YuvToRgb(luma, pair[0], pair[2]);
  }
  const uint32_t bytes = f.bytesPerPixel();
  const uint32_t pixel = Load(row + size_t(x) * bytes, bytes);
  if (f.red == 0 && f.green == 0 && f.blue == 0) return pixel * 0x010101u;  // indexed: gray
  return Channel(pixel, f.red) << 16 | Channel(pixel, f.green) << 8 | Channel(pixel, f.blue);
}

void WriteRgb(const JovPixels& block, int32_t x, int32_t y, uint32_t rgb) {
  const JovPixelFormat& f = block.format;
  const uint32_t bytes = f.bytesPerPixel();
  uint8_t* at = block.data + size_t(y) * size_t(block.pitch) + size_t(x) * bytes;
  if (f.red == 0 && f.green == 0 && f.blue == 0) {
    *at = uint8_t(((rgb >> 16 & 0xFF) + (rgb >> 8 & 0xFF) + (rgb & 0xFF)) / 3);
    return;
  }
  const uint32_t pixel = Place(rgb >> 16 & 0xFF, f.red) | Place(rgb >> 8 & 0xFF, f.green) |
                         Place(rgb & 0xFF, f.blue) | f.alpha;
  Save(at, bytes, pixel);
}

JovRect Intersect(JovRect a, JovRect b) {
  const int64_t x0 = std::max<int64_t>(a.x, b.x), y0 = std::max<int64_t>(a.y, b.y);
  const int64_t x1 = std::min<int64_t>(int64_t{a.x} + a.width, int64_t{b.x} + b.width);
  const int64_t y1 = std::min<int64_t>(int64_t{a.y} + a.height, int64_t{b.y} + b.height);
  if (x1 <= x0 || y1 <= y0) return {int32_t(x0), int32_t(y0), 0, 0};
  return {int32_t(x0), int32_t(y0), int32_t(x1 - x0), int32_t(y1 - y0)};
}

}  // namespace jov

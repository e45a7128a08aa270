// Format codes of pixel layouts, the layouts of the codes, buffer sizes and black.
#include <cstring>

#include "surface.h"

namespace quor::surface {

namespace {

struct WordLayout {
  int code;
  uint32_t red, green, blue, alpha;
};
constexpr WordLayout kWords[] = {
    {7, 0x0F00, 0x00F0, 0x000F, 0xF000}, {8, 0x7C00, 0x03E0, 0x001F, 0x8000}, {9, 0x7C00, 0x03E0, 0x001F, 0},
    {10, 0xF800, 0x07E0, 0x001F, 0},     {11, 0xFC00, 0x03E0, 0x001F, 0},     {12, 0xFC00, 0x03F0, 0x000F, 0},
};

bool IsRgbOrder(const JovPixelFormat& f) { return f.red == 0xFF0000 && f.green == 0xFF00 && f.blue == 0xFF; }
bool IsBgrOrder(const JovPixelFormat& f) { return f.red == 0xFF && f.green == 0xFF00 && f.blue == 0xFF0000; }

}  // namespace

int CodeOf(const JovPixelFormat& f) {
  if (f.fourcc == kJovYUY2) return 13;
  if (f.fourcc == kJovUYVY) return 14;
  if (f.fourcc == kJovYV12) return 15;
  if (f.fourcc != 0) return -1;
  switch (f.bitsPerPixel) {
    case 8: return 0;
    case 24: return IsRgbOrder(f) ? 1 : IsBgrOrder(f) ? 2 : -1;
    case 32:
      if (f.alpha != 0 && f.alpha != 0xFF000000u) return -1;
      if (IsRgbOrder(f)) return f.alpha ? 5 : 3;
      if (IsBgrOrder(f)) return f.alpha ? 6 : 4;
      return -1;
    case 16:
      for (const WordLayout& w : kWords)
        if (f.red == w.red && f.green == w.green && f.blue == w.blue && f.alpha == w.alpha) return w.code;
      return -1;
    default: return -1;
  }
}

JovPixelFormat FormatOfCode(int code) {
  switch (code) {
    case 1: return {0, 24, 0xFF0000, 0xFF00, 0xFF, 0};
    case 2: return {0, 24, 0xFF, 0xFF00, 0xFF0000, 0};
    case 3: return kJovXrgb8888;
    case 4: return {0, 32, 0xFF, 0xFF00, 0xFF0000, 0};
    case 5: return {0, 32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000u};
    case 6: return {0, 32, 0xFF, 0xFF00, 0xFF0000, 0xFF000000u};
    case 13: return {kJovYUY2, 16, 0, 0, 0, 0};
    case 14: return {kJovUYVY, 16, 0, 0, 0, 0};
    case 15: return {kJovYV12, 12, 0, 0, 0, 0};
    default: break;
  }
  for (const WordLayout& w : kWords)
    if (w.code == code) return {0, 16, w.red, w.green, w.blue, w.alpha};
  return {};
}

int32_t PitchFor(int code, uint32_t width) {
  const uint32_t even = (width + 1) & ~1u;  // packed YUV pairs and YV12 chroma need even widths
  const uint32_t bytes = code == 15 ? even : code >= 13 ? even * 2 : width * FormatOfCode(code).bytesPerPixel();
  return int32_t((bytes + 31) & ~31u);
}

size_t BytesFor(int code, int32_t pitch, uint32_t height) {
  if (code == 15) return JovYv12(pitch, int32_t(height)).size;
  return size_t(pitch) * height;
}

void ClearBlack(uint8_t* at, int32_t pitch, uint32_t width, uint32_t height, int code) {
  if (at == nullptr) return;
  if (code == 15) {
    for (uint32_t y = 0; y < height; ++y) std::memset(at + size_t(y) * pitch, 16, width);
    const JovYv12Layout l = JovYv12(pitch, int32_t(height));
    const size_t chromaPitch = size_t(pitch) / 2;
    for (uint32_t y = 0; y < (height + 1) / 2; ++y) {
      std::memset(at + l.v + y * chromaPitch, 128, (width + 1) / 2);
      std::memset(at + l.u + y * chromaPitch, 128, (width + 1) / 2);
    }
    return;
  }
  if (code == 13 || code == 14) {
    const uint8_t pair[2] = {uint8_t(code == 13 ? 0 : 128), uint8_t(code == 13 ? 128 : 0)};
    const size_t bytes = size_t((width + 1) & ~1u) * 2;
    for (uint32_t y = 0; y < height; ++y)
      for (size_t i = 0; i < bytes; ++i) at[size_t(y) * pitch + i] = pair[i & 1];
    return;
  }
  // Black is all zero in every RGB layout (alpha 0 included).
  const size_t bytes = size_t(width) * FormatOfCode(code).bytesPerPixel();
  for (uint32_t y = 0; y < height; ++y) std::memset(at + size_t(y) * pitch, 0, bytes);
}

}  // namespace quor::surface

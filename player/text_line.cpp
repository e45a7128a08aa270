// Drawing a line of text into a window's pixel buffer.
#include <bit>

#include "bitmap_font.h"

namespace quorplay {
namespace {

// An 8-bit channel placed into a mask.
uint32_t Channel(uint32_t value8, uint32_t mask) {
  if (mask == 0) return 0;
  const int shift = std::countr_zero(mask);
  const int bits = std::popcount(mask);
  const uint32_t scaled = bits >= 8 ? value8 << (bits - 8) : value8 >> (8 - bits);
  return (scaled << shift) & mask;
}

uint32_t Pack(const JovPixelFormat& f, uint32_t rgb) {
  return Channel(rgb >> 16 & 0xFF, f.red) | Channel(rgb >> 8 & 0xFF, f.green) | Channel(rgb & 0xFF, f.blue);
}

void Store(const JovPixels& p, int32_t x, int32_t y, uint32_t value, uint32_t bytes) {
  if (x < 0 || y < 0 || x >= p.width || y >= p.height) return;
  uint8_t* at = p.data + ptrdiff_t(y) * p.pitch + ptrdiff_t(x) * bytes;
  for (uint32_t i = 0; i < bytes; ++i) at[i] = uint8_t(value >> (8 * i));
}

}  // namespace

void DrawTextLine(const JovPixels& pixels, JovRect line, std::string_view text, uint32_t ink, uint32_t back) {
  if (pixels.data == nullptr || pixels.format.fourcc != 0) return;
  const uint32_t bytes = pixels.format.bitsPerPixel / 8;
  if (bytes < 2 || bytes > 4) return;  // palette screens are not drawn on
  const uint32_t inkValue = Pack(pixels.format, ink), backValue = Pack(pixels.format, back);
  for (int32_t y = line.y; y < line.y + line.height; ++y)
    for (int32_t x = line.x; x < line.x + line.width; ++x) Store(pixels, x, y, backValue, bytes);
  const int32_t left = line.x + line.width / 2 - TextWidth(text) / 2;
  const int32_t top = line.y + (line.height - kGlyphHeight) / 2;
  for (size_t i = 0; i < text.size(); ++i) {
    const auto rows = Glyph(text[i]);
    for (int32_t r = 0; r < kGlyphHeight; ++r)
      for (int32_t c = 0; c < kGlyphWidth; ++c)
        if (rows[size_t(r)] >> (kGlyphWidth - 1 - c) & 1)
          Store(pixels, left + int32_t(i) * kCellWidth + c, top + r, inkValue, bytes);
  }
}

}  // namespace quorplay

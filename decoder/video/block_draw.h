// Whole-block pixel moves of the plane decoder: 8x8 copies and fills by 64-bit moves, and the
// 2x2 enlargement of scaled blocks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace quorvideo {

inline uint64_t Load8(const uint8_t* p) {
  uint64_t v;
  std::memcpy(&v, p, 8);
  return v;
}
inline void Store8(uint8_t* p, uint64_t v) { std::memcpy(p, &v, 8); }

// Row by row through a register, so source and destination may be the same buffer.
inline void CopyBlock(uint8_t* dst, ptrdiff_t dstStride, const uint8_t* src, ptrdiff_t srcStride) {
  for (unsigned row = 0; row < 8; ++row) Store8(dst + row * dstStride, Load8(src + row * srcStride));
}

inline void FillBlock(uint8_t* dst, ptrdiff_t stride, uint8_t colour) {
  const uint64_t v = colour * 0x0101010101010101ull;
  for (unsigned row = 0; row < 8; ++row) Store8(dst + row * stride, v);
}

inline void StoreImage(uint8_t* dst, ptrdiff_t stride, const uint8_t image[64]) {
  CopyBlock(dst, stride, image, 8);
}

// Each pixel of the 8x8 image becomes a 2x2 square of the 16x16 area.
inline void StoreImageDouble(uint8_t* dst, ptrdiff_t stride, const uint8_t image[64]) {
  for (unsigned row = 0; row < 8; ++row) {
    uint8_t line[16];
    for (unsigned column = 0; column < 8; ++column)
      line[2 * column] = line[2 * column + 1] = image[row * 8 + column];
    std::memcpy(dst + 2 * row * stride, line, 16);
    std::memcpy(dst + (2 * row + 1) * stride, line, 16);
  }
}

inline void FillDouble(uint8_t* dst, ptrdiff_t stride, uint8_t colour) {
  for (unsigned row = 0; row < 16; ++row) std::memset(dst + row * stride, colour, 16);
}

// One pattern row: pixel x is c1 where bit x of the byte is set, else c0 (bit 0 leftmost).
inline uint64_t PatternRow(uint8_t bits, uint64_t c0, uint64_t c1) {
  uint64_t m = (bits * 0x0101010101010101ull) & 0x8040201008040201ull;  // byte x keeps bit x
  m = ((m | ((m & 0x7F7F7F7F7F7F7F7Full) + 0x7F7F7F7F7F7F7F7Full)) >> 7) & 0x0101010101010101ull;
  m *= 0xFF;  // 0xFF in every byte whose bit was set
  return (c0 & ~m) | (c1 & m);
}

}  // namespace quorvideo

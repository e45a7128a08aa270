// What a destination format code means to the row routines.
#ifndef QUOR_CONVERT_LAYOUT_H
#define QUOR_CONVERT_LAYOUT_H

#include <cstdint>

namespace quor::convert {

enum class Family : uint8_t { kNone, kRgb32, kRgb24, kRgb16, kPackedYuv, kYv12 };

// A 16-bit field: the top `bits` bits of an 8-bit channel, placed at bit `shift`.
struct Field {
  uint8_t bits = 0;
  uint8_t shift = 0;
};

// The row routines compute three channels: X = luma + red term of plane 1, G, and
// Z = luma + blue term of plane 2. For versions h and i X is red and Z blue; the older
// coefficient assignment is the same arithmetic with the two swapped, so the layout places them.
struct Layout {
  Family family = Family::kNone;
  uint8_t bytesPerPixel = 0;
  uint8_t xByte = 0, zByte = 0;   // 24/32-bit: byte index of X and Z (G is byte 1)
  bool alpha = false;             // 32-bit: byte 3 from the alpha plane (else 0)
  Field xField, gField, zField;   // 16-bit
  uint16_t alphaMask = 0;         // 16-bit: alpha sample bits kept, moved to the word's top byte
  bool uyvy = false;              // packed YUV: U Y0 V Y1 instead of Y0 U Y1 V
};

// The layout of a format code (0..15; others as 0) for a picture with or without an alpha plane,
// in the newer or the older coefficient assignment.
Layout LayoutFor(uint32_t code, bool hasAlpha, bool older);

}  // namespace quor::convert

#endif

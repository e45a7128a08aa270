// 16-bit destinations: little-endian words of packed channel fields, optionally alpha bits.
#include <cstring>

#include "plain_rows.h"

namespace quor::convert {

namespace {

struct Rgb16Store {
  static constexpr uint32_t kBytes = 2;
  static void Pixel(uint8_t* p, Channels c, const RowJob& job, const Layout& layout, uint32_t i) {
    const uint16_t w = PackWord(c, layout.alphaMask ? job.alpha[i] : 0, layout);
    const uint8_t bytes[2] = {static_cast<uint8_t>(w), static_cast<uint8_t>(w >> 8)};
    std::memcpy(p, bytes, 2);
  }
};

}  // namespace

FamilyRows PlainRgb16Rows() { return PlainFamilyRows<PixelFamily<Rgb16Store>>(); }

}  // namespace quor::convert

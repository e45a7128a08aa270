// 32-bit destinations: B G R 0 / R G B 0 bytes, or with the alpha sample as the fourth byte.
#include "plain_rows.h"

namespace quor::convert {

namespace {

struct Rgb32Store {
  static constexpr uint32_t kBytes = 4;
  static void Pixel(uint8_t* p, Channels c, const RowJob& job, const Layout& layout, uint32_t i) {
    p[layout.xByte] = c.x;
    p[1] = c.g;
    p[layout.zByte] = c.z;
    p[3] = layout.alpha ? job.alpha[i] : 0;
  }
};

}  // namespace

FamilyRows PlainRgb32Rows() { return PlainFamilyRows<PixelFamily<Rgb32Store>>(); }

}  // namespace quor::convert

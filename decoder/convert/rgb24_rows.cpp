// 24-bit destinations: B G R or R G B bytes.
#include "plain_rows.h"

namespace quor::convert {

namespace {

struct Rgb24Store {
  static constexpr uint32_t kBytes = 3;
  static void Pixel(uint8_t* p, Channels c, const RowJob& /*job*/, const Layout& layout,
                    uint32_t /*i*/) {
    p[layout.xByte] = c.x;
    p[1] = c.g;
    p[layout.zByte] = c.z;
  }
};

}  // namespace

FamilyRows PlainRgb24Rows() { return PlainFamilyRows<PixelFamily<Rgb24Store>>(); }

}  // namespace quor::convert

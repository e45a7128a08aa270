// 32-bit destinations: B G R 0 / R G B 0 bytes, or with the alpha sample as the fourth byte.
#include <cstring>

#include "pixel.h"
#include "rows.h"

namespace quor::convert {

namespace {

template <bool Gray, bool Double>
void OneRow(const RowJob& job, const Layout& layout) {
  uint8_t* d = job.dest;
  for (uint32_t i = job.x; i < job.x + job.n; ++i) {
    const Channels c = Gray ? GrayPixel(job.luma[i])
                            : ColourPixel(job.luma[i], job.plane1[i / 2], job.plane2[i / 2]);
    uint8_t p[4];
    p[layout.xByte] = c.x;
    p[1] = c.g;
    p[layout.zByte] = c.z;
    p[3] = layout.alpha ? job.alpha[i] : 0;
    std::memcpy(d, p, 4);
    d += 4;
    if constexpr (Double) {
      std::memcpy(d, p, 4);
      d += 4;
    }
  }
}

template <bool Gray, bool Double>
void Row(const RowJob& job, const Layout& layout) {
  EachRow(job, layout, OneRow<Gray, Double>);
}

}  // namespace

FamilyRows PlainRgb32Rows() {
  return {{{Row<false, false>, Row<false, true>}, {Row<true, false>, Row<true, true>}}};
}

}  // namespace quor::convert

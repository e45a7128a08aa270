// 24-bit destinations: B G R or R G B bytes.
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
    uint8_t p[3];
    p[layout.xByte] = c.x;
    p[1] = c.g;
    p[layout.zByte] = c.z;
    std::memcpy(d, p, 3);
    d += 3;
    if constexpr (Double) {
      std::memcpy(d, p, 3);
      d += 3;
    }
  }
}

template <bool Gray, bool Double>
void Row(const RowJob& job, const Layout& layout) {
  EachRow(job, layout, OneRow<Gray, Double>);
}

}  // namespace

FamilyRows PlainRgb24Rows() {
  return {{{Row<false, false>, Row<false, true>}, {Row<true, false>, Row<true, true>}}};
}

}  // namespace quor::convert

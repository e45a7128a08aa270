// 16-bit destinations: little-endian words of packed channel fields, optionally alpha bits.
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
    const uint16_t w = PackWord(c, layout.alphaMask ? job.alpha[i] : 0, layout);
    const uint8_t p[2] = {static_cast<uint8_t>(w), static_cast<uint8_t>(w >> 8)};
    std::memcpy(d, p, 2);
    d += 2;
    if constexpr (Double) {
      std::memcpy(d, p, 2);
      d += 2;
    }
  }
}

template <bool Gray, bool Double>
void Row(const RowJob& job, const Layout& layout) {
  EachRow(job, layout, OneRow<Gray, Double>);
}

}  // namespace

FamilyRows PlainRgb16Rows() {
  return {{{Row<false, false>, Row<false, true>}, {Row<true, false>, Row<true, true>}}};
}

}  // namespace quor::convert

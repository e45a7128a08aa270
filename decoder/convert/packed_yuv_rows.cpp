// Packed YUV destinations: YUY2 (Y0 U Y1 V) and UYVY (U Y0 V Y1) per pixel pair, samples copied.
#include <cstring>

#include "plain_rows.h"

namespace quor::convert {

namespace {

void Pair(uint8_t* d, uint8_t y0, uint8_t y1, uint8_t u, uint8_t v, bool uyvy) {
  const uint8_t yuy2[4] = {y0, u, y1, v};
  const uint8_t uyvyBytes[4] = {u, y0, v, y1};
  std::memcpy(d, uyvy ? uyvyBytes : yuy2, 4);
}

// A destination pair is made from two source pixels and their one chroma pair, so this family
// walks the row in pairs rather than one pixel at a time.
struct PackedYuvFamily {
  template <bool Gray, bool Double>
  static void OneRow(const RowJob& job, const Layout& layout);
};

template <bool Gray, bool Double>
void PackedYuvFamily::OneRow(const RowJob& job, const Layout& layout) {
  uint8_t* d = job.dest;
  for (uint32_t k = 0; k + 2 <= job.n; k += 2) {
    const uint32_t i = job.x + k;
    const uint8_t y0 = job.luma[i];
    const uint8_t y1 = job.luma[i + 1];
    const uint8_t u = Gray ? 128 : job.plane2[i / 2];
    const uint8_t v = Gray ? 128 : job.plane1[i / 2];
    if constexpr (Double) {
      Pair(d, y0, y0, u, v, layout.uyvy);
      Pair(d + 4, y1, y1, u, v, layout.uyvy);
      d += 8;
    } else {
      Pair(d, y0, y1, u, v, layout.uyvy);
      d += 4;
    }
  }
}

}  // namespace

FamilyRows PlainPackedYuvRows() { return PlainFamilyRows<PackedYuvFamily>(); }

}  // namespace quor::convert

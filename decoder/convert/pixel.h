// One pixel through the conversion tables.
#ifndef QUOR_CONVERT_PIXEL_H
#define QUOR_CONVERT_PIXEL_H

#include <algorithm>
#include <cstdint>

#include "layout.h"
#include "rows.h"
#include "tables.h"

namespace quor::convert {

struct Channels {
  uint8_t x, g, z;  // see Layout: X from plane 1's red term, Z from plane 2's blue term
};

// Every channel sum is clamped to 0..255. The lowest sum the tables produce is 0 - 258 and the
// highest 254 + 256, so the clamp is done on the integer rather than through a lookup table.
inline uint8_t Clamp255(int v) { return static_cast<uint8_t>(std::clamp(v, 0, 255)); }

inline Channels ColourPixel(uint8_t y, uint8_t p1, uint8_t p2) {
  const int l = kLuma[y];
  return {Clamp255(l + kRedFromV[p1]), Clamp255(l + kGreenFromU[p2] + kGreenFromV[p1]),
          Clamp255(l + kBlueFromU[p2])};
}

inline Channels GrayPixel(uint8_t y) {
  const auto q = static_cast<uint8_t>(kGray[y]);
  return {q, q, q};
}

inline uint16_t PackField(uint8_t c, Field f) {
  return static_cast<uint16_t>((c >> (8 - f.bits)) << f.shift);
}

inline uint16_t PackWord(Channels c, uint8_t alpha, const Layout& l) {
  return static_cast<uint16_t>(PackField(c.x, l.xField) | PackField(c.g, l.gField) |
                               PackField(c.z, l.zField) | ((alpha & l.alphaMask) << 8));
}

// Runs a one-row routine over the job's row and, when there is one, its second row.
template <class OneRow>
void EachRow(const RowJob& job, const Layout& layout, OneRow one) {
  one(job, layout);
  if (job.luma2 != nullptr)
    one(RowJob{job.dest2, job.luma2, job.plane1, job.plane2, job.alpha2, job.x, job.n, nullptr,
               nullptr, nullptr},
        layout);
}

}  // namespace quor::convert

#endif

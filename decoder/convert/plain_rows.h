// What every family's plain row routines share: the four routine kinds built from one routine
// for a single row, and, for the families that store one converted pixel at a time, that row
// routine itself.
#ifndef QUOR_CONVERT_PLAIN_ROWS_H
#define QUOR_CONVERT_PLAIN_ROWS_H

#include <cstdint>
#include <cstring>

#include "pixel.h"
#include "rows.h"

namespace quor::convert {

// `Family::OneRow<Gray, Double>` converts one row of a job (its second row is left to the caller).
template <class Family, bool Gray, bool Double>
void PlainRow(const RowJob& job, const Layout& layout) {
  EachRow(job, layout, Family::template OneRow<Gray, Double>);
}

template <class Family>
FamilyRows PlainFamilyRows() {
  return {{{PlainRow<Family, false, false>, PlainRow<Family, false, true>},
           {PlainRow<Family, true, false>, PlainRow<Family, true, true>}}};
}

// A family whose destination pixel is made from one converted source pixel alone.
// `Store::kBytes` is the size of a destination pixel, and `Store::Pixel(p, c, job, layout, i)`
// puts source pixel i, converted to `c`, into the bytes p[0 .. kBytes - 1].
template <class Store>
struct PixelFamily {
  template <bool Gray, bool Double>
  static void OneRow(const RowJob& job, const Layout& layout);
};

// Defined outside the class so that it is not implicitly inline: the compiler weighs inlining it
// into both rows of a job as it would for any other function.
template <class Store>
template <bool Gray, bool Double>
void PixelFamily<Store>::OneRow(const RowJob& job, const Layout& layout) {
  constexpr uint32_t kBytes = Store::kBytes;
  uint8_t* d = job.dest;
  for (uint32_t i = job.x; i < job.x + job.n; ++i) {
    const Channels c = Gray ? GrayPixel(job.luma[i])
                            : ColourPixel(job.luma[i], job.plane1[i / 2], job.plane2[i / 2]);
    uint8_t p[kBytes];
    Store::Pixel(p, c, job, layout, i);
    std::memcpy(d, p, kBytes);
    d += kBytes;
    if constexpr (Double) {
      std::memcpy(d, p, kBytes);
      d += kBytes;
    }
  }
}

}  // namespace quor::convert

#endif

// Row routines: one picture row (or a run of it) into one destination line.
#ifndef QUOR_CONVERT_ROWS_H
#define QUOR_CONVERT_ROWS_H

#include <cstdint>

#include "layout.h"

namespace quor::convert {

// Converts source pixels x .. x + n - 1 of one row, or of two rows that share their chroma row.
// `luma` and `alpha` point at the start of the luma and alpha rows, `plane1` and `plane2` at the
// start of the chroma row whose sample x / 2 belongs to pixel x. `dest` receives the first
// output pixel. With luma2 set, the second row (luma2, alpha2) goes to dest2 in the same way.
// For packed YUV, x and n are even and plane1 plays the V role, plane2 the U role.
struct RowJob {
  uint8_t* dest;
  const uint8_t* luma;
  const uint8_t* plane1;
  const uint8_t* plane2;
  const uint8_t* alpha;
  uint32_t x;
  uint32_t n;
  uint8_t* dest2;
  const uint8_t* luma2;
  const uint8_t* alpha2;
};

using RowFn = void (*)(const RowJob& job, const Layout& layout);

// The four routine kinds of every family: [gray][width doubled].
struct FamilyRows {
  RowFn kind[2][2];
};

// One implementation (plain or vector) of every family's rows.
struct RowSet {
  FamilyRows rgb32, rgb24, rgb16, packedYuv;
};

// The plain routines, computed through the conversion tables; the reference for the vector ones.
FamilyRows PlainRgb32Rows();
FamilyRows PlainRgb24Rows();
FamilyRows PlainRgb16Rows();
FamilyRows PlainPackedYuvRows();
const RowSet& PlainRows();

// Vector routines; each gives exactly the bytes of the plain ones.
const RowSet& Sse2Rows();
const RowSet& Avx2Rows();  // call only where the processor has AVX2

}  // namespace quor::convert

#endif

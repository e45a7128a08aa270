// Conversion of a source rectangle into a destination described top-down.
#ifndef QUOR_CONVERT_REGION_H
#define QUOR_CONVERT_REGION_H

#include <cstdint>

#include "convert.h"

namespace quor::convert {

// Picture line k of the destination starts at top + k x pitch; only lines 0 .. rows - 1 and the
// first rowBytes bytes of each are written. (x, y) is where the source rectangle's corner goes.
struct Destination {
  uint8_t* top;
  int64_t pitch;
  int64_t rows;
  int64_t rowBytes;
  int64_t x, y;
};

struct SourceRect {
  uint32_t x, y, width, height;
};

// The source must be valid and the rectangle inside its width and height. With useChangeMap only
// the changed 16x16 areas inside the rectangle are converted. Formats 1..14.
void ConvertRegion(const ConvertSource& src, const Destination& dest, SourceRect rect,
                   uint32_t flags, bool useChangeMap);

// YV12 (format 15): dest is the top of a top-down buffer of destHeight luma rows of pitch bytes
// followed by the two chroma planes.
void ConvertYv12(const ConvertSource& src, uint8_t* dest, int64_t pitch, int64_t destHeight,
                 int64_t x, int64_t y, SourceRect rect, uint32_t flags);

// Source coordinates [lo, hi) inside [first, first + count) whose destination pixels fit: the
// coordinate `first` lands on destination position `at`, each source step moves `factor`
// destination units, a source pixel covers `extra` units after its first, and destination units
// 0 .. limit - 1 exist.
struct Span {
  int64_t lo, hi;
};
Span VisibleSpan(int64_t first, int64_t count, int64_t at, int64_t factor, int64_t extra,
                 int64_t limit);

// True when the source geometry is consistent: planes present, the coded size inside the luma
// plane, even plane sizes.
bool SourceUsable(const ConvertSource& src);

}  // namespace quor::convert

#endif

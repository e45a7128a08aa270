// Display modes, destination clipping and the walk over changed areas.
#include "region.h"

#include <algorithm>
#include <cstring>

#include "dispatch.h"
#include "layout.h"
#include "rows.h"

namespace quor::convert {

namespace {

struct Mode {
  int64_t fx, fy;   // destination pixels per source column, lines per source line
  bool repeat;      // the line is written twice (modes 1 and 4); otherwise odd lines untouched
  bool evenOnly;    // mode 6: only even source lines, chroma row 2 x (y / 4)
};

Mode ModeOf(uint32_t flags) {
  switch ((flags & kConvertModeMask) >> kConvertModeShift) {
    case 1: return {1, 2, true, false};
    case 2: return {1, 2, false, false};
    case 3: return {2, 1, false, false};
    case 4: return {2, 2, true, false};
    case 5: return {2, 2, false, false};
    case 6: return {1, 1, false, true};
    default: return {1, 1, false, false};
  }
}

int64_t FloorDiv(int64_t a, int64_t b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

const FamilyRows& FamilyOf(const RowSet& set, Family family) {
  switch (family) {
    case Family::kRgb24: return set.rgb24;
    case Family::kRgb16: return set.rgb16;
    case Family::kPackedYuv: return set.packedYuv;
    default: return set.rgb32;
  }
}

bool HasUnchanged(const ConvertSource& src) {
  const size_t size = size_t{src.blocksPerRow} * (src.lumaRows / 16);
  return std::memchr(src.changeMap, 0, size) != nullptr;
}

}  // namespace

Span VisibleSpan(int64_t first, int64_t count, int64_t at, int64_t factor, int64_t extra,
                 int64_t limit) {
  const int64_t lo = first + std::max<int64_t>(0, -FloorDiv(at, factor));
  const int64_t hi = first + FloorDiv(limit - 1 - extra - at, factor) + 1;
  return {std::max(lo, first), std::min(hi, first + count)};
}

bool SourceUsable(const ConvertSource& src) {
  return src.luma != nullptr && src.plane1 != nullptr && src.plane2 != nullptr &&
         src.lumaStride % 2 == 0 && src.lumaRows % 2 == 0 && src.width <= src.lumaStride &&
         src.height <= src.lumaRows;
}

void ConvertRegion(const ConvertSource& src, const Destination& dest, SourceRect rect,
                   uint32_t flags, bool useChangeMap) {
  const bool older = (flags & kConvertOlderStream) != 0;
  const Layout layout = LayoutFor(flags & kConvertFormatMask, src.alpha != nullptr, older);
  if (layout.family == Family::kNone || layout.family == Family::kYv12) return;
  const Mode mode = ModeOf(flags);
  const bool gray = (flags & kConvertGrayscale) != 0;
  const RowSet& set = (flags & kConvertScalarOnly) ? PlainRows() : RowsFor(ActiveIsa());
  const RowFn row = FamilyOf(set, layout.family).kind[gray][mode.fx == 2];
  const int64_t bpp = layout.bytesPerPixel;

  const uint8_t* plane1 = src.plane1;
  const uint8_t* plane2 = src.plane2;
  Destination d = dest;
  const bool pairs = layout.family == Family::kPackedYuv;
  if (pairs) {
    // Pixel pairs share their chroma bytes: both the source column and the destination pixel
    // of a pair's first pixel must be even.
    if (older) std::swap(plane1, plane2);  // plane 1 plays the U role, plane 2 the V role
    if ((rect.x & 1) != 0 && rect.width != 0) {
      ++rect.x;
      --rect.width;
      d.x += mode.fx;
    }
    if ((d.x & 1) != 0) ++d.x;
  }

  Span cols = VisibleSpan(rect.x, rect.width, d.x, mode.fx, mode.fx - 1, d.rowBytes / bpp);
  const Span lines = VisibleSpan(rect.y, rect.height, d.y, mode.fy, mode.repeat ? 1 : 0, d.rows);
  if (pairs) {
    cols.lo += cols.lo & 1;
    cols.hi -= cols.hi & 1;
  }
  if (cols.lo >= cols.hi || lines.lo >= lines.hi) return;

  const size_t lumaStride = src.lumaStride;
  const size_t chromaStride = lumaStride / 2;
  auto convert = [&](int64_t x0, int64_t x1, int64_t y0, int64_t y1) {
    x0 = std::max(x0, cols.lo);
    x1 = std::min(x1, cols.hi);
    y0 = std::max(y0, lines.lo);
    y1 = std::min(y1, lines.hi);
    if (x0 >= x1) return;
    const int64_t column = d.x + (x0 - rect.x) * mode.fx;
    const auto n = static_cast<uint32_t>(x1 - x0);
    const auto lineBytes = static_cast<size_t>((x1 - x0) * mode.fx * bpp);
    auto lineStart = [&](int64_t y) {
      return d.top + (d.y + (y - rect.y) * mode.fy) * d.pitch + column * bpp;
    };
    for (int64_t y = y0; y < y1;) {
      if (mode.evenOnly && (y & 1) != 0) {
        ++y;
        continue;
      }
      // Two source lines sharing a chroma row are converted together: y and y + 1, or in mode 6
      // lines 4k and 4k + 2.
      const int64_t partnerStep = mode.evenOnly ? 2 : 1;
      const bool paired = y % (2 * partnerStep) == 0 && y + partnerStep < y1;
      const int64_t y2 = y + partnerStep;
      const auto chromaRow = static_cast<size_t>(mode.evenOnly ? (y / 4) * 2 : y / 2);
      const size_t lumaRow = static_cast<size_t>(y) * lumaStride;
      const size_t lumaRow2 = static_cast<size_t>(y2) * lumaStride;
      uint8_t* out = lineStart(y);
      uint8_t* out2 = paired ? lineStart(y2) : nullptr;
      const bool alpha = src.alpha != nullptr;
      const RowJob job{out,
                       src.luma + lumaRow,
                       plane1 + chromaRow * chromaStride,
                       plane2 + chromaRow * chromaStride,
                       alpha ? src.alpha + lumaRow : nullptr,
                       static_cast<uint32_t>(x0),
                       n,
                       out2,
                       paired ? src.luma + lumaRow2 : nullptr,
                       paired && alpha ? src.alpha + lumaRow2 : nullptr};
      row(job, layout);
      if (mode.repeat) {
        std::memcpy(out + d.pitch, out, lineBytes);
        if (paired) std::memcpy(out2 + d.pitch, out2, lineBytes);
      }
      y += paired ? 2 * partnerStep : 1;
    }
  };

  if (!useChangeMap || src.changeMap == nullptr || src.blocksPerRow == 0 || !HasUnchanged(src)) {
    convert(cols.lo, cols.hi, lines.lo, lines.hi);
    return;
  }
  const uint32_t mapRows = src.lumaRows / 16;
  for (uint32_t r = 0; r < mapRows; ++r) {
    const int64_t top = int64_t{r} * 16;
    if (top + 16 <= lines.lo || top >= lines.hi) continue;
    const uint8_t* map = src.changeMap + size_t{r} * src.blocksPerRow;
    for (uint32_t b = 0; b < src.blocksPerRow;) {
      if (map[b] == 0) {
        ++b;
        continue;
      }
      uint32_t e = b;
      while (e < src.blocksPerRow && map[e] != 0) ++e;
      convert(int64_t{b} * 16, int64_t{e} * 16, top, top + 16);
      b = e;
    }
  }
}

}  // namespace quor::convert

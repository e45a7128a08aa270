// The changed areas of a frame as a few rectangles: the bounding box of the changed 16x16
// areas, split where a cut saves the most unchanged area, at most eight.
#include <algorithm>
#include <array>

#include "movie.h"
#include "quor_stats.h"

namespace quor {
namespace {

constexpr int kMaxRects = 8;

// In 16-pixel blocks: columns [x0, x1), rows [y0, y1). Empty when x0 == x1.
struct BlockRect {
  uint32_t x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  uint64_t Area() const { return uint64_t(x1 - x0) * (y1 - y0) * 256; }
  bool Empty() const { return x0 >= x1 || y0 >= y1; }
};

class ChangeMap {
 public:
  ChangeMap(const uint8_t* map, uint32_t perRow) : map_(map), perRow_(perRow) {}
  bool RowChanged(uint32_t y, uint32_t x0, uint32_t x1) const {
    for (uint32_t x = x0; x < x1; ++x)
      if (map_[y * perRow_ + x]) return true;
    return false;
  }
  bool ColumnChanged(uint32_t x, uint32_t y0, uint32_t y1) const {
    for (uint32_t y = y0; y < y1; ++y)
      if (map_[y * perRow_ + x]) return true;
    return false;
  }
  // Shrinks to the changed blocks inside the rectangle.
  BlockRect Shrink(BlockRect r) const {
    while (r.y0 < r.y1 && !RowChanged(r.y0, r.x0, r.x1)) ++r.y0;
    if (r.y0 == r.y1) return {};
    while (!RowChanged(r.y1 - 1, r.x0, r.x1)) --r.y1;
    while (!ColumnChanged(r.x0, r.y0, r.y1)) ++r.x0;
    while (!ColumnChanged(r.x1 - 1, r.y0, r.y1)) --r.x1;
    return r;
  }

 private:
  const uint8_t* map_;
  uint32_t perRow_;
};

struct Split {
  uint64_t gain = 0;
  BlockRect first, second;
};

Split BestSplit(const ChangeMap& map, const BlockRect& r) {
  Split best;
  const uint32_t w = r.x1 - r.x0, h = r.y1 - r.y0;
  // Cut at ((size / 2) + 15) rounded down to 16 pixels: in blocks, (size + 1) / 2.
  if (w >= 2) {
    const uint32_t cut = r.x0 + (w + 1) / 2;
    Split s{0, map.Shrink({r.x0, r.y0, cut, r.y1}), map.Shrink({cut, r.y0, r.x1, r.y1})};
    s.gain = r.Area() - s.first.Area() - s.second.Area();
    best = s;
  }
  if (h >= 2) {
    const uint32_t cut = r.y0 + (h + 1) / 2;
    Split s{0, map.Shrink({r.x0, r.y0, r.x1, cut}), map.Shrink({r.x0, cut, r.x1, r.y1})};
    s.gain = r.Area() - s.first.Area() - s.second.Area();
    if (s.gain > best.gain) best = s;
  }
  return best;
}

}  // namespace
}  // namespace quor

extern "C" int QuorChangedRects(QuorMovie* movie, uint32_t flags) {
  using namespace quor;
  if (!movie) return 0;
  Movie& m = *AsMovie(movie);
  if (flags & QUOR_RECTS_NONE) return 0;
  if (m.blitSkipped && !((flags | m.flags) & QUOR_OPEN_NEVER_SKIP)) return 0;
  if (m.rectCount != -1) return m.rectCount;

  const uint32_t rows = m.lumaHeight / 16;
  const ChangeMap map(m.changeMap, m.blocksPerRow);
  std::array<BlockRect, kMaxRects> rects;
  std::array<Split, kMaxRects> splits;
  int count = 0;
  rects[0] = map.Shrink({0, 0, m.blocksPerRow, rows});
  if (!rects[0].Empty()) count = 1;
  if (count && !(flags & QUOR_RECTS_BOUNDING)) {
    splits[0] = BestSplit(map, rects[0]);
    while (count < kMaxRects) {
      int best = 0;
      for (int i = 1; i < count; ++i)
        if (splits[i].gain > splits[best].gain) best = i;
      if (splits[best].gain == 0) break;
      const Split s = splits[best];
      rects[best] = s.first;
      rects[count] = s.second;
      splits[best] = BestSplit(map, rects[best]);
      splits[count] = BestSplit(map, rects[count]);
      ++count;
    }
  }
  std::sort(rects.begin(), rects.begin() + count,
            [](const BlockRect& a, const BlockRect& b) { return a.y0 != b.y0 ? a.y0 < b.y0 : a.x0 < b.x0; });
  const uint32_t mode = (m.flags >> QUOR_OPEN_DISPLAY_MODE_SHIFT) & 7;
  const uint32_t sx = (mode >= 3 && mode <= 5) ? 2 : 1;
  const uint32_t sy = (mode == 1 || mode == 2 || mode == 4 || mode == 5) ? 2 : 1;
  int stored = 0;
  for (int i = 0; i < count; ++i) {
    const uint32_t x = rects[i].x0 * 16 * sx, y = rects[i].y0 * 16 * sy;
    if (x >= m.width || y >= m.height) continue;  // wholly in the padding beyond the picture
    const uint32_t right = std::min(rects[i].x1 * 16 * sx, m.width);
    const uint32_t bottom = std::min(rects[i].y1 * 16 * sy, m.height);
    m.rects[stored++] = {int32_t(x), int32_t(y), int32_t(right - x), int32_t(bottom - y)};
  }
  m.rectCount = stored;
  return stored;
}

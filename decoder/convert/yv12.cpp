// YV12 destination: the luma plane, then a V plane and a U plane of half width and height.
#include <cstring>

#include "region.h"

namespace quor::convert {

namespace {

int64_t UpToEven(int64_t v) { return v + (v & 1); }

}  // namespace

void ConvertYv12(const ConvertSource& src, uint8_t* dest, int64_t pitch, int64_t destHeight,
                 int64_t x, int64_t y, SourceRect rect, uint32_t flags) {
  if (pitch <= 0 || destHeight <= 0) return;
  x = UpToEven(x);
  y = UpToEven(y);
  const int64_t sx = UpToEven(rect.x);
  const int64_t sy = UpToEven(rect.y);
  const int64_t width = (int64_t{rect.x} + rect.width - sx) & ~int64_t{1};
  const int64_t height = (int64_t{rect.y} + rect.height - sy) & ~int64_t{1};
  if (width <= 0 || height <= 0) return;
  const Span cols = VisibleSpan(sx, width, x, 1, 0, pitch & ~int64_t{1});
  const Span lines = VisibleSpan(sy, height, y, 1, 0, destHeight & ~int64_t{1});
  // Both ends are even: the start is even and so is each limit.
  if (cols.lo >= cols.hi || lines.lo >= lines.hi) return;

  const bool older = (flags & kConvertOlderStream) != 0;
  const bool gray = (flags & kConvertGrayscale) != 0;
  const uint8_t* vRole = older ? src.plane2 : src.plane1;
  const uint8_t* uRole = older ? src.plane1 : src.plane2;
  const int64_t chromaPitch = pitch / 2;
  uint8_t* vPlane = dest + pitch * destHeight;
  uint8_t* uPlane = vPlane + chromaPitch * (destHeight / 2);
  const size_t lumaStride = src.lumaStride;
  const size_t chromaStride = lumaStride / 2;
  const auto n = static_cast<size_t>(cols.hi - cols.lo);
  const int64_t column = x + (cols.lo - sx);

  for (int64_t sl = lines.lo; sl < lines.hi; ++sl) {
    const int64_t line = y + (sl - sy);
    std::memcpy(dest + line * pitch + column, src.luma + size_t(sl) * lumaStride + cols.lo, n);
    if ((sl & 1) != 0) continue;
    const int64_t chromaOffset = (line / 2) * chromaPitch + column / 2;
    const size_t from = size_t(sl / 2) * chromaStride + size_t(cols.lo / 2);
    if (gray) {
      std::memset(vPlane + chromaOffset, 128, n / 2);
      std::memset(uPlane + chromaOffset, 128, n / 2);
    } else {
      std::memcpy(vPlane + chromaOffset, vRole + from, n / 2);
      std::memcpy(uPlane + chromaOffset, uRole + from, n / 2);
    }
  }
}

}  // namespace quor::convert

// Locking, presenting and clearing a surface.
#include <algorithm>
#include <vector>

#include "surface.h"

using namespace quor::surface;

namespace {

bool Overlaps(JovRect a, JovRect b) {
  return int64_t{a.x} < int64_t{b.x} + b.width && int64_t{b.x} < int64_t{a.x} + a.width &&
         int64_t{a.y} < int64_t{b.y} + b.height && int64_t{b.y} < int64_t{a.y} + a.height;
}

// A cursor drawn into the screen's pixels is hidden while the picture under it is written.
void HideCursor(Surface& s) {
  if (!s.softwareCursor) return;
  JovDisplay& display = s.window->display();
  const JovRect picture{s.screenX, s.screenY, int32_t(s.sourceWidth), int32_t(s.sourceHeight)};
  if (!Overlaps(display.cursorArea(), picture)) return;
  while (display.showCursor(false) >= 0) ++s.cursorHides;
  ++s.cursorHides;
}

void ShowCursor(Surface& s) {
  for (; s.cursorHides > 0; --s.cursorHides) s.window->display().showCursor(true);
}

}  // namespace

extern "C" int QuorSurfaceLock(QuorSurface* surface) {
  if (surface == nullptr) return 0;
  Surface& s = *AsSurface(surface);
  if (s.pixels != nullptr) return 1;
  HideCursor(s);
  const JovPixels p = s.presenter->lock(s);
  if (p.data == nullptr) {
    s.format |= QUOR_SURFACE_FULL;
    ShowCursor(s);
    return 0;
  }
  s.pixels = p.data;
  s.pitch = p.pitch;
  return 1;
}

extern "C" int QuorSurfaceUnlock(QuorSurface* surface) {
  if (surface == nullptr) return 0;
  Surface& s = *AsSurface(surface);
  if (s.pixels != nullptr) s.presenter->unlock(s);
  s.pixels = nullptr;
  ShowCursor(s);
  s.format &= ~QUOR_SURFACE_FULL;
  return 1;
}

extern "C" void QuorSurfaceBlitRects(QuorSurface* surface, const QuorDirtyRect* rects, int32_t count) {
  if (surface == nullptr) return;
  Surface& s = *AsSurface(surface);
  const JovRect picture{0, 0, int32_t(s.sourceWidth), int32_t(s.sourceHeight)};
  const bool whole = rects == nullptr && count == 1;
  std::vector<JovRect> cut;
  if (whole) {
    cut.push_back(picture);
  } else if (rects != nullptr) {
    for (int32_t i = 0; i < count; ++i) {  // only what lies inside the picture
      const QuorDirtyRect& r = rects[i];
      const int64_t x0 = std::max<int64_t>(r.x, 0), y0 = std::max<int64_t>(r.y, 0);
      const int64_t x1 = std::min<int64_t>(int64_t{r.x} + r.width, picture.width);
      const int64_t y1 = std::min<int64_t>(int64_t{r.y} + r.height, picture.height);
      if (x1 > x0 && y1 > y0) cut.push_back({int32_t(x0), int32_t(y0), int32_t(x1 - x0), int32_t(y1 - y0)});
    }
  }
  s.presenter->present(s, cut, whole);
}

extern "C" int QuorSurfaceClear(QuorSurface* surface, uint32_t) {
  if (!QuorSurfaceLock(surface)) return 0;
  ClearBlack(static_cast<uint8_t*>(surface->pixels), surface->pitch, surface->sourceWidth, surface->sourceHeight,
             int(surface->format & 0xF));
  return QuorSurfaceUnlock(surface);
}

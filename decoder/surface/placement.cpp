// The picture's size and place on screen.
#include <algorithm>
#include <cstdint>

#include "surface.h"

using namespace quor::surface;

namespace quor::surface {

JovRect DestinationOf(const Surface& s, JovRect r) {
  const auto scale = [](int64_t v, uint32_t to, uint32_t from) { return int32_t(v * to / from); };
  const int32_t x0 = scale(r.x, s.destWidth, s.sourceWidth);
  const int32_t x1 = scale(int64_t{r.x} + r.width, s.destWidth, s.sourceWidth);
  const int32_t y0 = scale(r.y, s.destHeight, s.sourceHeight);
  const int32_t y1 = scale(int64_t{r.y} + r.height, s.destHeight, s.sourceHeight);
  return {s.pictureX + x0, s.pictureY + y0, x1 - x0, y1 - y0};
}

}  // namespace quor::surface

namespace {

// Whether a direction can take `target` (0 = the screen's size); stores it when it can.
bool TakeSize(int32_t target, uint32_t source, uint32_t screen, uint32_t caps, uint32_t kindBit, uint32_t& dest) {
  if (target < 0) return false;
  const uint32_t t = target == 0 ? screen : uint32_t(target);
  if (t == 0) return false;
  const uint32_t kind = StretchKind(t, source, kindBit);
  if ((caps & kind) != kind) return false;
  dest = t;
  return true;
}

}  // namespace

extern "C" int QuorSurfaceSetDestSize(QuorSurface* surface, int32_t width, int32_t height) {
  if (surface == nullptr) return 0;
  QuorSurface& s = *surface;
  const bool w = TakeSize(width, s.sourceWidth, s.screenWidth, s.capabilities, QUOR_STRETCH_WIDTH_REDUCE, s.destWidth);
  const bool h = TakeSize(height, s.sourceHeight, s.screenHeight, s.capabilities, QUOR_STRETCH_HEIGHT_REDUCE, s.destHeight);
  s.windowWidth = s.destWidth + s.borderWidth;
  s.windowHeight = s.destHeight + s.borderHeight;
  return w && h ? 1 : 0;
}

extern "C" int QuorSurfaceSetPosition(QuorSurface* surface, int32_t x, int32_t y) {
  if (surface == nullptr) return 0;
  Surface& s = *AsSurface(surface);
  const JovRect client = s.window->client();
  s.pictureX = x;
  s.pictureY = y;
  s.screenX = client.x + x;
  s.screenY = client.y + y;
  s.format |= QUOR_SURFACE_FULL;
  return 1;
}

extern "C" void QuorSurfaceAdjustPosition(QuorSurface* surface, int32_t* x, int32_t* y) {
  (void)y;  // rows need no alignment
  if (surface == nullptr || x == nullptr) return;
  const uint32_t bytes = surface->screenBits / 8;
  const int64_t align = bytes == 4 ? 2 : bytes == 3 ? 8 : 4;
  const int64_t onScreen = int64_t{*x} + surface->clientLeft;
  const int64_t aligned = (onScreen + align - 1) & ~(align - 1);  // upward, negative values too
  *x = int32_t(std::clamp<int64_t>(aligned - surface->clientLeft, INT32_MIN, INT32_MAX));
}

// Opening and closing surfaces: trying the blit styles, filling the record.
#include <new>

#include "surface.h"

using namespace quor::surface;

namespace {

constexpr uint32_t kLargest = 16384;  // keeps every buffer size far inside 32-bit pitches

constexpr const char* kStyleNames[] = {
    "",
    "window pixel buffer",
    "software picture scaled into the window pixel buffer",
    "YV12 overlay texture, accelerated renderer",
    "YUY2 overlay texture, accelerated renderer",
    "UYVY overlay texture, accelerated renderer",
    "YV12 off-screen texture, accelerated renderer",
    "YUY2 off-screen texture, accelerated renderer",
    "UYVY off-screen texture, accelerated renderer",
    "RGB off-screen texture, accelerated renderer",
    "RGB off-screen texture, software renderer",
};

std::unique_ptr<Presenter> TryStyle(Surface& s, uint32_t style, uint32_t flags) {
  s.style = style;
  s.format = 0;
  s.capabilities = 0;
  s.softwareCursor = false;
  const bool direct = s.window->display().directAccess();
  if (s.window->display().screen().format.bitsPerPixel <= 8) {  // no style shows palette screens
    SetError("256 color mode not supported.");
    return nullptr;
  }
  if (style == 1 && direct) return OpenWindowPixels(s, flags);
  if (style == 2) return OpenPicture(s, flags);
  if (style >= 3 && style <= 10 && direct) return OpenTexture(s, flags);
  return nullptr;
}

void Fill(Surface& s) {
  JovDisplay& display = s.window->display();
  const JovRect frame = s.window->frame(), client = s.window->client();
  const JovScreen screen = display.screen();
  s.borderWidth = uint32_t(frame.width - client.width);
  s.borderHeight = uint32_t(frame.height - client.height);
  s.clientLeft = client.x - frame.x;
  s.clientTop = client.y - frame.y;
  s.screenWidth = uint32_t(screen.width);
  s.screenHeight = uint32_t(screen.height);
  s.screenBits = screen.format.bitsPerPixel;
  s.format |= QUOR_SURFACE_FULL;
  s.pictureX = s.pictureY = 0;
  s.screenX = client.x;
  s.screenY = client.y;
  s.destWidth = s.sourceWidth;
  s.destHeight = s.sourceHeight;
  QuorSurfaceSetDestSize(&s, int32_t(s.sourceWidth), int32_t(s.sourceHeight));
  s.name = std::string(kStyleNames[s.style]) + " (" + display.name() + ")";
}

}  // namespace

extern "C" QuorSurface* QuorSurfaceOpen(JovWindow* window, uint32_t width, uint32_t height, uint32_t flags) {
  if (window == nullptr || width == 0 || height == 0) return nullptr;
  if (width > kLargest || height > kLargest) {
    SetError("No capable blitting style available.");
    return nullptr;
  }
  const uint32_t asked = flags & QUOR_SURFACE_STYLE_MASK;
  JovDisplay& display = window->display();
  if (asked != 0 && asked != 2 && !display.directAccess()) {
    SetError("DirectDraw is not available");
    return nullptr;
  }
  const bool mode = TakeModeUse(*window, flags);
  try {
    auto s = std::make_unique<Surface>();
    s->window = window;
    s->sourceWidth = width;
    s->sourceHeight = height;
    s->holdsMode = mode;
    const uint32_t first = asked != 0 ? asked : 1, last = asked != 0 ? asked : 10;
    for (uint32_t style = first; style <= last && !s->presenter; ++style) {
      SetError("");
      s->presenter = TryStyle(*s, style, flags);
    }
    if (s->presenter) {
      Fill(*s);
      return s.release();  // owned by the caller until QuorSurfaceClose
    }
  } catch (const std::bad_alloc&) {
    SetError("Unable to create DIBSection.");
  }
  if (ErrorText().empty()) {
    const uint32_t bits = display.screen().format.bitsPerPixel;
    SetError(bits >= 1 && bits <= 8 ? "256 color mode not supported." : "No capable blitting style available.");
  }
  if (mode) GiveModeUse();
  return nullptr;
}

extern "C" void QuorSurfaceClose(QuorSurface* surface) {
  if (surface == nullptr) return;
  std::unique_ptr<Surface> s(AsSurface(surface));
  if (s->pixels != nullptr) QuorSurfaceUnlock(s.get());
  s->presenter.reset();
  if (s->holdsMode) GiveModeUse();
}

extern "C" const char* QuorSurfaceStyleName(const QuorSurface* surface) {
  if (surface == nullptr) return "";
  return static_cast<const Surface*>(surface)->name.c_str();
}

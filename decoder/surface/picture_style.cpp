// Style 2: a software picture in the screen's RGB layout, drawn into the window's pixel buffer
// rectangle by rectangle (scaled to the destination size) and shown rectangle by rectangle.
#include "surface.h"

namespace quor::surface {

namespace {

class Picture : public Presenter {
 public:
  Picture(int code, uint32_t width, uint32_t height) {
    picture_.format = FormatOfCode(code);
    picture_.pitch = PitchFor(code, width);
    picture_.width = int32_t(width);
    picture_.height = int32_t(height);
    bytes_.assign(BytesFor(code, picture_.pitch, height), 0);
    picture_.data = bytes_.data();
  }
  JovPixels lock(Surface&) override { return picture_; }
  void unlock(Surface&) override {}
  void present(Surface& s, std::span<const JovRect> rects, bool) override {
    if (s.window->lockPixels().data == nullptr) return;
    std::vector<JovRect> shown;
    shown.reserve(rects.size());
    for (const JovRect& r : rects) {
      const JovRect to = DestinationOf(s, r);
      if (s.window->drawPicture(picture_, r, to)) shown.push_back(to);
    }
    s.window->unlockPixels();
    s.window->showPixels(shown);
  }

 private:
  std::vector<uint8_t> bytes_;
  JovPixels picture_;
};

}  // namespace

std::unique_ptr<Presenter> OpenPicture(Surface& s, uint32_t flags) {
  const JovPixelFormat screen = s.window->display().screen().format;
  if (screen.bitsPerPixel <= 8) {
    SetError("256 color mode not supported.");
    return nullptr;
  }
  int code = 0;
  switch (screen.bitsPerPixel) {
    case 16: code = screen.red == 0xF800 ? 10 : 9; break;
    case 24: code = 1; break;
    default: code = 3; break;
  }
  const JovPixels window = s.window->lockPixels();
  s.window->unlockPixels();
  if (window.data == nullptr) {
    SetError("Unable to create DIBSection.");
    return nullptr;
  }
  auto presenter = std::make_unique<Picture>(code, s.sourceWidth, s.sourceHeight);
  s.format = uint32_t(code) | ((flags & QUOR_SURFACE_STRETCH_MASK) ? QUOR_SURFACE_BOUNDING : 0);
  s.capabilities = 0xFF000000u;
  return presenter;
}

}  // namespace quor::surface

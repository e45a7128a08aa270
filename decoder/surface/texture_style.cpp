// Styles 3-10: a texture of the window's renderer. The picture is converted into a buffer of
// the texture's layout; overlays (3-5) hand the whole picture to the renderer when unlocked,
// off-screen styles (6-10) hand over the changed rectangles when they are presented. The
// renderer scales the texture to the destination size and turns YUV into the screen's colours.
#include "surface.h"

namespace quor::surface {

namespace {

class Texture : public Presenter {
 public:
  Texture(std::unique_ptr<JovTexture> texture, int code, uint32_t width, uint32_t height, bool overlay)
      : texture_(std::move(texture)), overlay_(overlay) {
    picture_.format = texture_->format();
    picture_.pitch = PitchFor(code, width);
    picture_.width = int32_t(width);
    picture_.height = int32_t(height);
    bytes_.assign(BytesFor(code, picture_.pitch, height), 0);
    picture_.data = bytes_.data();
    ClearBlack(picture_.data, picture_.pitch, width, height, code);
    texture_->upload(picture_, {0, 0, picture_.width, picture_.height});
  }
  JovPixels lock(Surface&) override { return picture_; }
  void unlock(Surface& s) override {
    if (!overlay_) return;
    texture_->upload(picture_, {0, 0, picture_.width, picture_.height});
    show(s);
  }
  void present(Surface& s, std::span<const JovRect> rects, bool whole) override {
    if (overlay_) {
      if (whole) show(s);
      return;
    }
    if (rects.empty()) return;
    for (const JovRect& r : rects) texture_->upload(picture_, r);
    show(s);
  }

 private:
  void show(Surface& s) {
    texture_->present(DestinationOf(s, {0, 0, picture_.width, picture_.height}));
  }
  std::unique_ptr<JovTexture> texture_;
  bool overlay_;
  std::vector<uint8_t> bytes_;
  JovPixels picture_;
};

}  // namespace

std::unique_ptr<Presenter> OpenTexture(Surface& s, uint32_t flags) {
  const uint32_t style = s.style;
  const bool overlay = style <= 5;
  const JovRenderer renderer = style == 10 ? JovRenderer::kSoftware : JovRenderer::kAccelerated;
  const uint32_t caps = CapabilityWord(s.window->scaling(renderer));
  const uint32_t wanted = flags & QUOR_SURFACE_STRETCH_MASK;
  if ((caps & wanted) != wanted) return nullptr;

  static constexpr int kYuvCodes[] = {15, 13, 14};  // YV12, YUY2, UYVY
  int code = 0;
  if (style <= 8) {
    code = kYuvCodes[(style - 3) % 3];
  } else {
    code = CodeOf(s.window->display().screen().format);
    if (code < 0) SetError("Video mode not supported.");
    if (code <= 0) return nullptr;
  }
  std::unique_ptr<JovTexture> texture =
      s.window->createTexture(renderer, FormatOfCode(code), int32_t(s.sourceWidth), int32_t(s.sourceHeight));
  if (!texture) return nullptr;
  auto presenter = std::make_unique<Texture>(std::move(texture), code, s.sourceWidth, s.sourceHeight, overlay);
  s.format = uint32_t(code) | (overlay ? QUOR_SURFACE_NO_RECTS : wanted ? QUOR_SURFACE_BOUNDING : 0);
  s.capabilities = caps;
  return presenter;
}

}  // namespace quor::surface

// Windows and textures of the headless display: pixel buffers in memory, composited into the
// memory screen when shown.
#include <algorithm>
#include <cstring>

#include "jov_headless.h"
#include "pixel_codec.h"

namespace {

using jov::Intersect;

int32_t AlignedPitch(int32_t width, uint32_t bytes) { return (width * int32_t(bytes) + 3) & ~3; }

size_t BlockBytes(const JovPixelFormat& format, int32_t pitch, int32_t height) {
  if (format.fourcc == kJovYV12) return JovYv12(pitch, height).size;
  return size_t(pitch) * size_t(height);
}

class HeadlessWindow;

class HeadlessTexture : public JovTexture {
 public:
  HeadlessTexture(HeadlessWindow& window, JovPixelFormat format, int32_t width, int32_t height)
      : window_(window) {
    block_.format = format;
    block_.width = width;
    block_.height = height;
    block_.pitch = format.fourcc == kJovYV12 ? (width + 1) & ~1 : AlignedPitch((width + 1) & ~1, format.bytesPerPixel());
    bytes_.assign(BlockBytes(format, block_.pitch, height), 0);
    block_.data = bytes_.data();
  }
  JovPixelFormat format() const override { return block_.format; }
  bool upload(const JovPixels& picture, JovRect area) override;
  bool present(JovRect destination) override;

 private:
  HeadlessWindow& window_;
  std::vector<uint8_t> bytes_;
  JovPixels block_;
};

class HeadlessWindow : public JovWindow {
 public:
  HeadlessWindow(JovHeadlessDisplay& display, int32_t width, int32_t height, JovFrame frame)
      : display_(display) {
    const JovHeadlessConfig& c = display.config();
    if (frame != JovFrame::kNone) {
      left_ = c.frameLeft;
      right_ = c.frameRight;
      bottom_ = c.frameBottom;
      top_ = frame == JovFrame::kCaption ? c.frameTop : c.frameBottom;
    }
    client_ = {left_, top_, std::max(width, 1), std::max(height, 1)};
  }
  JovDisplay& display() override { return display_; }
  JovHeadlessDisplay& headless() { return display_; }
  JovRect frame() const override {
    return {client_.x - left_, client_.y - top_, client_.width + left_ + right_, client_.height + top_ + bottom_};
  }
  JovRect client() const override { return client_; }
  bool visible() const override { return visible_; }
  void show(bool on) override { visible_ = on; }
  void place(int32_t x, int32_t y, int32_t w, int32_t h) override { client_ = {x, y, std::max(w, 1), std::max(h, 1)}; }
  void setTitle(const std::string&) override {}

  JovPixels lockPixels() override {
    if (!display_.config().windowPixels) return {};
    const JovPixelFormat format = display_.screen().format;
    if (pixels_.width != client_.width || pixels_.height != client_.height || !(pixels_.format == format)) {
      // A new buffer, as a real window gets one after a resize or a mode change.
      pixels_.format = format;
      pixels_.width = client_.width;
      pixels_.height = client_.height;
      pixels_.pitch = AlignedPitch(client_.width, format.bytesPerPixel());
      std::vector<uint8_t> fresh(size_t(pixels_.pitch) * size_t(client_.height), 0);
      bytes_.swap(fresh);
      pixels_.data = bytes_.data();
    }
    return pixels_;
  }
  void unlockPixels() override {}
  bool showPixels(std::span<const JovRect> areas) override {
    if (pixels_.data == nullptr) return false;
    for (JovRect a : areas) {
      a = Intersect(a, {0, 0, pixels_.width, pixels_.height});
      if (a.width <= 0 || a.height <= 0 || !visible_) continue;
      for (int32_t y = a.y; y < a.y + a.height; ++y)
        for (int32_t x = a.x; x < a.x + a.width; ++x)
          display_.store(client_.x + x, client_.y + y, jov::ReadRgb(pixels_, x, y));
      display_.noteShown({client_.x + a.x, client_.y + a.y, a.width, a.height});
    }
    return true;
  }
  bool drawPicture(const JovPixels& picture, JovRect source, JovRect destination) override {
    if (pixels_.data == nullptr || picture.data == nullptr) return false;
    source = Intersect(source, {0, 0, picture.width, picture.height});
    jov::ForEachScaled(source, destination, {0, 0, pixels_.width, pixels_.height},
                       [&](int32_t x, int32_t y, int32_t sx, int32_t sy) {
                         jov::WriteRgb(pixels_, x, y, jov::ReadRgb(picture, sx, sy));
                       });
    return true;
  }

  std::unique_ptr<JovTexture> createTexture(JovRenderer renderer, const JovPixelFormat& format, int32_t width,
                                            int32_t height) override {
    const JovHeadlessConfig& c = display_.config();
    if (!c.directAccess || width <= 0 || height <= 0) return nullptr;
    const bool accelerated = renderer == JovRenderer::kAccelerated;
    if (!(accelerated ? c.acceleratedRenderer : c.softwareRenderer)) return nullptr;
    const bool known = format.fourcc == 0
                           ? format == display_.screen().format
                           : accelerated && std::ranges::find(c.acceleratedFourccs, format.fourcc) != c.acceleratedFourccs.end();
    if (!known) return nullptr;
    return std::make_unique<HeadlessTexture>(*this, format, width, height);
  }
  JovScaling scaling(JovRenderer renderer) const override {
    return renderer == JovRenderer::kAccelerated ? display_.config().acceleratedScaling : display_.config().softwareScaling;
  }

  bool enterFullScreen(const JovDisplayMode& mode) override {
    if (!display_.setMode(mode)) return false;
    if (!fullScreen_) windowed_ = client_;
    fullScreen_ = true;
    client_ = {0, 0, mode.width, mode.height};
    return true;
  }
  void leaveFullScreen() override {
    if (!fullScreen_) return;
    display_.restoreMode();
    client_ = windowed_;
    fullScreen_ = false;
  }

 private:
  JovHeadlessDisplay& display_;
  int32_t left_ = 0, top_ = 0, right_ = 0, bottom_ = 0;
  JovRect client_;
  JovRect windowed_;
  bool visible_ = false;
  bool fullScreen_ = false;
  std::vector<uint8_t> bytes_;
  JovPixels pixels_;
};

bool HeadlessTexture::upload(const JovPixels& picture, JovRect area) {
  if (picture.data == nullptr || !(picture.format == block_.format)) return false;
  const bool yv12 = block_.format.fourcc == kJovYV12;
  const bool pairs = block_.format.fourcc == kJovYUY2 || block_.format.fourcc == kJovUYVY;
  if (yv12 || pairs) {  // whole chroma samples: widen the area to even edges
    const int32_t x1 = area.x + area.width, y1 = area.y + area.height;
    area.x &= ~1;
    area.width = ((x1 + 1) & ~1) - area.x;
    if (yv12) {
      area.y &= ~1;
      area.height = ((y1 + 1) & ~1) - area.y;
    }
  }
  area = Intersect(area, {0, 0, std::min(picture.width, block_.width), std::min(picture.height, block_.height)});
  if (area.width <= 0 || area.height <= 0) return true;
  const uint32_t bytes = block_.format.bytesPerPixel();
  for (int32_t y = area.y; y < area.y + area.height; ++y)
    std::memcpy(block_.data + size_t(y) * block_.pitch + size_t(area.x) * bytes,
                picture.data + size_t(y) * picture.pitch + size_t(area.x) * bytes, size_t(area.width) * bytes);
  if (yv12) {
    const JovYv12Layout to = JovYv12(block_.pitch, block_.height), from = JovYv12(picture.pitch, picture.height);
    for (int32_t y = area.y / 2; y < (area.y + area.height + 1) / 2; ++y) {
      const size_t t = size_t(y) * size_t(block_.pitch / 2) + size_t(area.x / 2);
      const size_t f = size_t(y) * size_t(picture.pitch / 2) + size_t(area.x / 2);
      const size_t n = size_t(area.width + 1) / 2;
      std::memcpy(block_.data + to.v + t, picture.data + from.v + f, n);
      std::memcpy(block_.data + to.u + t, picture.data + from.u + f, n);
    }
  }
  return true;
}

bool HeadlessTexture::present(JovRect destination) {
  if (!window_.visible()) return true;
  const JovRect client = window_.client();
  JovHeadlessDisplay& screen = window_.headless();
  for (int32_t y = 0; y < client.height; ++y)
    for (int32_t x = 0; x < client.width; ++x) screen.store(client.x + x, client.y + y, 0);
  jov::ForEachScaled({0, 0, block_.width, block_.height}, destination, {0, 0, client.width, client.height},
                     [&](int32_t x, int32_t y, int32_t sx, int32_t sy) {
                       screen.store(client.x + x, client.y + y, jov::ReadRgb(block_, sx, sy));
                     });
  const JovRect shown = Intersect(destination, {0, 0, client.width, client.height});
  if (shown.width > 0 && shown.height > 0)
    screen.noteShown({client.x + shown.x, client.y + shown.y, shown.width, shown.height});
  return true;
}

}  // namespace

std::unique_ptr<JovWindow> JovHeadlessDisplay::createWindow(const std::string&, int32_t clientWidth,
                                                            int32_t clientHeight, JovFrame frame) {
  return std::make_unique<HeadlessWindow>(*this, clientWidth, clientHeight, frame);
}

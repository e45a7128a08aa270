// Style 1: the picture is converted straight into the window's own pixel buffer at its place,
// and that part of the buffer is shown when the surface is unlocked.
#include "surface.h"

namespace quor::surface {

namespace {

class WindowPixels : public Presenter {
 public:
  JovPixels lock(Surface& s) override {
    JovPixels p = s.window->lockPixels();
    const int64_t right = int64_t{s.pictureX} + s.sourceWidth, bottom = int64_t{s.pictureY} + s.sourceHeight;
    // The whole picture must lie inside the buffer: conversion writes every row in full.
    if (p.data == nullptr || CodeOf(p.format) != code_ || s.pictureX < 0 || s.pictureY < 0 || right > p.width ||
        bottom > p.height) {
      s.window->unlockPixels();
      return {};
    }
    if (p.data != last_.data || p.pitch != last_.pitch) s.format |= QUOR_SURFACE_FULL;  // a new buffer
    last_ = p;
    JovPixels at = p;
    at.data += size_t(s.pictureY) * p.pitch + size_t(s.pictureX) * p.format.bytesPerPixel();
    at.width = int32_t(s.sourceWidth);
    at.height = int32_t(s.sourceHeight);
    return at;
  }
  void unlock(Surface& s) override {
    s.window->unlockPixels();
    showPicture(s);
  }
  void present(Surface& s, std::span<const JovRect>, bool whole) override {
    if (whole) showPicture(s);  // a repaint; frames were shown when unlocked
  }
  int code_ = 0;

 private:
  static void showPicture(Surface& s) {
    const JovRect picture{s.pictureX, s.pictureY, int32_t(s.sourceWidth), int32_t(s.sourceHeight)};
    s.window->showPixels({&picture, 1});
  }
  JovPixels last_;
};

}  // namespace

std::unique_ptr<Presenter> OpenWindowPixels(Surface& s, uint32_t flags) {
  if ((flags & QUOR_SURFACE_STRETCH_MASK) != 0) return nullptr;  // the buffer cannot scale
  const JovPixels p = s.window->lockPixels();
  s.window->unlockPixels();
  if (p.data == nullptr) return nullptr;
  const int code = CodeOf(p.format);
  if (code < 0) SetError("Video mode not supported.");
  if (code <= 0) return nullptr;
  auto presenter = std::make_unique<WindowPixels>();
  presenter->code_ = code;
  s.format = uint32_t(code) | QUOR_SURFACE_NO_RECTS;
  s.capabilities = 0;
  s.softwareCursor = s.window->display().cursorIsSoftware();
  return presenter;
}

}  // namespace quor::surface

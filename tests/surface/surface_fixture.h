// A headless screen with one shown window, and a decoded frame of the demo movie with its
// reference picture, for the surface tests.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "demo_art.h"
#include "jov_headless.h"
#include "quor_convert.h"
#include "quor_stats.h"
#include "quor_surface.h"

namespace quortest {

inline constexpr int32_t kClientX = 40, kClientY = 30;

struct Screen {
  explicit Screen(JovHeadlessConfig config = {}, int32_t w = 320, int32_t h = 240)
      : display(std::move(config)), window(display.createWindow("test", w, h, JovFrame::kCaption)) {
    window->place(kClientX, kClientY, w, h);
    window->show(true);
  }
  JovHeadlessDisplay display;
  std::unique_ptr<JovWindow> window;
};

struct SurfaceCloser {
  void operator()(QuorSurface* s) const { QuorSurfaceClose(s); }
};
using SurfacePtr = std::unique_ptr<QuorSurface, SurfaceCloser>;

inline SurfacePtr Open(Screen& screen, uint32_t w, uint32_t h, uint32_t flags) {
  return SurfacePtr(QuorSurfaceOpen(screen.window.get(), w, h, flags));
}

// The demo movie, decoded frame by frame; `reference` is the current frame in format 3.
struct DemoFrames {
  DemoFrames() : image(Image()), movie(QuorOpenImage(image.data(), image.size(), QUOR_OPEN_NEVER_SKIP)) {}
  ~DemoFrames() { QuorClose(movie); }
  static const std::vector<uint8_t>& Image() {
    static const std::vector<uint8_t> demo = DemoMovie(false);
    return demo;
  }
  // Decodes the next frame (stepping past the one decoded before).
  bool next() {
    if (decoded) QuorStepFrame(movie);
    decoded = true;
    if (QuorDecodeFrame(movie) != 0) return false;
    reference.assign(size_t(movie->width) * movie->height * 4, 0);
    QuorConvertFrame(movie, reference.data(), int32_t(movie->width * 4), int32_t(movie->height), 0, 0,
                     3 | QUOR_CONVERT_FORCE_FULL);
    return true;
  }
  uint32_t rgb(uint32_t x, uint32_t y) const {
    const uint8_t* p = &reference[(size_t(y) * movie->width + x) * 4];
    return uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
  }
  const std::vector<uint8_t>& image;
  QuorMovie* movie;
  std::vector<uint8_t> reference;
  bool decoded = false;
};

// The largest difference of one channel between two colours.
inline int ChannelGap(uint32_t a, uint32_t b) {
  int gap = 0;
  for (int shift : {0, 8, 16}) gap = std::max(gap, std::abs(int(a >> shift & 0xFF) - int(b >> shift & 0xFF)));
  return gap;
}

// One frame through a surface as the playback loop does it.
inline void PresentFrame(QuorSurface* s, QuorMovie* m) {
  ASSERT_EQ(QuorSurfaceLock(s), 1);
  QuorConvertFrame(m, s->pixels, s->pitch, int32_t(s->sourceHeight), 0, 0, s->format);
  QuorSurfaceUnlock(s);
  QuorSurfaceBlitRects(s, m->rects, QuorChangedRects(m, s->format));
}

}  // namespace quortest

// Each blit style's lock, conversion and presentation cycle: the frame appears on the headless
// screen at the picture's place, in its own colours, scaled to the destination size.
#include "surface_fixture.h"

namespace quortest {
namespace {

// Styles with a screen of 32-bit pixels, and how far their colours may stray from the RGB
// conversion (YUV styles go through the renderer's own colour conversion).
struct StyleCase {
  uint32_t style;
  uint32_t code;  // the format code of the buffer
  int tolerance;
};

class EveryStyle : public ::testing::TestWithParam<StyleCase> {};

TEST_P(EveryStyle, ShowsTheFrameAtThePicturePlace) {
  Screen screen({}, 400, 300);
  DemoFrames demo;
  ASSERT_TRUE(demo.next());
  const uint32_t w = demo.movie->width, h = demo.movie->height;
  SurfacePtr s = Open(screen, w, h, GetParam().style);
  ASSERT_NE(s, nullptr) << QuorSurfaceGetError();
  ASSERT_EQ(s->style, GetParam().style);
  EXPECT_EQ(s->format & 0xF, GetParam().code);
  ASSERT_NE(s->format & QUOR_SURFACE_FULL, 0u);  // a new surface needs a whole picture
  QuorSurfaceSetPosition(s.get(), 24, 8);
  PresentFrame(s.get(), demo.movie);
  QuorSurfaceBlitRects(s.get(), nullptr, 1);  // as a repaint would
  int worst = 0;
  for (uint32_t y = 0; y < h; y += 3)
    for (uint32_t x = 0; x < w; x += 3)
      worst = std::max(worst, ChannelGap(screen.display.rgbAt(kClientX + 24 + int32_t(x), kClientY + 8 + int32_t(y)),
                                         demo.rgb(x, y)));
  EXPECT_LE(worst, GetParam().tolerance);
  EXPECT_EQ(screen.display.rgbAt(kClientX + 23, kClientY + 8), 0u);  // left of the picture
  EXPECT_EQ(s->format & QUOR_SURFACE_FULL, 0u);
}

INSTANTIATE_TEST_SUITE_P(Styles, EveryStyle,
                         ::testing::Values(StyleCase{1, 3, 0}, StyleCase{2, 3, 0}, StyleCase{3, 15, 4},
                                           StyleCase{4, 13, 4}, StyleCase{5, 14, 4}, StyleCase{6, 15, 4},
                                           StyleCase{7, 13, 4}, StyleCase{8, 14, 4}, StyleCase{9, 3, 0},
                                           StyleCase{10, 3, 0}),
                         [](const auto& info) { return "Style" + std::to_string(info.param.style); });

// 16- and 24-bit screens: the window buffer and the software picture take the screen's layout.
TEST(ScreenLayouts, PrimaryAndPictureStylesUseTheScreensLayout) {
  struct Case {
    JovPixelFormat screen;
    uint32_t code;
    int bits[3];  // red, green, blue bits
  };
  const Case cases[] = {
      {kJovRgb565, 10, {5, 6, 5}},
      {{0, 16, 0x7C00, 0x3E0, 0x1F, 0}, 9, {5, 5, 5}},
      {{0, 24, 0xFF0000, 0xFF00, 0xFF, 0}, 1, {8, 8, 8}},
  };
  for (const Case& c : cases) {
    for (uint32_t style : {1u, 2u}) {
      JovHeadlessConfig config;
      config.screen.format = c.screen;
      Screen screen(config);
      DemoFrames demo;
      ASSERT_TRUE(demo.next());
      SurfacePtr s = Open(screen, demo.movie->width, demo.movie->height, style);
      ASSERT_NE(s, nullptr) << QuorSurfaceGetError();
      EXPECT_EQ(s->format & 0xF, c.code) << "style " << style;
      EXPECT_EQ(s->screenBits, c.screen.bitsPerPixel);
      PresentFrame(s.get(), demo.movie);
      if (style == 2) QuorSurfaceBlitRects(s.get(), nullptr, 1);
      for (uint32_t y = 0; y < demo.movie->height; y += 7)
        for (uint32_t x = 0; x < demo.movie->width; x += 7) {
          uint32_t want = 0;
          for (int i = 0; i < 3; ++i) {
            const int shift = 16 - 8 * i;
            const uint32_t keep = (0xFFu << (8 - c.bits[i])) & 0xFF;
            want |= ((demo.rgb(x, y) >> shift) & keep) << shift;
          }
          ASSERT_EQ(screen.display.rgbAt(kClientX + int32_t(x), kClientY + int32_t(y)), want)
              << "style " << style << " code " << c.code << " at " << x << "," << y;
        }
    }
  }
}

TEST(Stretching, ScaledStylesFillTheDestinationSize) {
  for (uint32_t style : {2u, 3u, 7u, 9u}) {
    Screen screen({}, 640, 480);
    DemoFrames demo;
    ASSERT_TRUE(demo.next());
    const uint32_t w = demo.movie->width, h = demo.movie->height;
    SurfacePtr s = Open(screen, w, h, style | QUOR_STRETCH_WIDTH_INTEGER_ENLARGE | QUOR_STRETCH_HEIGHT_INTEGER_ENLARGE);
    ASSERT_NE(s, nullptr) << style;
    ASSERT_EQ(QuorSurfaceSetDestSize(s.get(), int32_t(2 * w), int32_t(2 * h)), 1);
    EXPECT_EQ(s->windowWidth, 2 * w + s->borderWidth);
    EXPECT_EQ(s->windowHeight, 2 * h + s->borderHeight);
    PresentFrame(s.get(), demo.movie);
    QuorSurfaceBlitRects(s.get(), nullptr, 1);
    int worst = 0;
    for (uint32_t y = 0; y < 2 * h; y += 5)
      for (uint32_t x = 0; x < 2 * w; x += 5)
        worst = std::max(worst, ChannelGap(screen.display.rgbAt(kClientX + int32_t(x), kClientY + int32_t(y)),
                                           demo.rgb(x / 2, y / 2)));
    EXPECT_LE(worst, style == 2 || style == 9 ? 0 : 4) << "style " << style;
  }
}

}  // namespace
}  // namespace quortest

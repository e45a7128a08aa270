// What reaches the screen: only the changed rectangles for styles that present rectangles, the
// whole picture for those that do not; cleared pictures, display modes and the cursor.
#include <cstring>

#include "surface_fixture.h"

namespace quortest {
namespace {

JovRect OnScreen(const QuorDirtyRect& r) { return {kClientX + r.x, kClientY + r.y, r.width, r.height}; }

TEST(Rectangles, OnlyChangedAreasArePresented) {
  for (uint32_t style : {2u, 6u, 9u}) {
    Screen screen;
    DemoFrames demo;
    SurfacePtr s = Open(screen, demo.movie->width, demo.movie->height, style);
    ASSERT_NE(s, nullptr);
    ASSERT_TRUE(demo.next());
    PresentFrame(s.get(), demo.movie);  // the first frame: everything changed
    ASSERT_TRUE(demo.next());
    screen.display.forgetShown();
    PresentFrame(s.get(), demo.movie);
    const int count = demo.movie->rectCount;
    ASSERT_GT(count, 0);
    uint64_t changed = 0;
    for (int i = 0; i < count; ++i) changed += uint64_t(demo.movie->rects[i].width) * demo.movie->rects[i].height;
    ASSERT_LT(changed, uint64_t(demo.movie->width) * demo.movie->height / 2) << "the square moves, the rest stays";
    if (style == 2) {  // the picture shows exactly these rectangles
      ASSERT_EQ(screen.display.shown().size(), size_t(count));
      for (int i = 0; i < count; ++i) EXPECT_EQ(screen.display.shown()[i], OnScreen(demo.movie->rects[i]));
    } else {  // the texture takes them; the renderer shows the whole picture once
      ASSERT_EQ(screen.display.shown().size(), 1u);
      EXPECT_EQ(screen.display.shown()[0], (JovRect{kClientX, kClientY, 320, 240}));
    }
    for (uint32_t y = 0; y < demo.movie->height; y += 4)
      for (uint32_t x = 0; x < demo.movie->width; x += 4)
        ASSERT_LE(ChannelGap(screen.display.rgbAt(kClientX + int32_t(x), kClientY + int32_t(y)), demo.rgb(x, y)),
                  style == 6 ? 4 : 0)
            << "style " << style << " at " << x << "," << y;
  }
}

TEST(Rectangles, StylesWithoutRectanglesShowTheWholePictureOnUnlock) {
  for (uint32_t style : {1u, 3u}) {
    Screen screen;
    DemoFrames demo;
    SurfacePtr s = Open(screen, demo.movie->width, demo.movie->height, style);
    ASSERT_NE(s, nullptr);
    EXPECT_NE(s->format & QUOR_RECTS_NONE, 0u);
    ASSERT_TRUE(demo.next());
    ASSERT_TRUE(demo.next());
    screen.display.forgetShown();
    PresentFrame(s.get(), demo.movie);
    EXPECT_EQ(QuorChangedRects(demo.movie, s->format), 0);
    ASSERT_EQ(screen.display.shown().size(), 1u) << style;
    EXPECT_EQ(screen.display.shown()[0], (JovRect{kClientX, kClientY, 320, 240}));
  }
}

TEST(Rectangles, ScaledRectanglesMeetAndStayInsideThePicture) {
  Screen screen({}, 400, 300);
  SurfacePtr s = Open(screen, 30, 30, 2 | QUOR_STRETCH_WIDTH_ENLARGE | QUOR_STRETCH_HEIGHT_ENLARGE);
  ASSERT_NE(s, nullptr);
  EXPECT_NE(s->format & QUOR_RECTS_BOUNDING, 0u);
  ASSERT_EQ(QuorSurfaceSetDestSize(s.get(), 100, 100), 1);
  const QuorDirtyRect rects[] = {{0, 0, 10, 30}, {10, 0, 10, 30}, {25, 25, 100, 100}, {-5, -5, 3, 3}};
  screen.display.forgetShown();
  QuorSurfaceBlitRects(s.get(), rects, 4);
  const auto& shown = screen.display.shown();
  ASSERT_EQ(shown.size(), 3u);  // the last lies outside the picture
  EXPECT_EQ(shown[0].x + shown[0].width, shown[1].x);  // no seam between neighbours
  EXPECT_EQ(shown[2], (JovRect{kClientX + 83, kClientY + 83, 17, 17}));  // cut at the picture's edge
}

TEST(Clearing, BlackForEachLayout) {
  struct Case {
    uint32_t style;
    std::vector<uint8_t> row;  // the first bytes of a cleared row
  } cases[] = {{2, {0, 0, 0, 0, 0, 0, 0, 0}}, {4, {0, 128, 0, 128}}, {5, {128, 0, 128, 0}}, {3, {16, 16, 16, 16}}};
  for (const Case& c : cases) {
    Screen screen;
    SurfacePtr s = Open(screen, 7, 5, c.style);
    ASSERT_NE(s, nullptr);
    ASSERT_EQ(QuorSurfaceLock(s.get()), 1);
    std::memset(s->pixels, 0x55, size_t(s->pitch) * 5);
    QuorSurfaceUnlock(s.get());
    ASSERT_EQ(QuorSurfaceClear(s.get(), 0), 1);
    ASSERT_EQ(QuorSurfaceLock(s.get()), 1);
    const auto* p = static_cast<const uint8_t*>(s->pixels);
    for (int y = 0; y < 5; ++y)
      EXPECT_EQ(std::vector<uint8_t>(p + y * s->pitch, p + y * s->pitch + c.row.size()), c.row) << c.style;
    if (c.style == 3) {  // both chroma planes of YV12 are 128
      const JovYv12Layout l = JovYv12(s->pitch, 5);
      for (int y = 0; y < 3; ++y) {
        EXPECT_EQ(p[l.v + size_t(y) * (s->pitch / 2) + 3], 128);
        EXPECT_EQ(p[l.u + size_t(y) * (s->pitch / 2) + 3], 128);
      }
    }
    QuorSurfaceUnlock(s.get());
  }
}

TEST(Clearing, WindowBufferOutsideThePictureIsKept) {
  Screen screen({}, 40, 40);
  SurfacePtr s = Open(screen, 8, 8, 1);
  ASSERT_NE(s, nullptr);
  JovPixels whole = screen.window->lockPixels();
  std::memset(whole.data, 0x77, size_t(whole.pitch) * whole.height);
  screen.window->unlockPixels();
  QuorSurfaceSetPosition(s.get(), 4, 4);
  ASSERT_EQ(QuorSurfaceClear(s.get(), 0), 1);
  whole = screen.window->lockPixels();
  EXPECT_EQ(whole.data[4 * whole.pitch + 4 * 4], 0);
  EXPECT_EQ(whole.data[4 * whole.pitch + 3 * 4], 0x77);
  EXPECT_EQ(whole.data[12 * whole.pitch + 4 * 4], 0x77);
  screen.window->unlockPixels();
}

TEST(Locking, APictureOutsideTheWindowBufferIsNotLocked) {
  Screen screen({}, 40, 40);
  SurfacePtr s = Open(screen, 32, 32, 1);
  ASSERT_NE(s, nullptr);
  QuorSurfaceUnlock(s.get());
  QuorSurfaceSetPosition(s.get(), 16, 0);
  QuorSurfaceUnlock(s.get());  // clears the full-picture bit
  EXPECT_EQ(QuorSurfaceLock(s.get()), 0);
  EXPECT_NE(s->format & QUOR_SURFACE_FULL, 0u);
  QuorSurfaceSetPosition(s.get(), 8, 8);
  EXPECT_EQ(QuorSurfaceLock(s.get()), 1);
  QuorSurfaceUnlock(s.get());
}

TEST(Locking, SoftwareCursorIsHiddenOverThePicture) {
  JovHeadlessConfig config;
  config.softwareCursor = true;
  config.cursor = {kClientX + 10, kClientY + 10, 32, 32};
  Screen screen(config, 64, 64);
  SurfacePtr s = Open(screen, 64, 64, 1);
  ASSERT_NE(s, nullptr);
  ASSERT_EQ(QuorSurfaceLock(s.get()), 1);
  EXPECT_LT(screen.display.cursorCount(), 0);
  QuorSurfaceUnlock(s.get());
  EXPECT_EQ(screen.display.cursorCount(), 0);
  screen.display.config().cursor = {kClientX + 200, kClientY, 32, 32};
  ASSERT_EQ(QuorSurfaceLock(s.get()), 1);
  EXPECT_EQ(screen.display.cursorCount(), 0);
  QuorSurfaceUnlock(s.get());
}

TEST(DisplayModes, DepthOrderAndRestoreOnLastClose) {
  struct Case {
    uint32_t depth, bits;  // asked depth code, depth set
  } cases[] = {{1, 16}, {2, 32}, {3, 24}, {16, 16}, {8, 8}};
  for (const Case& c : cases) {
    JovHeadlessConfig config;
    config.modes = {{640, 480, 8}, {640, 480, 16}, {640, 480, 24}, {640, 480, 32}};
    if (c.depth == 3) config.modes.pop_back();  // no 32-bit mode: 24 follows
    Screen screen(config, 64, 48);
    QuorSurfaceSetVideoMode(640, 480, c.depth);
    SurfacePtr s = Open(screen, 64, 48, QUOR_SURFACE_CHANGE_MODE | (c.bits == 8 ? 0 : 2));
    if (c.bits == 8) {  // set, but no style works on it: the mode is given back
      EXPECT_EQ(s, nullptr);
      EXPECT_STREQ(QuorSurfaceGetError(), "256 color mode not supported.");
      EXPECT_EQ(screen.display.screen().width, 1024);
      continue;
    }
    ASSERT_NE(s, nullptr) << QuorSurfaceGetError();
    EXPECT_EQ(s->screenWidth, 640u);
    EXPECT_EQ(s->screenBits, c.bits) << "depth code " << c.depth;
    SurfacePtr second = Open(screen, 64, 48, QUOR_SURFACE_CHANGE_MODE | 2);  // shares the mode
    ASSERT_NE(second, nullptr);
    s.reset();
    EXPECT_EQ(screen.display.screen().width, 640);
    second.reset();
    EXPECT_EQ(screen.display.screen().width, 1024);
  }
}

TEST(DisplayModes, MissingModeLeavesTheScreen) {
  Screen screen;
  QuorSurfaceSetVideoMode(320, 200, 16);
  SurfacePtr s = Open(screen, 64, 48, QUOR_SURFACE_CHANGE_MODE);
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->screenWidth, 1024u);
}

}  // namespace
}  // namespace quortest

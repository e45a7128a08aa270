// Which style a request gets: the automatic order, the stretch kinds each style can do, and the
// error texts when none can serve.
#include "surface.h"
#include "surface_fixture.h"

namespace quortest {
namespace {

constexpr uint32_t kDouble = QUOR_STRETCH_WIDTH_INTEGER_ENLARGE | QUOR_STRETCH_HEIGHT_INTEGER_ENLARGE;

struct ChoiceCase {
  const char* what;
  void (*setUp)(JovHeadlessConfig&);
  uint32_t flags;
  uint32_t style;       // 0 = no surface
  const char* error;    // when no surface
};

const ChoiceCase kChoices[] = {
    {"plain window", [](JovHeadlessConfig&) {}, 0, 1, nullptr},
    {"stretching skips the window buffer", [](JovHeadlessConfig&) {}, kDouble, 2, nullptr},
    {"no direct access leaves the picture", [](JovHeadlessConfig& c) { c.directAccess = false; }, 0, 2, nullptr},
    {"no window buffer: YV12 overlay", [](JovHeadlessConfig& c) { c.windowPixels = false; }, 0, 3, nullptr},
    {"YUY2 overlay",
     [](JovHeadlessConfig& c) {
       c.windowPixels = false;
       c.acceleratedFourccs = {kJovYUY2};
     },
     0, 4, nullptr},
    {"UYVY overlay",
     [](JovHeadlessConfig& c) {
       c.windowPixels = false;
       c.acceleratedFourccs = {kJovUYVY};
     },
     0, 5, nullptr},
    {"no YUV textures: RGB accelerated",
     [](JovHeadlessConfig& c) {
       c.windowPixels = false;
       c.acceleratedFourccs = {};
     },
     0, 9, nullptr},
    {"no accelerated renderer",
     [](JovHeadlessConfig& c) {
       c.windowPixels = false;
       c.acceleratedRenderer = false;
     },
     0, 10, nullptr},
    {"accelerated renderer cannot enlarge",
     [](JovHeadlessConfig& c) {
       c.windowPixels = false;
       c.acceleratedScaling = {};
     },
     kDouble, 10, nullptr},
    {"nothing works",
     [](JovHeadlessConfig& c) {
       c.windowPixels = false;
       c.acceleratedRenderer = c.softwareRenderer = false;
     },
     0, 0, "No capable blitting style available."},
    {"8-bit screen", [](JovHeadlessConfig& c) { c.screen.format = {0, 8, 0, 0, 0, 0}; }, 0, 0,
     "256 color mode not supported."},
    {"explicit window buffer without direct access", [](JovHeadlessConfig& c) { c.directAccess = false; }, 1, 0,
     "DirectDraw is not available"},
    {"explicit overlay without direct access", [](JovHeadlessConfig& c) { c.directAccess = false; }, 3, 0,
     "DirectDraw is not available"},
    {"explicit window buffer with stretching", [](JovHeadlessConfig&) {}, 1 | kDouble, 0,
     "No capable blitting style available."},
    {"explicit picture without a window buffer", [](JovHeadlessConfig& c) { c.windowPixels = false; }, 2, 0,
     "Unable to create DIBSection."},
    {"window buffer of an unknown layout",
     [](JovHeadlessConfig& c) { c.screen.format = {0, 32, 0xFF000000u, 0xFF0000, 0xFF00, 0}; }, 1, 0,
     "Video mode not supported."},
    {"no such style", [](JovHeadlessConfig&) {}, 11, 0, "No capable blitting style available."},
};

TEST(StyleChoice, AutomaticOrderAndErrorTexts) {
  for (const ChoiceCase& c : kChoices) {
    JovHeadlessConfig config;
    c.setUp(config);
    Screen screen(config);
    SurfacePtr s = Open(screen, 64, 48, c.flags);
    if (c.style == 0) {
      EXPECT_EQ(s, nullptr) << c.what;
      EXPECT_STREQ(QuorSurfaceGetError(), c.error) << c.what;
      continue;
    }
    ASSERT_NE(s, nullptr) << c.what << ": " << QuorSurfaceGetError();
    EXPECT_EQ(s->style, c.style) << c.what;
    EXPECT_STREQ(QuorSurfaceGetError(), "") << c.what;
    EXPECT_NE(std::string(QuorSurfaceStyleName(s.get())).find("(headless)"), std::string::npos);
  }
}

TEST(StyleChoice, RefusesEmptyAndHugePictures) {
  Screen screen;
  EXPECT_EQ(Open(screen, 0, 48, 0), nullptr);
  EXPECT_EQ(Open(screen, 64, 0, 0), nullptr);
  EXPECT_EQ(Open(screen, 100000, 100000, 2), nullptr);
  EXPECT_EQ(QuorSurfaceOpen(nullptr, 64, 48, 0), nullptr);
  EXPECT_STREQ(QuorSurfaceStyleName(nullptr), "");
}

TEST(StretchKinds, NeededKindPerSizeChange) {
  using quor::surface::StretchKind;
  const uint32_t bit = QUOR_STRETCH_WIDTH_REDUCE;
  struct Case {
    int64_t target, size;
    uint32_t kind;
  } cases[] = {{320, 320, 0}, {640, 320, bit * 8}, {960, 320, bit * 8}, {160, 320, bit * 2},
               {480, 320, bit * 4}, {200, 320, bit}, {0, 320, bit * 8}};
  for (const Case& c : cases) EXPECT_EQ(StretchKind(c.target, c.size, bit), c.kind) << c.target << "/" << c.size;
}

TEST(StretchKinds, CapabilityWordsFromRendererScaling) {
  using quor::surface::CapabilityWord;
  EXPECT_EQ(CapabilityWord({}), 0u);
  EXPECT_EQ(CapabilityWord({{true, true, true, true}, {true, true, true, true}}), 0xFF000000u);
  EXPECT_EQ(CapabilityWord({{false, true, false, false}, {false, false, false, true}}), 0x80000000u | 0x02000000u);
  EXPECT_EQ(CapabilityWord({{false, false, true, false}, {true, false, false, false}}), 0x30000000u | 0x0C000000u);
}

TEST(StretchKinds, DestinationSizesNeedTheStylesCapabilities) {
  JovHeadlessConfig config;
  config.screen.width = 800;
  config.screen.height = 600;
  config.windowPixels = false;  // an overlay that can only enlarge by integers
  config.acceleratedScaling = {{false, true, false, false}, {false, true, false, false}};
  Screen screen(config);
  SurfacePtr overlay = Open(screen, 100, 50, 3);
  ASSERT_NE(overlay, nullptr);
  EXPECT_EQ(overlay->capabilities, QUOR_STRETCH_WIDTH_INTEGER_ENLARGE | QUOR_STRETCH_HEIGHT_INTEGER_ENLARGE);
  EXPECT_EQ(QuorSurfaceSetDestSize(overlay.get(), 300, 100), 1);
  EXPECT_EQ(overlay->destWidth, 300u);
  EXPECT_EQ(QuorSurfaceSetDestSize(overlay.get(), 150, 75), 0);  // 1.5 times: neither taken
  EXPECT_EQ(overlay->destWidth, 300u);
  EXPECT_EQ(overlay->destHeight, 100u);
  EXPECT_EQ(QuorSurfaceSetDestSize(overlay.get(), 0, 0), 1);  // the screen: 8 and 12 times
  EXPECT_EQ(overlay->destWidth, 800u);
  EXPECT_EQ(overlay->destHeight, 600u);
  EXPECT_EQ(QuorSurfaceSetDestSize(overlay.get(), -200, 100), 0);
  EXPECT_EQ(overlay->destWidth, 800u);
  EXPECT_EQ(overlay->windowWidth, 800u + overlay->borderWidth);

  Screen plain;
  SurfacePtr primary = Open(plain, 100, 50, 0);
  ASSERT_EQ(primary->style, 1u);
  EXPECT_EQ(QuorSurfaceSetDestSize(primary.get(), 200, 50), 0);
  EXPECT_EQ(primary->destWidth, 100u);
  EXPECT_EQ(QuorSurfaceSetDestSize(primary.get(), 100, 50), 1);
}

TEST(Placement, RecordDescribesWindowAndScreen) {
  JovHeadlessConfig config;
  Screen screen(config, 64, 48);
  SurfacePtr s = Open(screen, 64, 48, 0);
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->borderWidth, uint32_t(config.frameLeft + config.frameRight));
  EXPECT_EQ(s->borderHeight, uint32_t(config.frameTop + config.frameBottom));
  EXPECT_EQ(s->clientLeft, config.frameLeft);
  EXPECT_EQ(s->clientTop, config.frameTop);
  EXPECT_EQ(s->windowWidth, 64u + s->borderWidth);
  EXPECT_EQ(s->screenWidth, 1024u);
  EXPECT_EQ(s->screenBits, 32u);
  QuorSurfaceSetPosition(s.get(), 5, 7);
  EXPECT_EQ(s->screenX, kClientX + 5);
  EXPECT_EQ(s->screenY, kClientY + 7);
  EXPECT_NE(s->format & QUOR_SURFACE_FULL, 0u);
}

TEST(Placement, PositionsAlignUpwardByScreenDepth) {
  struct Case {
    JovPixelFormat screen;
    int32_t in, out;  // with the client area 3 pixels right of the window's edge
  } cases[] = {
      {kJovXrgb8888, 0, 1},  {kJovXrgb8888, 1, 1},  {kJovXrgb8888, -4, -3},
      {{0, 24, 0xFF0000, 0xFF00, 0xFF, 0}, 0, 5},   {{0, 24, 0xFF0000, 0xFF00, 0xFF, 0}, -12, -11},
      {kJovRgb565, 2, 5},    {kJovRgb565, -10, -7},  {kJovRgb565, 5, 5},
  };
  for (const Case& c : cases) {
    JovHeadlessConfig config;
    config.screen.format = c.screen;
    Screen screen(config, 64, 48);
    SurfacePtr s = Open(screen, 64, 48, 2);
    ASSERT_EQ(s->clientLeft, 3);
    int32_t x = c.in, y = 13;
    QuorSurfaceAdjustPosition(s.get(), &x, &y);
    EXPECT_EQ(x, c.out) << c.in << " at " << c.screen.bitsPerPixel << " bits";
    EXPECT_EQ(y, 13);
    QuorSurfaceAdjustPosition(s.get(), nullptr, nullptr);
  }
}

}  // namespace
}  // namespace quortest

// YV12 output and the whole-picture 32-bit entries.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "convert.h"
#include "quor_convert.h"
#include "test_picture.h"

namespace quor {
namespace {

using test::Surface;
using test::TestPicture;

TEST(Yv12, CopiesLumaAndPlacesChromaPlanesInVThenUOrder) {
  constexpr uint32_t kW = 22, kH = 14;
  struct Case {
    uint32_t flags;
    int32_t x, y;  // odd offsets round up to even
  };
  for (Case c : {Case{15, 0, 0}, {15 | kConvertOlderStream, 0, 0}, {15 | kConvertGrayscale, 0, 0},
                 {15, 3, 1}}) {
    SCOPED_TRACE("flags " + std::to_string(c.flags) + " at " + std::to_string(c.x));
    TestPicture picture(kW, kH);
    picture.Randomize(c.flags);
    constexpr uint32_t kPitch = 32, kRows = 20;
    Surface s(kPitch, kRows + kRows / 2);  // luma, then V and U planes of half size
    ASSERT_EQ(ConvertPicture(picture.Source(), s.bytes.data(), kPitch, kRows, c.x, c.y, c.flags), 1);
    const uint32_t x0 = c.x + (c.x & 1), y0 = c.y + (c.y & 1);
    const bool older = c.flags & kConvertOlderStream, gray = c.flags & kConvertGrayscale;
    const uint8_t* vPlane = s.bytes.data() + kPitch * kRows;
    const uint8_t* uPlane = vPlane + kPitch / 2 * (kRows / 2);
    for (uint32_t r = 0; r < kRows; ++r)
      for (uint32_t px = 0; px < kPitch; ++px) {
        const bool in = r >= y0 && r < y0 + kH && px >= x0 && px < x0 + kW;
        ASSERT_EQ(s.Row(r)[px], in ? picture.Y(px - x0, r - y0) : Surface::kSentinel)
            << r << "," << px;
      }
    for (uint32_t r = 0; r < kRows / 2; ++r)
      for (uint32_t cx = 0; cx < kPitch / 2; ++cx) {
        const bool in = r >= y0 / 2 && r < (y0 + kH) / 2 && cx >= x0 / 2 && cx < (x0 + kW) / 2;
        const uint32_t sx = cx - x0 / 2, sy = r - y0 / 2;
        const uint8_t v = !in ? Surface::kSentinel : gray ? 128 : older ? picture.P2(sx, sy) : picture.P1(sx, sy);
        const uint8_t u = !in ? Surface::kSentinel : gray ? 128 : older ? picture.P1(sx, sy) : picture.P2(sx, sy);
        ASSERT_EQ(vPlane[r * kPitch / 2 + cx], v) << "V " << r << "," << cx;
        ASSERT_EQ(uPlane[r * kPitch / 2 + cx], u) << "U " << r << "," << cx;
      }
  }
}

TEST(Yuv32Blit, MatchesFormatThreeAndFiveOverAnyRectangle) {
  constexpr uint32_t kW = 48, kH = 30;
  TestPicture picture(kW, kH, true);
  picture.Randomize(9);
  YUV_init(-1);
  for (uint32_t code : {3u, 5u}) {
    Surface whole(kW * 4, kH);
    ConvertSource src = picture.Source();
    ASSERT_EQ(ConvertPicture(src, whole.bytes.data(), whole.pitch, kH, 0, 0, code | kConvertForceFull), 1);
    struct Rect {
      uint32_t x, y, w, h;
    };
    for (Rect r : {Rect{0, 0, kW, kH}, {3, 1, 40, 27}, {17, 5, 1, 1}}) {
      SCOPED_TRACE("code " + std::to_string(code) + " rect " + std::to_string(r.x));
      Surface s(r.w * 4 + 8, r.h + 1);
      const int ok = code == 3
                         ? YUV_blit_32bpp(s.bytes.data(), 2, 1, s.pitch, picture.buffer(), r.x, r.y,
                                          r.w, r.h, picture.stride(), picture.rows(), 0)
                         : YUV_blit_32abpp(s.bytes.data(), 2, 1, s.pitch, picture.buffer(), r.x,
                                           r.y, r.w, r.h, picture.stride(), picture.rows(), 0,
                                           picture.alpha());
      ASSERT_EQ(ok, 1);
      for (uint32_t row = 0; row < s.rows; ++row)
        for (uint32_t b = 0; b < s.pitch; ++b) {
          const bool in = row >= 1 && b >= 8 && b < 8 + r.w * 4;
          const uint8_t want = in ? whole.Row(row - 1 + r.y)[r.x * 4 + b - 8] : Surface::kSentinel;
          ASSERT_EQ(s.Row(row)[b], want) << row << "," << b;
        }
    }
  }
  // A rectangle reaching past the picture is refused and writes nothing.
  Surface s(64, 4);
  EXPECT_EQ(YUV_blit_32bpp(s.bytes.data(), 0, 0, 64, picture.buffer(), picture.stride() - 4, 0, 8,
                           2, picture.stride(), picture.rows(), 0),
            0);
  EXPECT_EQ(s.bytes, std::vector<uint8_t>(s.bytes.size(), Surface::kSentinel));
}

}  // namespace
}  // namespace quor

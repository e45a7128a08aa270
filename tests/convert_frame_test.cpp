// QuorConvertFrame on a decoded movie: the movie's picture and flags reach the conversion, and a
// late frame's conversion is skipped.
#include <cstring>

#include "clock.h"
#include "convert/convert.h"
#include "movie_fixture.h"
#include "quor_convert.h"

namespace quortest {
namespace {

std::vector<uint8_t> Expected(QuorMovie* m, uint32_t flags, int32_t pitch, int32_t rows) {
  const quor::Movie& in = Internals(m);
  QuorPicture p;
  QuorGetPicture(m, &p);
  quor::ConvertSource src;
  src.luma = p.plane[0];
  src.plane1 = p.plane[1];
  src.plane2 = p.plane[2];
  src.lumaStride = in.lumaWidth;
  src.lumaRows = in.lumaHeight;
  src.width = p.width;
  src.height = p.height;
  src.changeMap = in.changeMap;
  src.blocksPerRow = in.blocksPerRow;
  std::vector<uint8_t> out(size_t(pitch) * rows, 0xCD);
  quor::ConvertPicture(src, out.data(), pitch, rows, 0, 0, flags | (m->flags & 0x70030000u));
  return out;
}

TEST(ConvertFrame, ConvertsTheFrontPictureWithTheMovieFlags) {
  MovieSpec spec = PatternMovie(4, 200);
  spec.width = 48;
  spec.height = 32;
  spec.version = 'g';  // the older conversion variant comes from the movie
  const auto image = BuildMovie(spec);
  QuorMovie* m = QuorOpenImage(image.data(), image.size(), 3u << 28);  // width doubled
  ASSERT_NE(m, nullptr);
  ASSERT_EQ(m->width, 96u);
  for (int frame = 0; frame < 3; ++frame) {
    ASSERT_EQ(QuorDecodeFrame(m), 0);
    for (uint32_t format : {3u, 10u, 13u}) {
      const int32_t pitch = 96 * 4;
      std::vector<uint8_t> out(size_t(pitch) * 32, 0xCD);
      EXPECT_EQ(QuorConvertFrame(m, out.data(), pitch, 32, 0, 0, format), 0);
      EXPECT_EQ(out, Expected(m, format, pitch, 32)) << "frame " << frame << " format " << format;
      EXPECT_EQ(Internals(m).conversionFlags, format | (m->flags & 0x70030000u));
    }
    QuorStepFrame(m);
  }
  EXPECT_EQ(QuorConvertFrame(nullptr, nullptr, 0, 0, 0, 0, 3), 0);
  EXPECT_EQ(QuorConvertFrame(m, nullptr, 4, 1, 0, 0, 3), 0);
  QuorClose(m);
}

TEST(ConvertFrame, LateFramesAreSkippedUnlessNeverSkip) {
  FakeSound::Get().Reset();
  FakeSound::Get().ready = false;
  UseFakeSound();
  quor::ManualClock clock(1000, 0);
  MovieSpec spec = PatternMovie(10, 100, 1);
  spec.rateNumerator = 10;
  const auto image = BuildMovie(spec);
  QuorMovie* m = QuorOpenImage(image.data(), image.size(), 0);
  ASSERT_NE(m, nullptr);
  ASSERT_EQ(QuorDecodeFrame(m), 0);
  QuorStepFrame(m);
  clock.Advance(1000);
  ASSERT_EQ(QuorDecodeFrame(m), 0);
  std::vector<uint8_t> out(32 * 4 * 16, 0xCD);
  const auto untouched = out;
  EXPECT_EQ(QuorConvertFrame(m, out.data(), 32 * 4, 16, 0, 0, 3), 1);
  EXPECT_EQ(out, untouched) << "a skipped conversion writes nothing";
  EXPECT_EQ(QuorConvertFrame(m, out.data(), 32 * 4, 16, 0, 0, 3 | QUOR_CONVERT_NEVER_SKIP | QUOR_CONVERT_FORCE_FULL), 1);
  EXPECT_NE(out, untouched) << "never-skip converts the late frame";
  QuorClose(m);
}

}  // namespace
}  // namespace quortest

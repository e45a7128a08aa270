// Whole movies through the library: QuorOpenImage, QuorDecodeFrame (which calls the video
// decoder) and QuorGetPicture, for version i with alpha and an older version in grayscale.
#include <gtest/gtest.h>

#include "movie_writer.h"
#include "plane_fixture.h"
#include "quor.h"

namespace {

using namespace quortest;

std::vector<uint8_t> Filled(uint32_t width, uint32_t height, uint8_t colour, bool older = false) {
  std::vector<std::vector<BlockSpec>> rows(height / 8, std::vector<BlockSpec>(width / 8, FillBlock(colour)));
  PlaneSpec spec = videotest::PlaneOf(width, height, rows);
  spec.older = older;
  return WritePlane(spec);
}

std::vector<uint8_t> Shifted(uint32_t width, uint32_t height) {
  std::vector<std::vector<BlockSpec>> rows(height / 8, std::vector<BlockSpec>(width / 8, SkipBlock()));
  rows[0][0] = MotionBlock(0, 0);
  rows[0][1] = FillBlock(33);
  return WritePlane(videotest::PlaneOf(width, height, rows));
}

TEST(VideoMovie, VersionIWithAlphaDecodesThroughTheLibrary) {
  MovieSpec spec;
  spec.width = 35;
  spec.height = 27;
  spec.videoFlags = QUOR_VIDEO_ALPHA;
  FrameData key;
  key.alpha = true;
  key.alphaPlane = Filled(40, 32, 250);
  key.luma = Filled(40, 32, 100);
  key.chroma1 = Filled(24, 16, 60);
  key.chroma2 = Filled(24, 16, 70);
  FrameData next;
  next.alpha = true;
  next.alphaPlane = Shifted(40, 32);
  next.luma = Shifted(40, 32);
  next.chroma1 = Shifted(24, 16);
  next.chroma2 = Shifted(24, 16);
  spec.frames.push_back({true, {}, WriteFrame(key)});
  spec.frames.push_back({false, {}, WriteFrame(next)});
  const std::vector<uint8_t> image = BuildMovie(spec);
  QuorMovie* movie = QuorOpenImage(image.data(), image.size(), QUOR_OPEN_ALPHA | QUOR_OPEN_NO_READ_THREAD);
  ASSERT_NE(movie, nullptr) << QuorErrorText();
  ASSERT_EQ(QuorDecodeFrame(movie), 0);
  QuorPicture p{};
  ASSERT_EQ(QuorGetPicture(movie, &p), 1);
  EXPECT_EQ(p.plane[0][26 * p.stride[0] + 34], 100);
  EXPECT_EQ(p.plane[1][13 * p.stride[1] + 17], 60);
  EXPECT_EQ(p.plane[2][0], 70);
  ASSERT_NE(p.alpha, nullptr);
  EXPECT_EQ(p.alpha[5], 250);
  QuorStepFrame(movie);
  ASSERT_EQ(QuorDecodeFrame(movie), 0);
  ASSERT_EQ(QuorGetPicture(movie, &p), 1);
  EXPECT_EQ(p.plane[0][0], 100);   // the motion block copied the first frame
  EXPECT_EQ(p.plane[0][8], 33);
  EXPECT_EQ(p.plane[2][9], 33);
  EXPECT_EQ(p.alpha[7 * p.stride[0] + 15], 33);
  EXPECT_EQ(p.alpha[31 * p.stride[0] + 39], 250);
  QuorClose(movie);
}

TEST(VideoMovie, OlderGrayscaleMovieOfKeyFrames) {
  MovieSpec spec;
  spec.version = 'h';
  spec.width = 16;
  spec.height = 16;
  spec.videoFlags = QUOR_VIDEO_GRAYSCALE;
  for (uint8_t c : {10, 20}) {
    FrameData f;
    f.older = true;
    f.luma = Filled(16, 16, c, true);
    spec.frames.push_back({true, {}, WriteFrame(f)});
  }
  const std::vector<uint8_t> image = BuildMovie(spec);
  QuorMovie* movie = QuorOpenImage(image.data(), image.size(), QUOR_OPEN_NO_READ_THREAD);
  ASSERT_NE(movie, nullptr) << QuorErrorText();
  QuorPicture p{};
  for (uint8_t c : {10, 20}) {
    ASSERT_EQ(QuorDecodeFrame(movie), 0);
    ASSERT_EQ(QuorGetPicture(movie, &p), 1);
    EXPECT_EQ(p.plane[0][15 * p.stride[0] + 15], c);
    QuorStepFrame(movie);
  }
  QuorClose(movie);
}

}  // namespace

// Streams that break the rules of a valid stream: the decoder stays inside its buffers, ends,
// and behaves as its guards say.
#include <gtest/gtest.h>

#include <random>

#include "plane_fixture.h"

namespace {

using namespace quortest;
using videotest::PlaneBuffers;
using videotest::PlaneOf;

// A plane header of identity maps (table 0: symbols are plain 4-bit values).
void IdentityHeader(BitWriter& w) {
  for (int i = 0; i < 23; ++i) w.Put(0, 4);
}

TEST(VideoHostile, ChunkCountsAboveCapacityAndRunsPastTheCountAreCut) {
  BitWriter w;
  IdentityHeader(w);
  w.Put(1023, 10);  // block types: capacity 514 for 16 pixels, count cut to it
  w.PutBit(false);
  w.Put(6, 4);      // literal fill type
  for (int i = 0; i < 17; ++i) w.Put(15, 4);  // runs of 32: the last one passes 514 and is cut
  w.Put(0, 10);     // sub-block types silenced
  w.Put(4, 10);     // colours: count 4 (capacity 640 for 16 pixels: 10 count bits)
  w.PutBit(true);
  w.Put(0x4, 4);    // high nibble 4, low nibble 2: colour 0x42
  w.Put(0x2, 4);
  for (int i = 0; i < 6; ++i) w.Put(0, 10);  // the other streams silenced
  const auto data = w.Words();
  PlaneBuffers p(16, 16, 16, 16);
  p.Decode(data);
  EXPECT_EQ(p.At(0, 0), 0x42);
  EXPECT_EQ(p.At(15, 15), 0x42);
  videotest::WriteVideoSeed("count_above_capacity", 16, 16, videotest::kSeedPlane, data);
}

TEST(VideoHostile, DryStreamsYieldZeros) {
  // Two fill blocks but a colour chunk of one value: the second takes 0.
  PlaneSpec spec = PlaneOf(16, 8, {{FillBlock(9), FillBlock(0)}});
  spec.rows[0][1].colours.clear();
  PlaneBuffers p(16, 8, 16, 16);
  std::fill(p.plane.begin(), p.plane.end(), 0x77);
  p.Decode(WritePlane(spec));
  EXPECT_EQ(p.At(0, 0), 9);
  EXPECT_EQ(p.At(8, 0), 0);
  // Data that stops after the header: every value reads zero bits, every block is a skip.
  BitWriter w;
  IdentityHeader(w);
  PlaneBuffers q(16, 16, 16, 16);
  q.FillPrevious();
  EXPECT_EQ(q.Decode(w.Words()), 24u);  // 92 header bits and nine 10-bit counts read as 0
  EXPECT_EQ(q.plane, q.previous);
}

TEST(VideoHostile, MotionVectorsAreClampedIntoThePreviousPlane) {
  PlaneBuffers p(16, 16, 16, 16);
  p.FillPrevious();
  const auto data = WritePlane(PlaneOf(16, 16, {{MotionBlock(-15, -15), MotionBlock(15, 3)},
                                                {MotionBlock(-3, 15), SkipBlock()}}));
  p.Decode(data);
  EXPECT_EQ(p.Block(0, 0), p.Block(p.previous, 0, 0));
  EXPECT_EQ(p.Block(8, 0), p.Block(p.previous, 8, 3));
  EXPECT_EQ(p.Block(0, 8), p.Block(p.previous, 0, 8));
  videotest::WriteVideoSeed("clamped_vectors", 16, 16, videotest::kSeedPlane, data);
}

TEST(VideoHostile, ScaledBlocksPastTheEdgeStopThePlane) {
  struct Case {
    std::vector<std::vector<BlockSpec>> rows;
    unsigned drawnBlocks;  // blocks drawn in reading order before the plane stops
  };
  std::vector<Case> cases;
  // At the right edge of an even row.
  cases.push_back({{{FillBlock(1), FillBlock(2), ScaledBlock(FillBlock(3))},
                    {FillBlock(4), FillBlock(5), FillBlock(6)}}, 2});
  // In the last (even) row, with no odd row below.
  cases.push_back({{{FillBlock(1), FillBlock(2), FillBlock(3)},
                    {FillBlock(4), FillBlock(5), FillBlock(6)},
                    {ScaledBlock(FillBlock(7)), FillBlock(8)}}, 6});
  // An odd-row type 1 without a scaled block above draws nothing; at the edge it stops.
  cases.push_back({{{FillBlock(1), FillBlock(2), FillBlock(3)},
                    {ScaledContinuation(), FillBlock(6)},
                    {FillBlock(7), FillBlock(8), FillBlock(9)}}, 9});
  cases.push_back({{{FillBlock(1), FillBlock(2), FillBlock(3)},
                    {FillBlock(4), FillBlock(5), ScaledContinuation()},
                    {FillBlock(7), FillBlock(8), FillBlock(9)}}, 5});
  for (size_t n = 0; n < cases.size(); ++n) {
    SCOPED_TRACE("case " + std::to_string(n));
    PlaneBuffers p(24, 24, 32, 32);
    std::fill(p.plane.begin(), p.plane.end(), 0xEE);
    const auto data = WritePlane(PlaneOf(24, 24, cases[n].rows));
    p.Decode(data);
    videotest::WriteVideoSeed("scaled_edge_" + std::to_string(n), 24, 24, videotest::kSeedPlane, data);
    unsigned index = 0;
    for (unsigned by = 0; by < 3; ++by)
      for (unsigned bx = 0; bx < 3; ++bx, ++index) {
        const uint8_t colour = p.At(bx * 8 + 3, by * 8 + 3);
        if (n == 2 && index == 3) {
          EXPECT_EQ(colour, 0xEE);  // under the stray odd-row type 1
        } else if (n == 2 && index == 4) {
          EXPECT_EQ(colour, 0xEE);
        } else if (index < cases[n].drawnBlocks) {
          EXPECT_EQ(colour, index + 1) << index;
        } else {
          EXPECT_EQ(colour, 0xEE) << index;
        }
      }
  }
}

TEST(VideoHostile, RunsPastPosition63AreCutAtTheBlockEnd) {
  BlockSpec run;
  run.type = 3;
  run.bits.Put(5, 4);  // scan table 5
  for (int i = 0; i < 5; ++i) run.bits.PutBit(true);
  run.colours = {1, 2, 3, 4, 5};
  run.runs = {15, 15, 15, 13, 15};  // 16 + 16 + 16 + 14 = 62, then 16 more from 62
  PlaneBuffers p(16, 8, 16, 16);
  std::fill(p.plane.begin(), p.plane.end(), 0xEE);
  const auto data = WritePlane(PlaneOf(16, 8, {{run, FillBlock(9)}}));
  p.Decode(data);
  EXPECT_EQ(p.At(7, 7), 5);  // scan table 5 ends with positions 62, 63 in the last segment
  EXPECT_EQ(p.At(8, 0), 9);  // the next block's colour is still where it belongs
  videotest::WriteVideoSeed("run_past_63", 16, 8, videotest::kSeedPlane, data);
}

TEST(VideoHostile, FramesCutShortOrWithWrongSizeWordsStayInside) {
  const uint32_t w = 35, h = 27, stride = 48, rows = 32;
  videotest::StreamStore streams(stride);
  std::vector<uint8_t> back(stride * rows * 3 / 2), front(back.size(), 5), alpha(stride * rows);
  std::vector<uint8_t> map(stride / 16 * (rows / 16) + 1);
  std::mt19937 rng(1);
  for (int trial = 0; trial < 200; ++trial) {
    std::vector<uint8_t> video(rng() % 300);
    for (auto& b : video) b = uint8_t(rng());
    if (video.size() >= 8 && trial % 2) {  // plausible size words
      video[0] = uint8_t(rng() % 64);
      video[1] = video[2] = video[3] = 0;
    }
    const uint32_t flags = (trial & 4 ? 0x8000 : 0) | (trial & 8 ? 0x100000 : 0) | (trial & 16 ? 0x20000 : 0);
    // The exact size: the sanitizer build catches any read past it.
    std::vector<uint8_t> exact(video);
    QuorDecodeVideo(back.data(), front.data(), alpha.data(), alpha.data(), map.data(), w, h,
                    stride, rows, exact.data(), exact.size(), 0, &streams.buffers, flags,
                    trial & 32 ? 0x100000 : 0);
    EXPECT_EQ(map.back(), 0) << "the terminating byte stays 0";
  }
}

}  // namespace

// Every block type and scaled sub-type drawn in a crafted plane, with its change marking.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "plane_fixture.h"

namespace {

using namespace quortest;
using videotest::PlaneBuffers;
using videotest::PlaneOf;
using Image = std::array<uint8_t, 64>;

std::array<int16_t, 64> SomeCoefficients() {
  std::array<int16_t, 64> c{};
  c[1] = 5;
  c[8] = -3;
  c[9] = 2;
  c[18] = -1;
  c[63] = 1;
  return c;
}

Image Gradient() {
  Image g;
  for (unsigned i = 0; i < 64; ++i) g[i] = uint8_t(i * 3 + 1);
  return g;
}

struct BlockCase {
  std::string name;
  BlockSpec block;
  bool marks;
  // The expected 8x8 block at (8, 8) from the previous plane and the plane before decoding.
  std::function<Image(const PlaneBuffers&)> expected;
};

// The block under test sits at (8, 8) of a 24x24 plane (stride 32, 32 rows) among skip blocks.
std::vector<BlockCase> Cases() {
  std::vector<BlockCase> cases;
  auto same = [](const PlaneBuffers& p) { return p.Block(p.previous, 8, 8); };
  cases.push_back({"skip", SkipBlock(), false, same});
  cases.push_back({"motion", MotionBlock(-5, 9), true,
                   [](const PlaneBuffers& p) { return p.Block(p.previous, 3, 17); }});
  cases.push_back({"motion into padding", MotionBlock(15, 15), true,
                   [](const PlaneBuffers& p) { return p.Block(p.previous, 23, 23); }});
  cases.push_back({"fill", FillBlock(0xA7), true, [](const PlaneBuffers&) {
                     Image i;
                     i.fill(0xA7);
                     return i;
                   }});
  cases.push_back({"raw", RawBlock(Gradient()), true, [](const PlaneBuffers&) { return Gradient(); }});
  const std::array<uint8_t, 8> rows = {0x01, 0x80, 0xFF, 0x00, 0x55, 0xAA, 0x0F, 0xF0};
  cases.push_back({"pattern", PatternBlock(10, 200, rows), true, [rows](const PlaneBuffers&) {
                     Image i;
                     for (unsigned y = 0; y < 8; ++y)
                       for (unsigned x = 0; x < 8; ++x) i[y * 8 + x] = (rows[y] >> x & 1) ? 200 : 10;
                     return i;
                   }});
  // Run: 16 of colour 9, 5 literals, 16 x 4 more of one colour each, then 26 + 63rd.
  std::vector<RunSegment> segments = {{true, 16, {9}}, {false, 5, {1, 2, 3, 4, 5}},
                                      {true, 16, {20}}, {true, 16, {21}}, {true, 10, {22}}};
  cases.push_back({"run", RunBlock(2, segments, 99), true, [segments](const PlaneBuffers&) {
                     // Scan table 2 written out from its definition.
                     const uint8_t scan[64] = {25, 17, 18, 26, 27, 19, 11, 3, 2, 10, 9, 1, 0, 8, 16, 24,
                                               32, 40, 48, 56, 57, 49, 41, 42, 50, 58, 59, 51, 43, 35, 34, 33,
                                               29, 21, 22, 30, 31, 23, 15, 7, 6, 14, 13, 5, 4, 12, 20, 28,
                                               36, 44, 52, 60, 61, 53, 45, 46, 54, 62, 63, 55, 47, 39, 38, 37};
                     Image img{};
                     unsigned i = 0;
                     for (const RunSegment& s : segments)
                       for (unsigned k = 0; k < s.length; ++k, ++i)
                         img[scan[i]] = s.same ? s.colours[0] : s.colours[k];
                     img[scan[63]] = 99;
                     return img;
                   }});
  cases.push_back({"intra", IntraBlock(700, SomeCoefficients(), 6), true, [](const PlaneBuffers&) {
                     auto c = SomeCoefficients();
                     c[0] = 700;
                     Image i;
                     QuorIdctPut(i.data(), 8, c.data(), 6);
                     return i;
                   }});
  cases.push_back({"inter", InterBlock(3, -2, -40, SomeCoefficients(), 11), true,
                   [](const PlaneBuffers& p) {
                     auto c = SomeCoefficients();
                     c[0] = -40;
                     const Image prediction = p.Block(p.previous, 11, 6);
                     Image i;
                     QuorIdctAdd(i.data(), 8, c.data(), 11, prediction.data());
                     return i;
                   }});
  std::array<int8_t, 64> residue{};
  residue[0] = 30;
  residue[7] = -12;
  residue[36] = 127;
  cases.push_back({"residue", ResidueBlock(-8, 0, residue, 6, 127), true,
                   [residue](const PlaneBuffers& p) {
                     Image i = p.Block(p.previous, 0, 8);
                     for (unsigned k = 0; k < 64; ++k) i[k] = uint8_t(i[k] + residue[k]);
                     return i;
                   }});
  for (uint8_t type = 10; type < 16; ++type)
    cases.push_back({"type " + std::to_string(type), IgnoredBlock(type), false,
                     [](const PlaneBuffers& p) { return p.Block(8, 8); }});
  return cases;
}

TEST(VideoBlocks, EachTypeDrawsAndMarks) {
  for (const BlockCase& c : Cases()) {
    SCOPED_TRACE(c.name);
    PlaneBuffers p(24, 24, 32, 32);
    p.FillPrevious();
    std::fill(p.plane.begin(), p.plane.end(), 0x33);  // the picture before the previous one
    const Image expected = c.expected(p);
    // Types 12..15 exist only as a chunk's fill value: their row is all of that type.
    const bool wholeRow = c.block.type >= 12;
    const BlockSpec side = wholeRow ? c.block : SkipBlock();
    PlaneSpec spec = PlaneOf(24, 24, {{SkipBlock(), SkipBlock(), SkipBlock()},
                                      {side, c.block, side},
                                      {SkipBlock(), SkipBlock(), SkipBlock()}});
    const std::vector<uint8_t> data = WritePlane(spec);
    EXPECT_EQ(p.Decode(data), data.size());
    EXPECT_EQ(p.Block(8, 8), expected);
    EXPECT_EQ(p.Block(16, 16), p.Block(p.previous, 16, 16));  // the skips around it copy
    // Map: 2 bytes a row; block (1, 1) is in byte 0 of row 0.
    EXPECT_EQ(p.map[0], c.marks ? 1 : 0);
    EXPECT_EQ(p.map[1] + p.map[2] + p.map[3], 0);
  }
}

TEST(VideoBlocks, ScaledSubTypesDrawDoubledImages) {
  std::vector<RunSegment> runs = {{true, 16, {5}}, {true, 16, {6}}, {true, 16, {7}}, {true, 16, {8}}};
  const std::array<uint8_t, 8> rows = {1, 2, 4, 8, 16, 32, 64, 128};
  struct ScaledCase {
    BlockSpec inner;
    bool draws;
  };
  std::vector<ScaledCase> cases = {{RunBlock(7, runs), true},
                                   {IntraBlock(1500, SomeCoefficients(), 3), true},
                                   {FillBlock(77), true},
                                   {PatternBlock(3, 250, rows), true},
                                   {RawBlock(Gradient()), true},
                                   {ScaledSubType(0), false},
                                   {ScaledSubType(2), false},
                                   {ScaledSubType(7), false},
                                   {ScaledSubType(15), false}};
  for (size_t n = 0; n < cases.size(); ++n) {
    SCOPED_TRACE("case " + std::to_string(n));
    BlockSpec block = cases[n].inner.type == 1 ? cases[n].inner : ScaledBlock(cases[n].inner);
    // The reference image: the same block drawn at full size into a plane of its own.
    PlaneBuffers single(8, 8, 16, 16);
    BlockSpec plain = cases[n].inner;
    if (cases[n].draws) single.Decode(WritePlane(PlaneOf(8, 8, {{plain}})));
    // The scaled block at block column 1 (an odd column), inside a 32 x 16 plane.
    PlaneBuffers p(32, 16, 32, 16);
    std::fill(p.plane.begin(), p.plane.end(), 0x44);
    const auto data = WritePlane(PlaneOf(32, 16, {{FillBlock(1), block, FillBlock(2)},
                                                 {FillBlock(3), ScaledContinuation(), FillBlock(4)}}));
    EXPECT_EQ(p.Decode(data), data.size());
    for (unsigned y = 0; y < 16; ++y)
      for (unsigned x = 8; x < 24; ++x)
        ASSERT_EQ(p.At(x, y), cases[n].draws ? single.At((x - 8) / 2, y / 2) : 0x44) << x << "," << y;
    EXPECT_EQ(p.At(0, 15), 3);
    EXPECT_EQ(p.At(31, 15), 4);
    // Block column 1 marks bytes 0 and 1 whether or not the sub-type draws.
    EXPECT_EQ(p.map[0], 1);
    EXPECT_EQ(p.map[1], 1);
  }
}

TEST(VideoBlocks, ChromaScaledBlocksMarkTwoBytesInEachRow) {
  PlaneBuffers p(32, 16, 32, 16, 2);  // chroma: a map byte per 8x8 block
  const auto data = WritePlane(PlaneOf(32, 16, {{SkipBlock(), ScaledBlock(FillBlock(9)), SkipBlock()},
                                               {SkipBlock(), ScaledContinuation(), SkipBlock()}}));
  p.Decode(data, 0);
  const std::vector<uint8_t> expected = {0, 1, 1, 0, 0, 1, 1, 0, 0};
  EXPECT_EQ(p.map, expected);
}

}  // namespace

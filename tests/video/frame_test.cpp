// Planes with every chunk layout and symbol-map form, older colours, and whole frames: alpha,
// grayscale, the older layout, odd sizes and motion between two frames.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "plane_fixture.h"
#include "quor.h"

namespace {

using namespace quortest;
using videotest::PlaneBuffers;
using videotest::PlaneOf;

constexpr uint32_t kOlder = QUOR_OPEN_OLDER_VIDEO;

void UseVariedMaps(PlaneSpec& spec) {
  spec.blockTypes = MergeMap(7, {5, 0, 2, 1, 3, 6, 4, 7, 9, 8, 10, 11, 12, 13, 14, 15}, 3);
  spec.subTypes = ListMap(4, {6, 8});
  for (unsigned h = 0; h < 16; ++h) {
    std::array<uint8_t, 16> m;
    for (unsigned i = 0; i < 16; ++i) m[i] = uint8_t((i + h) % 16);
    spec.colourHigh[h] = h % 3 == 0 ? IdentityMap() : MergeMap(1 + h % 15, m, 3);
  }
  spec.colourLow = ListMap(13, {15, 14});
  spec.patterns = MergeMap(2, {1, 0, 3, 2, 5, 4, 7, 6, 9, 8, 11, 10, 13, 12, 15, 14}, 0);
  spec.xOffsets = ListMap(9, {0, 1, 2, 3});
  spec.yOffsets = MergeMap(11, {0, 2, 1, 3, 4, 6, 5, 7, 8, 10, 9, 11, 12, 14, 13, 15}, 1);
  spec.runs = ListMap(8, {15, 0});
}

TEST(VideoPlane, ChunkLayoutsAndMapFormsDecodeAlike) {
  PlaneSpec base = MixedPlane(64, 48, 5);
  std::vector<uint8_t> reference;
  for (int layout = 0; layout < 6; ++layout) {
    SCOPED_TRACE("layout " + std::to_string(layout));
    PlaneSpec spec = base;
    for (ChunkPolicy& p : spec.policy) {
      p.wholePlane = layout & 1;
      p.fill = (layout & 2) == 0;
      p.runs = layout < 4;
    }
    if (layout >= 4) UseVariedMaps(spec);
    PlaneBuffers p(64, 48, 64, 48);
    p.FillPrevious();
    const auto data = WritePlane(spec);
    EXPECT_EQ(p.Decode(data), data.size());
    if (layout == 0) reference = p.plane;
    videotest::WriteVideoSeed("mixed_layout_" + std::to_string(layout), 64, 48, videotest::kSeedPlane, data);
    EXPECT_EQ(p.plane, reference);
  }
}

TEST(VideoPlane, BlockTypeRunsAndFillsExpandAsWritten) {
  // 40 skips then a motion (run symbols from the chunk start repeat type 0), rows of fills.
  std::vector<std::vector<BlockSpec>> rows(4);
  for (int i = 0; i < 41; ++i) rows[i / 16].push_back(i == 40 ? FillBlock(200) : SkipBlock());
  for (int i = 41; i < 48; ++i) rows[i / 16].push_back(FillBlock(uint8_t(i)));
  for (int i = 0; i < 16; ++i) rows[3].push_back(FillBlock(50));
  PlaneSpec spec = PlaneOf(128, 32, rows);
  spec.policy[0].wholePlane = true;
  PlaneBuffers p(128, 32, 128, 32);
  p.FillPrevious();
  const auto data = WritePlane(spec);
  EXPECT_EQ(p.Decode(data), data.size());
  EXPECT_EQ(p.Block(56, 16), p.Block(p.previous, 56, 16));
  EXPECT_EQ(p.At(64, 16), 200);
  EXPECT_EQ(p.At(127, 23), 47);
  EXPECT_EQ(p.At(127, 31), 50);
}

TEST(VideoPlane, OlderStreamsMapColourValues) {
  // The same bits read as version i give the value, as an older stream the mapped colour.
  const std::array<uint8_t, 4> values = {0x80, 0x00, 0x7f, 0xff};
  const std::array<uint8_t, 4> older = {128, 128, 255, 1};
  std::vector<std::vector<BlockSpec>> rows(1);
  for (uint8_t v : values) rows[0].push_back(FillBlock(v));
  const auto data = WritePlane(PlaneOf(32, 8, rows));
  PlaneBuffers current(32, 8, 32, 16), old(32, 8, 32, 16);
  current.Decode(data);
  old.Decode(data, kOlder);
  for (unsigned i = 0; i < 4; ++i) {
    EXPECT_EQ(current.At(i * 8, 0), values[i]);
    EXPECT_EQ(old.At(i * 8 + 7, 7), older[i]);
  }
}

// A movie's buffers for a W x H picture.
struct MovieBuffers {
  MovieBuffers(uint32_t w, uint32_t h)
      : width(w), height(h), chromaWidth(((w + 1) / 2 + 7) & ~7u),
        chromaHeight(((h + 1) / 2 + 7) & ~7u), lumaStride(2 * chromaWidth),
        lumaRows(2 * chromaHeight), streams(lumaStride) {
    const size_t bytes = size_t(lumaStride) * lumaRows * 3 / 2;
    for (auto& p : pictures) p.assign(bytes, 0);
    for (auto& a : alpha) a.assign(size_t(lumaStride) * lumaRows, 0);
    map.assign(lumaStride / 16 * (lumaRows / 16) + 1, 0);
  }
  void Decode(const std::vector<uint8_t>& video, uint32_t movieFlags, uint32_t videoFlags) {
    std::fill(map.begin(), map.end(), 0);
    const int back = front ^ 1;
    QuorDecodeVideo(pictures[back].data(), pictures[front].data(), alpha[back].data(),
                    alpha[front].data(), map.data(), width, height, lumaStride, lumaRows,
                    video.data(), video.size(), 0, &streams.buffers, movieFlags, videoFlags);
    front = back;
  }
  const uint8_t* Plane(unsigned n) const {
    const uint8_t* p = pictures[front].data();
    return n == 0 ? p : p + size_t(lumaStride) * lumaRows + (n - 1) * size_t(lumaStride / 2) * (lumaRows / 2);
  }
  uint32_t width, height, chromaWidth, chromaHeight, lumaStride, lumaRows;
  std::vector<uint8_t> pictures[2], alpha[2], map;
  videotest::StreamStore streams;
  int front = 0;
};

// A plane of fill blocks, colour base + block index.
std::vector<uint8_t> FilledPlane(uint32_t width, uint32_t height, uint8_t base, bool older = false) {
  std::vector<std::vector<BlockSpec>> rows(height / 8);
  for (unsigned by = 0; by < height / 8; ++by)
    for (unsigned bx = 0; bx < width / 8; ++bx)
      rows[by].push_back(FillBlock(uint8_t(base + by * 8 + bx)));
  PlaneSpec spec = PlaneOf(width, height, rows);
  spec.older = older;
  return WritePlane(spec);
}

TEST(VideoFrame, LayoutsWithAlphaGrayscaleAndOlderStreams) {
  struct Case {
    bool older, alphaInFile, alphaAsked, grayscale;
  };
  const Case cases[] = {{false, false, false, false}, {false, true, true, false},
                        {false, true, false, false},  {false, false, false, true},
                        {true, false, false, false},  {true, true, true, true},
                        {true, true, false, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.older) + std::to_string(c.alphaInFile) +
                 std::to_string(c.alphaAsked) + std::to_string(c.grayscale));
    MovieBuffers m(35, 27);  // luma coded 40 x 32 in 48 x 32, chroma 24 x 16
    FrameData frame;
    frame.older = c.older;
    frame.alpha = c.alphaInFile;
    frame.alphaPlane = FilledPlane(40, 32, 150, c.older);
    frame.luma = FilledPlane(40, 32, 10, c.older);
    if (!c.grayscale) {
      frame.chroma1 = FilledPlane(24, 16, 60, c.older);
      frame.chroma2 = FilledPlane(24, 16, 90, c.older);
    }
    const uint32_t flags = (c.older ? kOlder : 0) | (c.grayscale ? QUOR_OPEN_GRAYSCALE : 0) |
                           (c.alphaAsked ? QUOR_OPEN_ALPHA : 0);
    const std::vector<uint8_t> video = WriteFrame(frame);
    m.Decode(video, flags, c.alphaInFile ? QUOR_VIDEO_ALPHA : 0);
    const uint8_t mode = uint8_t((c.older ? 1 : 0) | (c.alphaInFile ? 2 : 0) | (c.alphaAsked ? 4 : 0) |
                                 (c.grayscale ? 8 : 0));
    videotest::WriteVideoSeed("layout_" + std::to_string(mode), 35, 27, mode, video);
    for (unsigned y = 0; y < 32; ++y)
      for (unsigned x = 0; x < 40; ++x) ASSERT_EQ(m.Plane(0)[y * 48 + x], 10 + (y / 8) * 8 + x / 8);
    for (unsigned n = 1; n <= 2; ++n)
      for (unsigned y = 0; y < 16; ++y)
        for (unsigned x = 0; x < 24; ++x)
          ASSERT_EQ(m.Plane(n)[y * 24 + x], c.grayscale ? 0 : (n == 1 ? 60 : 90) + (y / 8) * 8 + x / 8);
    const bool alphaDecoded = c.alphaInFile && c.alphaAsked;
    EXPECT_EQ(m.alpha[m.front][31 * 48 + 39], alphaDecoded ? 150 + 3 * 8 + 4 : 0);
    // Map: 3 bytes a row, 2 rows; luma columns 0..4 mark bytes 0..2, chroma columns 0..2 too.
    const std::vector<uint8_t> map = {1, 1, 1, 1, 1, 1, 0};
    EXPECT_EQ(m.map, map);
  }
}

TEST(VideoFrame, LumaSizeWordLocatesChromaAndOlderChromaFollowsTheLumaWords) {
  MovieBuffers m(16, 16);  // luma 16 x 16, chroma 8 x 8
  FrameData frame;
  frame.luma = FilledPlane(16, 16, 1);
  frame.luma.resize(frame.luma.size() + 8, 0xEE);  // words the luma decoder never loads
  frame.chroma1 = FilledPlane(8, 8, 70);
  frame.chroma2 = FilledPlane(8, 8, 80);
  m.Decode(WriteFrame(frame), 0, 0);
  EXPECT_EQ(m.Plane(1)[0], 70);
  EXPECT_EQ(m.Plane(2)[63], 80);
  frame.older = true;
  frame.luma.resize(frame.luma.size() - 8);
  m.Decode(WriteFrame(frame), kOlder, 0);
  EXPECT_EQ(m.Plane(1)[0], 128 + 70);  // 70 through the older colour mapping
  EXPECT_EQ(m.Plane(2)[63], 128 + 80);
}

TEST(VideoFrame, TwoFramesWithMotionAndSkipOnlyFrame) {
  MovieBuffers m(32, 32);
  std::mt19937 rng(9);
  std::array<uint8_t, 64> raw;
  std::vector<std::vector<BlockSpec>> rows(4);
  for (unsigned by = 0; by < 4; ++by)
    for (unsigned bx = 0; bx < 4; ++bx) {
      for (auto& v : raw) v = uint8_t(rng());
      rows[by].push_back(RawBlock(raw));
    }
  FrameData key;
  key.luma = WritePlane(PlaneOf(32, 32, rows));
  key.chroma1 = FilledPlane(16, 16, 1);
  key.chroma2 = FilledPlane(16, 16, 2);
  m.Decode(WriteFrame(key), 0, 0);
  const std::vector<uint8_t> first(m.Plane(0), m.Plane(0) + 32 * 32);
  std::array<int16_t, 64> ac{};
  ac[9] = 7;
  std::array<int8_t, 64> residue{};
  residue[5] = -20;
  FrameData next;
  next.luma = WritePlane(PlaneOf(32, 32, {{MotionBlock(3, 5), InterBlock(-1, 2, 50, ac, 2), SkipBlock(), SkipBlock()},
                                          {ResidueBlock(7, -8, residue, 5, 127), SkipBlock(), SkipBlock(), MotionBlock(-15, -15)},
                                          {SkipBlock(), SkipBlock(), SkipBlock(), SkipBlock()},
                                          {SkipBlock(), SkipBlock(), SkipBlock(), SkipBlock()}}));
  next.chroma1 = FilledPlane(16, 16, 3);
  next.chroma2 = WritePlane(PlaneOf(16, 16, {{SkipBlock(), SkipBlock()}, {SkipBlock(), SkipBlock()}}));
  m.Decode(WriteFrame(next), 0, 0);
  const uint8_t* out = m.Plane(0);
  auto block = [](const uint8_t* plane, unsigned x, unsigned y) {
    std::array<uint8_t, 64> b;
    for (unsigned r = 0; r < 8; ++r) std::memcpy(&b[r * 8], plane + (y + r) * 32 + x, 8);
    return b;
  };
  EXPECT_EQ(block(out, 0, 0), block(first.data(), 3, 5));
  EXPECT_EQ(block(out, 24, 8), block(first.data(), 9, 0));
  auto pred = block(first.data(), 7, 0);
  ac[0] = 50;
  std::array<uint8_t, 64> inter;
  QuorIdctAdd(inter.data(), 8, ac.data(), 2, block(first.data(), 7, 2).data());
  EXPECT_EQ(block(out, 8, 0), inter);
  pred[5] = uint8_t(pred[5] - 20);
  EXPECT_EQ(block(out, 0, 8), pred);
  EXPECT_EQ(block(out, 16, 16), block(first.data(), 16, 16));
  EXPECT_EQ(m.map, (std::vector<uint8_t>{1, 1, 1, 1, 0}));
  // A frame of skips copies the front picture and marks nothing.
  const std::vector<uint8_t> before(m.pictures[m.front]);
  FrameData skips;
  std::vector<std::vector<BlockSpec>> skipRows(4, std::vector<BlockSpec>(4, SkipBlock()));
  skips.luma = WritePlane(PlaneOf(32, 32, skipRows));
  skips.chroma1 = skips.chroma2 = WritePlane(PlaneOf(16, 16, {{SkipBlock(), SkipBlock()}, {SkipBlock(), SkipBlock()}}));
  m.Decode(WriteFrame(skips), 0, 0);
  EXPECT_EQ(m.pictures[m.front], before);
  EXPECT_EQ(m.map, (std::vector<uint8_t>{0, 0, 0, 0, 0}));
}

}  // namespace

namespace {

TEST(VideoFrame, KeyFramesDecodeIntoOneSharedBuffer) {
  // A movie of key frames has one picture buffer: back and front are the same.
  std::mt19937 rng(4);
  std::vector<std::vector<BlockSpec>> rows(2);
  for (unsigned bx = 0; bx < 4; ++bx) {
    std::array<uint8_t, 64> raw;
    for (auto& v : raw) v = uint8_t(rng());
    std::array<int16_t, 64> ac{};
    ac[bx + 1] = 9;
    rows[0].push_back(RawBlock(raw));
    rows[1].push_back(IntraBlock(int16_t(300 * bx), ac, bx));
  }
  FrameData f;
  f.luma = WritePlane(PlaneOf(32, 16, rows));
  f.chroma1 = f.chroma2 = WritePlane(PlaneOf(16, 8, {{FillBlock(4), FillBlock(5)}}));
  const std::vector<uint8_t> video = WriteFrame(f);
  MovieBuffers separate(32, 16), shared(32, 16);
  separate.Decode(video, 0, 0);
  shared.front = 0;
  QuorDecodeVideo(shared.pictures[0].data(), shared.pictures[0].data(), nullptr, nullptr,
                  shared.map.data(), 32, 16, shared.lumaStride, shared.lumaRows, video.data(),
                  video.size(), 1, &shared.streams.buffers, 0, 0);
  EXPECT_EQ(shared.pictures[0], separate.pictures[separate.front]);
}

}  // namespace

// Opening movies: the error texts, the version letters, damaged files, and what opening derives.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "container.h"
#include "movie_fixture.h"
#include "seeds.h"

namespace quortest {
namespace {

std::vector<uint8_t> SmallMovie(char version = 'i') {
  MovieSpec spec = PatternMovie(6, 40, 1);
  spec.version = version;
  return BuildMovie(spec);
}

struct OpenCase {
  const char* name;
  std::vector<uint8_t> bytes;
  const char* error;  // null: opens
};

std::vector<OpenCase> OpenCases() {
  std::vector<OpenCase> cases;
  for (char v : {'f', 'g', 'h', 'i'}) cases.push_back({"version", SmallMovie(v), nullptr});
  for (char v : {'e', 'j', 'I', 'F'}) cases.push_back({"version", SmallMovie(v), quor::kErrorNotQuor});
  auto bytes = SmallMovie();
  bytes[0] = 'X';
  cases.push_back({"magic", bytes, quor::kErrorNotQuor});
  cases.push_back({"empty", {}, quor::kErrorNotQuor});
  cases.push_back({"three bytes", {'Q', 'O', 'R'}, quor::kErrorNotQuor});
  bytes = SmallMovie();
  SetWord(bytes, 8, 0);
  cases.push_back({"no frames yet", bytes, quor::kErrorNoFrames});
  bytes = SmallMovie();
  bytes.resize(30);
  cases.push_back({"header cut short", bytes, quor::kErrorShortHeader});
  bytes = SmallMovie();
  SetWord(bytes, 8, 7);  // frames beyond the 6 the index holds
  cases.push_back({"frame count above index", bytes, quor::kErrorFrameCount});
  for (uint32_t at : {20u, 24u}) {
    bytes = SmallMovie();
    SetWord(bytes, at, 0);
    cases.push_back({"zero size", bytes, quor::kErrorPictureSize});
    SetWord(bytes, at, 100000);
    cases.push_back({"huge size", bytes, quor::kErrorPictureSize});
  }
  for (uint32_t at : {28u, 32u}) {
    bytes = SmallMovie();
    SetWord(bytes, at, 0);
    cases.push_back({"zero rate", bytes, quor::kErrorFrameRate});
  }
  bytes = SmallMovie();
  SetWord(bytes, 28, 0xFFFFFFFF);
  cases.push_back({"absurd rate", bytes, quor::kErrorFrameRate});
  bytes = SmallMovie();
  SetWord(bytes, 40, 0x20000000);  // track tables far larger than the file
  cases.push_back({"track count", bytes, quor::kErrorTables});
  bytes = SmallMovie();
  SetWord(bytes, 16, 0x3FFFFFFF);
  SetWord(bytes, 8, 1);
  cases.push_back({"index frame count", bytes, quor::kErrorTables});
  // Index words: after the header and tables of one track the index starts at 56.
  bytes = SmallMovie();
  SetWord(bytes, 56 + 4 * 3, GetWord(bytes, 56 + 4 * 1));
  cases.push_back({"index runs backwards", bytes, quor::kErrorIndex});
  bytes = SmallMovie();
  SetWord(bytes, 56 + 4 * 6, static_cast<uint32_t>(bytes.size() + 100));
  cases.push_back({"index past the file", bytes, quor::kErrorIndex});
  bytes = SmallMovie();
  SetWord(bytes, 56, 40);
  cases.push_back({"first packet inside the index", bytes, quor::kErrorIndex});
  bytes = SmallMovie();
  SetWord(bytes, 12, 20);
  cases.push_back({"packet above largest frame size", bytes, quor::kErrorIndex});
  return cases;
}

TEST(Open, ErrorTextsAndVersionLettersFromFileAndImage) {
  int n = 0;
  for (const OpenCase& c : OpenCases()) {
    SCOPED_TRACE(c.name);
    WriteSeed("open", "case" + std::to_string(n++), c.bytes);
    TempFile file(c.bytes);
    for (int mode = 0; mode < 2; ++mode) {
      SCOPED_TRACE(mode);
      SCOPED_TRACE(static_cast<char>(c.bytes.size() > 3 ? c.bytes[3] : 0));
      QuorMovie* m = mode == 0 ? QuorOpen(file.path().c_str(), 0)
                               : QuorOpenImage(c.bytes.data(), c.bytes.size(), 0);
      if (!c.error) {
        ASSERT_NE(m, nullptr) << QuorErrorText();
        EXPECT_STREQ(QuorErrorText(), "");
        const char v = static_cast<char>(c.bytes[3]);
        EXPECT_EQ((m->flags & QUOR_OPEN_OLDER_VIDEO) != 0, v != 'i');
        EXPECT_EQ((m->flags & QUOR_OPEN_OLDER_CONVERSION) != 0, v == 'f' || v == 'g');
        QuorClose(m);
      } else {
        EXPECT_EQ(m, nullptr);
        EXPECT_STREQ(QuorErrorText(), c.error);
      }
    }
  }
  EXPECT_EQ(QuorOpen("/nonexistent/movie.qor", 0), nullptr);
  EXPECT_STREQ(QuorErrorText(), "Error opening file.");
}

TEST(Open, FlagsSizesAndDisplayModes) {
  MovieSpec spec = PatternMovie(3, 20);
  spec.width = 35;
  spec.height = 27;
  spec.videoFlags = QUOR_VIDEO_GRAYSCALE | (3u << 28);
  const auto bytes = BuildMovie(spec);
  struct Case {
    uint32_t requestedMode, width, height, mode;
  } cases[] = {{0, 70, 27, 3}, {1, 35, 54, 1}, {4, 70, 54, 4}, {6, 35, 27, 6}, {7, 35, 27, 0}};
  for (const Case& c : cases) {
    QuorMovie* m = QuorOpenImage(bytes.data(), bytes.size(), (c.requestedMode << 28) | QUOR_OPEN_ALPHA);
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->width, c.width);
    EXPECT_EQ(m->height, c.height);
    EXPECT_EQ((m->flags >> 28) & 7, c.mode);
    EXPECT_TRUE(m->flags & QUOR_OPEN_GRAYSCALE);
    EXPECT_FALSE(m->flags & QUOR_OPEN_ALPHA) << "alpha stays only when the file has it";
    quor::Movie& in = Internals(m);
    EXPECT_EQ(in.lumaWidth, 48u);
    EXPECT_EQ(in.lumaHeight, 32u);
    EXPECT_EQ(in.chromaWidth, 24u);
    EXPECT_EQ(in.chromaHeight, 16u);
    EXPECT_EQ(in.blockCount, 6u);
    EXPECT_EQ(in.changeMap[in.blockCount], 0);
    QuorClose(m);
  }
}

// Packets of chosen video sizes, no tracks.
MovieSpec SizedMovie(std::vector<uint32_t> sizes, std::vector<bool> keys, uint32_t rate) {
  MovieSpec spec;
  spec.rateNumerator = rate;
  for (size_t i = 0; i < sizes.size(); ++i) {
    FrameSpec f;
    f.key = keys[i];
    f.video.assign(sizes[i], static_cast<uint8_t>(i));
    spec.frames.push_back(f);
  }
  return spec;
}

TEST(Open, PeakDataBusiestSecondAndKeyFrames) {
  // Two frames a second. Over two frames the packets add up to 24, 64, 64, 64, 64; the key bit
  // of frame 3 makes the second starting at frame 1 one byte larger, and the first largest wins.
  auto spec = SizedMovie({12, 12, 52, 12, 52, 12, 12}, {true, false, false, true, false, false, false}, 2);
  auto bytes = BuildMovie(spec);
  QuorMovie* m = QuorOpenImage(bytes.data(), bytes.size(), 0);
  ASSERT_NE(m, nullptr);
  EXPECT_EQ(Internals(m).peakDataSize, 65u);
  EXPECT_EQ(Internals(m).peakFrame, 1u);
  EXPECT_FALSE(Internals(m).allKeyFrames);
  EXPECT_NE(Internals(m).pictures[0], Internals(m).pictures[1]);
  QuorClose(m);

  // Fewer frames than one second: the average rate of the whole movie.
  spec = SizedMovie({100, 200, 300}, {true, true, true}, 25);
  bytes = BuildMovie(spec);
  m = QuorOpenImage(bytes.data(), bytes.size(), QUOR_OPEN_ALPHA);
  ASSERT_NE(m, nullptr);
  // Taken on the index words as stored: the key bit of frame 0 counts against the total.
  EXPECT_EQ(Internals(m).peakDataSize, 599u * 25 / 3);
  EXPECT_TRUE(Internals(m).allKeyFrames);
  EXPECT_EQ(Internals(m).pictures[0], Internals(m).pictures[1]) << "key frames only: one picture";
  QuorClose(m);
}

TEST(Open, AllocationPlanStaggersBuffers) {
  const std::vector<uint32_t> sizes{100, 100, 4096, 1, 0};
  const std::vector<uint32_t> planned = quor::PlanSizes(sizes);
  ASSERT_EQ(planned.size(), sizes.size());
  // 112 + ((0 - 3 + 1) mod 32) * 32 = 112 + 30 * 32; 112 + ((33 - 3 + 1) mod 32) * 32; ...
  EXPECT_EQ(planned[0], 1072u);
  EXPECT_EQ(planned[1], 1104u);
  EXPECT_EQ(planned[2], 4256u);
  EXPECT_EQ(planned[4], 640u) << "a size of 0 still gets its stagger";
  uint32_t total = 0;
  for (size_t i = 0; i < sizes.size(); ++i) {
    const uint32_t rounded = (sizes[i] + 15) & ~15u;
    EXPECT_EQ((planned[i] - rounded) % 32, 0u);
    EXPECT_EQ(planned[i] - rounded, (((total / 32) - (rounded / 32) + 1) % 32) * 32);
    total += planned[i];
  }
}

}  // namespace
}  // namespace quortest

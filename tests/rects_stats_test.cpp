// Changed rectangles from crafted change maps, and the statistics records.
#include <cstring>

#include "clock.h"
#include "movie_fixture.h"
#include "quor_stats.h"

namespace quortest {
namespace {

// A movie of `w` x `h` whose change map the test writes directly ('#' = changed area).
struct MapMovie {
  std::vector<uint8_t> image;
  QuorMovie* movie = nullptr;
  MapMovie(uint32_t w, uint32_t h, uint32_t flags = 0) {
    MovieSpec spec = PatternMovie(3, 40);
    spec.width = w;
    spec.height = h;
    image = BuildMovie(spec);
    movie = QuorOpenImage(image.data(), image.size(), flags);
    EXPECT_NE(movie, nullptr);
  }
  ~MapMovie() { QuorClose(movie); }
  void SetMap(const std::vector<std::string>& rows) {
    quor::Movie& m = Internals(movie);
    std::memset(m.changeMap, 0, m.blockCount);
    for (size_t y = 0; y < rows.size(); ++y)
      for (size_t x = 0; x < rows[y].size(); ++x) m.changeMap[y * m.blocksPerRow + x] = rows[y][x] == '#';
    m.rectCount = -1;
  }
  std::vector<std::array<int32_t, 4>> Rects(uint32_t flags = 0) {
    const int n = QuorChangedRects(movie, flags);
    std::vector<std::array<int32_t, 4>> out;
    for (int i = 0; i < n; ++i) {
      const QuorDirtyRect& r = movie->rects[i];
      out.push_back({r.x, r.y, r.width, r.height});
    }
    return out;
  }
};

using Rects = std::vector<std::array<int32_t, 4>>;

TEST(ChangedRects, FromChangeMaps) {
  struct Case {
    const char* name;
    std::vector<std::string> map;  // 320 x 240: 20 x 15 areas
    uint32_t flags;
    Rects expected;
  } cases[] = {
      {"nothing changed", {}, 0, {}},
      {"one area", {"", "..#"}, 0, {{32, 16, 16, 16}}},
      {"two far corners", {"#", "", "", "", "", "", "", "", "", "", "", "", "", "", "...................#"}, 0,
       {{0, 0, 16, 16}, {304, 224, 16, 16}}},
      {"bounding only", {"#", "", "", "", "", "", "", "", "", "", "", "", "", "", "...................#"},
       QUOR_RECTS_BOUNDING, {{0, 0, 320, 240}}},
      {"whole-picture surface", {"#"}, QUOR_RECTS_NONE, {}},
      // Cut down the middle first (equal gains: the vertical cut stays), then the left half.
      {"a row and a column", {"####", "#", "#", "#"}, 0, {{0, 0, 16, 64}, {16, 0, 16, 16}, {32, 0, 32, 16}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MapMovie mm(320, 240);
    mm.SetMap(c.map);
    EXPECT_EQ(mm.Rects(c.flags), c.expected);
  }
  // Everything changed: one rectangle of the whole shown picture.
  MapMovie full(320, 240);
  full.SetMap(std::vector<std::string>(15, std::string(20, '#')));
  EXPECT_EQ(full.Rects(), (Rects{{0, 0, 320, 240}}));
}

TEST(ChangedRects, AtMostEightSortedAndScaledToTheShownPicture) {
  MapMovie mm(320, 240);
  // A checkerboard of isolated areas: far more than eight candidates.
  std::vector<std::string> map;
  for (int y = 0; y < 15; ++y) {
    std::string row;
    for (int x = 0; x < 20; ++x) row += ((x + y) % 4 == 0 && y % 2 == 0) ? '#' : '.';
    map.push_back(row);
  }
  mm.SetMap(map);
  const Rects r = mm.Rects();
  ASSERT_EQ(r.size(), 8u);
  for (size_t i = 1; i < r.size(); ++i)
    EXPECT_TRUE(r[i - 1][1] < r[i][1] || (r[i - 1][1] == r[i][1] && r[i - 1][0] <= r[i][0])) << i;
  // Every changed area is covered.
  for (int y = 0; y < 15; ++y)
    for (int x = 0; x < 20; ++x) {
      if (map[y][x] != '#') continue;
      bool covered = false;
      for (auto& q : r) covered |= x * 16 >= q[0] && x * 16 < q[0] + q[2] && y * 16 >= q[1] && y * 16 < q[1] + q[3];
      EXPECT_TRUE(covered) << x << "," << y;
    }
  EXPECT_EQ(QuorChangedRects(mm.movie, 0), 8) << "stored for the frame";

  // Display mode 4 doubles both ways; a 35 x 27 picture is cut to its shown 70 x 54.
  MapMovie doubled(35, 27, 4u << 28);
  doubled.SetMap({"...", "..#"});
  EXPECT_EQ(doubled.Rects(), (Rects{{64, 32, 6, 22}}));
}

TEST(ChangedRects, NoneAfterASkippedBlitUnlessNeverSkip) {
  MapMovie mm(64, 64);
  mm.SetMap({"#"});
  Internals(mm.movie).blitSkipped = 1;
  EXPECT_EQ(QuorChangedRects(mm.movie, 0), 0);
  EXPECT_EQ(QuorChangedRects(mm.movie, QUOR_OPEN_NEVER_SKIP), 1);
}

TEST(Stats, SummaryAndRecentFiguresUnderAManualClock) {
  quor::ManualClock clock(1000, 0);
  MovieSpec spec = PatternMovie(20, 100);
  spec.rateNumerator = 10;
  const auto image = BuildMovie(spec);
  QuorMovie* m = QuorOpenImage(image.data(), image.size(), 0);
  ASSERT_NE(m, nullptr);
  for (int i = 0; i < 6; ++i) {
    ASSERT_EQ(QuorDecodeFrame(m), 0);
    clock.Advance(i == 2 ? 30 : 10);  // presentation time of this frame
    while (QuorShouldWait(m)) clock.Advance(1);
    QuorStepFrame(m);
  }
  QuorStats s;
  QuorGetStats(m, &s);
  EXPECT_EQ(s.framesDecoded, 6u);
  EXPECT_EQ(s.frameCount, 20u);
  EXPECT_EQ(s.skippedFrames, 0u);
  EXPECT_EQ(s.playTime, clock.Now() - 1000);
  EXPECT_EQ(s.slowestTime, 30u);
  EXPECT_EQ(s.slowestFrame, 3u);
  EXPECT_EQ(s.blitTime, 80u) << "decode end to the next timing call";
  const uint32_t data = image.size() - 8 - (GetWord(image, 44) & ~1u);
  EXPECT_EQ(s.averageFrameSize, data / 20);
  EXPECT_EQ(s.averageDataRate, data * 10 / 20);
  EXPECT_EQ(s.peakFrame, Internals(m).peakFrame + 1);
  EXPECT_GT(s.memoryUsed, sizeof(quor::Movie));

  QuorRecentStats r;
  QuorGetRecentStats(m, &r, 0);  // one second is r - 1 = 9 frames back, cut to the 6 played
  EXPECT_EQ(r.frames, 6u);
  EXPECT_EQ(r.lastFrame, 6u);
  QuorGetRecentStats(m, &r, 2);
  EXPECT_EQ(r.frames, 2u);
  EXPECT_EQ(r.elapsed, 200u) << "decode starts of frames 4 and 6";
  const uint32_t bytes = GetWord(image, 44 + 4 * 7) - GetWord(image, 44 + 4 * 5);
  EXPECT_EQ(r.dataRate, bytes * 10 / 2);
  QuorClose(m);

  // On frame 1 the figures cover one frame.
  m = QuorOpenImage(image.data(), image.size(), 0);
  ASSERT_EQ(QuorDecodeFrame(m), 0);
  QuorGetRecentStats(m, &r, 0);
  EXPECT_EQ(r.frames, 1u);
  EXPECT_EQ(r.elapsed, 100u) << "the first decode counts as one frame after the one before";
  QuorClose(m);
}

}  // namespace
}  // namespace quortest

// The schedule under a manual clock: frames due, lateness absorbed, blits skipped, pause, loops.
#include <algorithm>

#include "clock.h"
#include "movie_fixture.h"

namespace quortest {
namespace {

class Schedule : public ::testing::Test {
 protected:
  void SetUp() override {
    FakeSound::Get().Reset();
    FakeSound::Get().ready = false;
    UseFakeSound();
  }
  void TearDown() override {
    for (QuorMovie* m : open_) QuorClose(m);
  }
  // Ten frames a second, preloaded from memory (no read worker), with `tracks` audio tracks.
  QuorMovie* Open(uint32_t tracks, uint32_t flags = 0, uint32_t frames = 40) {
    MovieSpec spec = PatternMovie(frames, 40, tracks);
    spec.rateNumerator = 10;
    images_.push_back(BuildMovie(spec));
    QuorMovie* m = QuorOpenImage(images_.back().data(), images_.back().size(), flags);
    EXPECT_NE(m, nullptr) << QuorErrorText();
    if (m) open_.push_back(m);
    return m;
  }
  // Plays like the player does; returns the clock time of each decode.
  std::vector<uint32_t> Play(QuorMovie* m, int frames, int stallBefore = -1, uint32_t stall = 0) {
    std::vector<uint32_t> times;
    for (int i = 0; i < frames; ++i) {
      if (i == stallBefore) clock_.Advance(stall);
      for (int guard = 0; QuorShouldWait(m) && guard < 100000; ++guard) clock_.Advance(1);
      times.push_back(clock_.Now());
      EXPECT_EQ(QuorDecodeFrame(m), 0);
      QuorStepFrame(m);
    }
    return times;
  }
  static std::vector<uint32_t> Gaps(const std::vector<uint32_t>& t) {
    std::vector<uint32_t> gaps;
    for (size_t i = 1; i < t.size(); ++i) gaps.push_back(t[i] - t[i - 1]);
    return gaps;
  }
  quor::ManualClock clock_{1000, 0};
  std::vector<std::vector<uint8_t>> images_;
  std::vector<QuorMovie*> open_;
};

TEST_F(Schedule, FramesComeDueEveryFrameDuration) {
  QuorMovie* m = Open(0);
  EXPECT_EQ(QuorShouldWait(m), 0) << "nothing decoded yet";
  const auto gaps = Gaps(Play(m, 6));
  EXPECT_EQ(gaps, std::vector<uint32_t>(5, 100));
}

TEST_F(Schedule, WithoutSoundALateMovieRestartsItsSchedule) {
  QuorMovie* m = Open(0);
  const auto gaps = Gaps(Play(m, 7, 3, 600));
  // Frame 4 comes as soon as asked; the schedule starts again from there, one frame on.
  EXPECT_EQ(gaps, (std::vector<uint32_t>{100, 100, 600, 200, 100, 100}));
}

TEST_F(Schedule, WithSoundLatenessIsPaidBackOverAboutOneSecond) {
  QuorMovie* m = Open(1);
  ASSERT_EQ(Internals(m).activeCount, 1u);
  const auto gaps = Gaps(Play(m, 16, 3, 600));
  std::vector<uint32_t> expected{100, 100, 600};
  expected.insert(expected.end(), 10, 50);  // 500 ms late, absorbed 50 ms a frame
  expected.insert(expected.end(), 2, 100);
  EXPECT_EQ(gaps, expected);
}

TEST_F(Schedule, LateBlitsAreSkippedAtMostThreeInARow) {
  for (bool neverSkip : {false, true}) {
    SCOPED_TRACE(neverSkip);
    QuorMovie* m = Open(1, neverSkip ? QUOR_OPEN_NEVER_SKIP : 0);
    quor::Movie& in = Internals(m);
    Play(m, 2);
    clock_.Advance(600);  // more than two frames late, and kept that late
    std::vector<int> results;
    for (int i = 0; i < 8; ++i) {
      ASSERT_EQ(QuorDecodeFrame(m), 0);
      results.push_back(quor::LateBlitCheck(in, 0));
      QuorStepFrame(m);
      clock_.Advance(100);
    }
    EXPECT_EQ(results, (std::vector<int>{1, 1, 1, 0, 1, 1, 1, 0}));
    EXPECT_EQ(in.skippedBlits, neverSkip ? 0u : 6u);
    EXPECT_EQ(in.blitSkipped, 0u);
  }
  // Without tracks a late frame is always converted.
  QuorMovie* m = Open(0);
  Play(m, 2);
  clock_.Advance(1000);
  ASSERT_EQ(QuorDecodeFrame(m), 0);
  EXPECT_EQ(quor::LateBlitCheck(Internals(m), 0), 0);
}

TEST_F(Schedule, ZeroRateOverridePlaysAsFastAsPossible) {
  QuorOverrideFrameRate(0, 0);
  QuorMovie* m = Open(0, QUOR_OPEN_RATE_OVERRIDE);
  EXPECT_EQ(m->rateNumerator, 0u);
  EXPECT_EQ(Internals(m).twoFrames, 2000u);
  EXPECT_EQ(Gaps(Play(m, 5)), std::vector<uint32_t>(4, 0));
  // The override was used up: the next open plays at the file's rate.
  QuorMovie* next = Open(0, QUOR_OPEN_RATE_OVERRIDE);
  EXPECT_EQ(next->rateNumerator, 10u);
}

TEST_F(Schedule, DecodingTwiceDecodesOnce) {
  QuorMovie* m = Open(0);
  EXPECT_EQ(QuorDecodeFrame(m), 0);
  EXPECT_EQ(QuorDecodeFrame(m), 0);
  EXPECT_EQ(Internals(m).framesDecoded, 1u);
  EXPECT_EQ(m->lastFrame, 1);
}

TEST_F(Schedule, StepPastTheLastFrameLoopsAndRestartsSound) {
  QuorMovie* m = Open(1, 0, 5);
  Play(m, 4);
  EXPECT_EQ(m->currentFrame, 5);
  FakeSound::Get().onOffCalls.clear();
  ASSERT_EQ(QuorDecodeFrame(m), 0);
  QuorStepFrame(m);
  EXPECT_EQ(m->currentFrame, 1);
  EXPECT_EQ(m->lastFrame, 5);
  EXPECT_EQ(Internals(m).timingBase, 0u);
  EXPECT_EQ(FakeSound::Get().onOffCalls, (std::vector<int>{0, 1}));
}

TEST_F(Schedule, PauseHoldsTheFrameAndResumingReschedules) {
  QuorMovie* m = Open(0);
  Play(m, 2);
  EXPECT_EQ(QuorSetPaused(m, 1), 1);
  clock_.Advance(5000);
  EXPECT_EQ(QuorShouldWait(m), 1);
  EXPECT_EQ(QuorSetPaused(m, 0), 0);
  EXPECT_EQ(Internals(m).timingBase, 0u);
  EXPECT_EQ(QuorShouldWait(m), 1) << "the schedule restarts one frame on";
  clock_.Advance(100);
  EXPECT_EQ(QuorShouldWait(m), 0);
}

TEST_F(Schedule, SlowestFramesAreRecorded) {
  QuorMovie* m = Open(0);
  for (uint32_t cost : {5u, 30u, 10u, 20u}) {
    ASSERT_EQ(QuorDecodeFrame(m), 0);
    clock_.Advance(cost);  // conversion and presentation of this frame
    QuorShouldWait(m);
    QuorStepFrame(m);
    clock_.Advance(200);
  }
  const quor::Movie& in = Internals(m);
  EXPECT_EQ(in.slowestTime, 30u);
  EXPECT_EQ(in.slowestFrame, 2u);
  EXPECT_EQ(in.secondTime, 20u);
  EXPECT_EQ(in.secondFrame, 4u);
}

}  // namespace
}  // namespace quortest

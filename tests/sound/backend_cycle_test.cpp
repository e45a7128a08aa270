// Each backend's ready / lock / submit cycle on capture devices under the manual clock: start
// thresholds, pausing while filling, running dry and the stall rule.
#include <gtest/gtest.h>

#include "clock.h"
#include "sound_test_kit.h"

namespace quortest {
namespace {

// 22050 Hz, 16-bit mono: queued buffers of 2784 bytes, started at 22080 (half a second); a
// looping buffer of 26624 bytes with 2304-byte chunks.
constexpr uint32_t kRate = 22050, kBuffer = 2784, kLooping = 26624, kChunk = 2304;

std::vector<uint8_t> Runs(std::initializer_list<std::pair<uint8_t, uint32_t>> runs) {
  std::vector<uint8_t> out;
  for (auto [value, count] : runs) out.insert(out.end(), count, value);
  return out;
}

TEST(QueuedCycle, NothingPlaysUntilTheStartThresholdAndPausingDoesNotStart) {
  quor::ManualClock clock(1000, 0);
  const TempPath wav;
  CaptureTrack track({wav.path().c_str(), 0, 0}, kRate, 16, 1, MovieOf(250, 25));
  ASSERT_TRUE(track.opened());
  for (uint8_t k = 0; k < 7; ++k) {
    ASSERT_EQ(track.Ready(), 1);
    ASSERT_EQ(track.Put(k), kBuffer);
  }
  EXPECT_TRUE(ReadWav(wav.path()).data.empty()) << "7 buffers are below half a second";
  track.t().driver.pause(&track.t(), 1);
  EXPECT_EQ(track.Ready(), 0);
  EXPECT_TRUE(ReadWav(wav.path()).data.empty()) << "pausing while filling starts nothing";
  track.t().driver.pause(&track.t(), 0);
  ASSERT_EQ(track.Ready(), 1);
  ASSERT_EQ(track.Put(7), kBuffer);  // 8 x 2784 = 22272 reaches 22080
  // As fast as fed: all but the newest buffer have played, in order.
  std::vector<uint8_t> expected;
  for (uint8_t k = 0; k < 7; ++k) expected.insert(expected.end(), kBuffer, k);
  EXPECT_EQ(ReadWav(wav.path()).data, expected);
  ASSERT_EQ(track.Ready(), 1);
  ASSERT_EQ(track.Put(8, 100), 100u);
  expected.insert(expected.end(), kBuffer, 7);
  EXPECT_EQ(ReadWav(wav.path()).data, expected);
  EXPECT_EQ(track.t().underrun, 0u);
}

TEST(QueuedCycle, AShortMovieStartsOnceAllItsAudioIsThereAndRunsDry) {
  quor::ManualClock clock(1000, 0);
  const TempPath wav;
  // Ten frames at 25 a second: 17640 bytes in all, the start threshold.
  CaptureTrack track({wav.path().c_str(), 1, 0}, kRate, 16, 1, MovieOf(10, 25));
  ASSERT_TRUE(track.opened());
  for (uint8_t k = 0; k < 6; ++k) {
    ASSERT_EQ(track.Ready(), 1);
    ASSERT_EQ(track.Put(k + 1), kBuffer) << int(k);
  }
  clock.Advance(1000);
  EXPECT_TRUE(ReadWav(wav.path()).data.empty());
  ASSERT_EQ(track.Ready(), 1);
  ASSERT_EQ(track.Put(7, 17640 - 6 * kBuffer), 17640 - 6 * kBuffer);
  // Paced: 100 ms later 4410 bytes have played.
  clock.Advance(100);
  EXPECT_EQ(ReadWav(wav.path()).data.size(), 0u) << "nothing plays until the device is looked at";
  ASSERT_EQ(track.Ready(), 1);
  EXPECT_EQ(ReadWav(wav.path()).data, Runs({{1, kBuffer}, {2, 4410 - kBuffer}}));
  EXPECT_EQ(track.t().underrun, 0u);
  // Once every buffer has played, the device ran dry: underrun, and filling starts over.
  clock.Advance(1000);
  ASSERT_EQ(track.Ready(), 1);
  EXPECT_EQ(track.t().underrun, 1u);
  EXPECT_EQ(ReadWav(wav.path()).data.size(), 17640u);
  ASSERT_EQ(track.Put(9), kBuffer);
  clock.Advance(500);
  ASSERT_EQ(track.Ready(), 1);
  EXPECT_EQ(ReadWav(wav.path()).data.size(), 17640u) << "filling again: nothing is played";
}

TEST(QueuedCycle, NoFreeBufferWhileAllAreQueued) {
  quor::ManualClock clock(1000, 0);
  CaptureTrack track({nullptr, 1, 0}, kRate, 16, 1, MovieOf(250, 25));
  ASSERT_TRUE(track.opened());
  int filled = 0;
  while (track.Ready() && filled < 100) filled += track.Put(1) ? 1 : 0;
  EXPECT_EQ(filled, 16) << "16 buffers, none played while the clock stands";
  clock.Advance(127);  // 5600 bytes: two buffers done
  EXPECT_EQ(track.Ready(), 1);
  EXPECT_EQ(track.Put(2), kBuffer);
  EXPECT_EQ(track.Ready(), 1);
  EXPECT_EQ(track.Put(3), kBuffer);
  EXPECT_EQ(track.Ready(), 0);
}

TEST(LoopingCycle, FillsTheBufferStartsAndFeedsAheadOfThePlayCursor) {
  quor::ManualClock clock(1000, 1);  // the start waits in sleeps of 1 ms
  const TempPath wav;
  CaptureTrack track({wav.path().c_str(), 1, 1}, kRate, 16, 1, MovieOf(250, 25));
  ASSERT_TRUE(track.opened());
  ASSERT_EQ(track.Ready(), 1);
  EXPECT_EQ(track.Offered(), kLooping) << "before the start the whole buffer is writable";
  ASSERT_EQ(track.Put(0x11, 20000), 20000u);
  EXPECT_TRUE(ReadWav(wav.path()).data.empty());
  ASSERT_EQ(track.Put(0x12), kLooping - 20000);  // full: playback starts
  EXPECT_EQ(ReadWav(wav.path()).data, Runs({{0x11, 44}})) << "the start waits for the cursor to move";
  // 100 ms on: 4410 bytes have played; the space up to the play cursor less 1024 is writable.
  clock.Advance(99);
  ASSERT_EQ(track.Ready(), 1);
  EXPECT_EQ(track.Offered(), (4410 - 1024) & ~3u);
  ASSERT_EQ(track.Put(0x22), (4410u - 1024) & ~3u);
  clock.Advance(40);  // 1764 more bytes played: still less than a chunk beyond the safety margin
  EXPECT_EQ(track.Ready(), 0);
  clock.Advance(40);
  EXPECT_EQ(track.Ready(), 1);
  EXPECT_EQ(track.t().underrun, 0u);
  EXPECT_GE(track.Offered(), kChunk);
}

TEST(LoopingCycle, AStalledFeedWritesHalfABufferOfSilenceAndRaisesUnderrun) {
  quor::ManualClock clock(1000, 1);
  const TempPath wav;
  CaptureTrack track({wav.path().c_str(), 1, 1}, kRate, 16, 1, MovieOf(250, 25));
  ASSERT_TRUE(track.opened());
  ASSERT_EQ(track.Put(0x11), kLooping);
  const uint32_t started = clock.Now();  // 44 bytes played
  clock.Advance(100);
  ASSERT_EQ(track.Ready(), 1);
  const uint32_t fed = track.Put(0x22);  // at the buffer's start, 100 ms after the start
  ASSERT_GT(fed, kChunk);
  // 539 ms without data: the device still plays what it was given, no underrun.
  clock.Set(started + 100 + 539);
  track.Ready();
  EXPECT_EQ(track.t().underrun, 0u);
  // 541 ms: the feed stalled. Half a buffer of silence goes in at the device's write cursor.
  clock.Set(started + 100 + 541);
  EXPECT_EQ(track.Ready(), 1);
  EXPECT_EQ(track.t().underrun, 1u);
  const size_t before = ReadWav(wav.path()).data.size();
  const uint32_t playedAtStall = static_cast<uint32_t>(before) - kLooping;  // into the second lap
  ASSERT_LT(playedAtStall, fed);
  clock.Advance(200);  // 8820 bytes: silence, not the stale 0x11 bytes beyond what was fed
  track.Ready();
  const Wav after = ReadWav(wav.path());
  ASSERT_EQ(after.data.size(), before + 8820);
  EXPECT_EQ(std::vector<uint8_t>(after.data.begin() + before, after.data.end()), Runs({{0, 8820}}));
  EXPECT_EQ(std::vector<uint8_t>(after.data.begin(), after.data.begin() + kLooping), Runs({{0x11, kLooping}}));
}

TEST(LoopingCycle, OffRewindsAndSilencesOnStartsFillingAgain) {
  quor::ManualClock clock(1000, 1);
  const TempPath wav;
  CaptureTrack track({wav.path().c_str(), 1, 1}, kRate, 16, 1, MovieOf(250, 25));
  ASSERT_TRUE(track.opened());
  ASSERT_EQ(track.Put(0x33), kLooping);
  EXPECT_EQ(track.t().driver.onOff(&track.t(), 0), 0);
  EXPECT_EQ(track.Ready(), 0) << "off";
  const size_t before = ReadWav(wav.path()).data.size();
  clock.Advance(300);
  EXPECT_EQ(ReadWav(wav.path()).data.size(), before) << "stopped";
  EXPECT_EQ(track.t().driver.onOff(&track.t(), 1), 1);
  ASSERT_EQ(track.Ready(), 1);
  EXPECT_EQ(track.Offered(), kLooping) << "not started: the start threshold is writable again";
  ASSERT_EQ(track.Put(0x44), kLooping);
  clock.Advance(10);
  track.Ready();
  const Wav w = ReadWav(wav.path());
  EXPECT_EQ(w.data.back(), 0x44) << "plays the new filling from the buffer's start";
}

}  // namespace
}  // namespace quortest

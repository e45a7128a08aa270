// The summary and statistics-line texts from their records.
#include <gtest/gtest.h>

#include "texts.h"

namespace quorplay {
namespace {

QuorStats Sample() {
  QuorStats s{};
  s.width = 320, s.height = 240, s.playTime = 10000, s.fileRateNumerator = 30000, s.fileRateDenominator = 1001;
  s.rateNumerator = 25, s.rateDenominator = 1, s.openTime = 61000, s.frameCount = 250, s.framesDecoded = 249;
  s.skippedBlits = 3, s.soundSkips = 1, s.blitTime = 1234, s.foregroundReadTime = 5, s.videoTime = 2000;
  s.audioTime = 999, s.idleReadTime = 10, s.backgroundReadTime = 20, s.deviceSpeed = 4000000;
  s.slowestTime = 30, s.secondTime = 0, s.slowestFrame = 17, s.secondFrame = 18, s.averageDataRate = 11000;
  s.averageFrameSize = 440, s.memoryUsed = 1, s.ringSize = 2, s.ringPeak = 3, s.peakDataSize = 14000;
  s.peakFrame = 26;
  return s;
}

TEST(SummaryText, FillsEveryPlaceFromTheRecord) {
  const std::string text = SummaryText(Sample(), {"window pixel buffer", 1024, 768, 32});
  const char* expected[] = {
      "Video: 320 x 240 at 29.9 frames/sec\nTotal frames: 250\n\nTotal frames played: 249\n",
      "Frame rate played: 25.0 frames/sec\nFrame rate obtained: 24.9 frames/sec\n",
      "Skipped frames: 0\nSkipped blits: 3\nSound skips: 1\n\n",
      "decompressing video: 20.0\nPercentage spent decompressing audio: 9.9\nPercentage spent blitting: 12.3\n",
      "Percentage spent reading: 0.0\nPercentage spent reading while idle: 0.1\n",
      "reading in background: 0.2\nSpeed of playback device: 4000000 bytes/sec\n\n",
      "Total playback time: 10 seconds\nTotal open time: 1 minute 1 second\n",
      "Slowest frame: 17 (33.3 frames/sec)\nSecond slowest frame: 18 (0.1 frames/sec)\n",
      "Average data rate: 11000\nAverage frame size: 440\nPeak data rate: 14000 bytes/sec (frame: 26)\n\n",
      "Total memory used: 1\nTotal input memory: 2\nHighest input memory used: 3\n\n",
      "Blitting style: window pixel buffer\nVideo mode: 1024 x 768 at 32 bits\n",
  };
  for (const char* part : expected) EXPECT_NE(text.find(part), std::string::npos) << part << "\nin\n" << text;
}

TEST(SummaryText, FastPlayOneFrameAndAnInstant) {
  QuorStats s = Sample();
  s.rateNumerator = 0, s.framesDecoded = 1, s.playTime = 0, s.fileRateDenominator = 0;
  const std::string text = SummaryText(s, {});
  EXPECT_NE(text.find("Frame rate played: As fast as possible\n"), std::string::npos);
  EXPECT_EQ(text.find("Second slowest"), std::string::npos);
  EXPECT_NE(text.find("(33.3 frames/sec)\nAverage data rate"), std::string::npos);
}

TEST(StatisticsLine, FiguresOverTheRecentFrames) {
  QuorRecentStats r{};
  r.lastFrame = 42, r.frames = 25, r.elapsed = 1010, r.videoTime = 101, r.audioTime = 50, r.blitTime = 202;
  r.foregroundReadTime = 5, r.idleReadTime = 5, r.backgroundReadTime = 0, r.fillTarget = 999, r.ringFill = 499;
  r.dataRate = 12345;
  EXPECT_EQ(StatisticsLine(r),
            "Fr: 42, FPS: 24.7, Buf: 50%, Vid: 10%, Aud: 4%, Blit: 20%, Read: 0%, Back: 0%, Rate: 12345");
}

}  // namespace
}  // namespace quorplay

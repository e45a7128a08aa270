// The playback summary and the figures over the most recent frames.
#include <algorithm>

#include "clock.h"
#include "movie.h"
#include "quor_stats.h"

using namespace quor;

extern "C" void QuorGetStats(QuorMovie* movie, QuorStats* s) {
  if (!movie || !s) return;
  Movie& m = *AsMovie(movie);
  FrameTimeBookkeeping(m);
  const Header& h = m.header;
  const uint64_t data = uint64_t(h.fileSizeLess8) - std::min<uint64_t>(m.FirstFrameOffset(), h.fileSizeLess8);
  *s = QuorStats{};
  s->width = m.width;
  s->height = m.height;
  s->playTime = m.historyStart ? Now() - m.historyStart : 0;
  s->fileRateNumerator = h.rateNumerator;
  s->fileRateDenominator = h.rateDenominator;
  s->rateNumerator = m.rateNumerator;
  s->rateDenominator = m.rateDenominator;
  s->openTime = m.openTime;
  s->frameCount = m.frameCount;
  s->framesDecoded = m.framesDecoded;
  s->skippedFrames = 0;
  s->skippedBlits = m.skippedBlits;
  s->soundSkips = m.soundSkips;
  s->blitTime = m.blitTime;
  s->foregroundReadTime = m.reader.foregroundTime;
  s->videoTime = m.videoTime;
  s->audioTime = m.audioTime;
  s->idleReadTime = m.reader.idleTime;
  s->backgroundReadTime = m.reader.backgroundTime;
  s->deviceSpeed = static_cast<uint32_t>(m.reader.bytesRead * 1000 / (uint64_t(m.reader.readTime) + 1));
  s->slowestTime = m.slowestTime;
  s->secondTime = m.secondTime;
  s->slowestFrame = m.slowestFrame;
  s->secondFrame = m.secondFrame;
  s->averageDataRate = static_cast<uint32_t>(data * h.rateNumerator / (uint64_t(m.frameCount) * h.rateDenominator));
  s->averageFrameSize = static_cast<uint32_t>(data / m.frameCount);
  s->memoryUsed = m.memoryUsed;
  s->ringSize = m.reader.RingSize();
  s->ringPeak = m.reader.RingPeak();
  s->peakDataSize = m.peakDataSize;
  s->peakFrame = m.peakFrame + 1;
}

extern "C" void QuorGetRecentStats(QuorMovie* movie, QuorRecentStats* s, uint32_t frames) {
  if (!movie || !s) return;
  Movie& m = *AsMovie(movie);
  FrameTimeBookkeeping(m);
  uint32_t n = frames;
  if (n == 0 || n >= m.wholeRate) n = m.wholeRate - 1;
  const uint32_t current = static_cast<uint32_t>(std::max(m.currentFrame, 1));
  if (n >= current) n = current - 1;
  // At least one frame back: on frame 1, or at one frame a second, the figures cover one frame.
  n = std::max<uint32_t>(n, 1);
  auto over = [&](History h) { return m.histories[h][0] - m.histories[h][n]; };
  *s = QuorRecentStats{};
  s->lastFrame = static_cast<uint32_t>(m.lastFrame);
  s->rateNumerator = m.rateNumerator;
  s->rateDenominator = m.rateDenominator;
  s->frames = n;
  s->elapsed = std::max<uint32_t>(over(kHistoryDecodeStart), 1);
  s->videoTime = over(kHistoryVideo);
  s->audioTime = over(kHistoryAudio);
  s->foregroundReadTime = over(kHistoryForeground);
  s->idleReadTime = over(kHistoryIdle);
  s->backgroundReadTime = over(kHistoryBackground);
  s->blitTime = over(kHistoryBlit);
  s->fillTarget = m.reader.FillTarget();
  s->ringFill = m.reader.RingFill();
  const uint32_t back = current >= n ? current - n : 0;
  const uint32_t bytes = m.frameIndex[std::min(current, m.frameCount)] - m.frameIndex[back];
  s->dataRate = static_cast<uint32_t>(uint64_t(bytes) * m.header.rateNumerator /
                                      (uint64_t(m.header.rateDenominator) * n));
}

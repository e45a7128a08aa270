// The statistics line and the playback summary.
#include <cstdio>
#include <vector>

#include "jov_strings.h"
#include "texts.h"

namespace quorplay {
namespace {

template <typename... Args>
std::string Format(const char* format, Args... args) {
  const int size = std::snprintf(nullptr, 0, format, args...);
  if (size <= 0) return {};
  std::vector<char> text(size_t(size) + 1);
  std::snprintf(text.data(), text.size(), format, args...);
  return text.data();
}

// d10 / 10 "." d10 mod 10.
std::string Tenths(uint64_t d10) { return Format("%i.%01i", int(d10 / 10), int(d10 % 10)); }

// part x scale / whole, with a whole of 0 counting as 1 (a summary of an instant).
uint64_t Ratio(uint64_t part, uint64_t scale, uint64_t whole) { return part * scale / (whole == 0 ? 1 : whole); }

std::string Elapsed(uint32_t ms) {
  char text[JOV_TEXT_SIZE] = {};
  GetElapsedTime(text, ms);
  return text;
}

}  // namespace

std::string StatisticsLine(const QuorRecentStats& r) {
  const uint64_t elapsed = r.elapsed == 0 ? 1 : r.elapsed;
  const uint64_t fps = uint64_t(r.frames) * 10000 / elapsed;
  const uint64_t buffer = (uint64_t(r.ringFill + 1) * 1000 / (uint64_t(r.fillTarget) + 1) + 5) / 10;
  const auto percent = [&](uint64_t t) { return int(t * 100 / elapsed); };
  return Format("Fr: %i, FPS: %i.%0i, Buf: %i%%, Vid: %i%%, Aud: %i%%, Blit: %i%%, Read: %i%%, Back: %i%%, Rate: %i",
                int(r.lastFrame), int(fps / 10), int(fps % 10), int(buffer), percent(r.videoTime),
                percent(r.audioTime), percent(r.blitTime),
                percent(uint64_t(r.foregroundReadTime) + r.idleReadTime), percent(r.backgroundReadTime),
                int(r.dataRate));
}

std::string SummaryText(const QuorStats& s, const SurfaceFacts& surface) {
  const std::string fileRate = Tenths(Ratio(s.fileRateNumerator, 10, s.fileRateDenominator));
  const std::string played = s.rateNumerator == 0 || s.rateDenominator == 0
                                 ? std::string("As fast as possible")
                                 : Tenths(Ratio(s.rateNumerator, 10, s.rateDenominator)) + " frames/sec";
  const std::string obtained = Tenths(Ratio(s.framesDecoded, 10000, s.playTime));
  const auto share = [&](uint32_t t) { return Tenths(Ratio(t, 1000, s.playTime)); };
  const auto perSecond = [](uint32_t t) { return Tenths(t == 0 ? 1 : 10000 / t); };
  const std::string second =
      s.framesDecoded >= 2
          ? Format("Second slowest frame: %i (%s frames/sec)\n", int(s.secondFrame), perSecond(s.secondTime).c_str())
          : std::string();
  return Format(
      "Video: %i x %i at %s frames/sec\nTotal frames: %i\n\nTotal frames played: %i\nFrame rate played: %s\n"
      "Frame rate obtained: %s frames/sec\nSkipped frames: %i\nSkipped blits: %i\nSound skips: %i\n\n"
      "Percentage spent decompressing video: %s\nPercentage spent decompressing audio: %s\n"
      "Percentage spent blitting: %s\nPercentage spent reading: %s\nPercentage spent reading while idle: %s\n"
      "Percentage spent reading in background: %s\nSpeed of playback device: %i bytes/sec\n\n"
      "Total playback time: %s\nTotal open time: %s\nSlowest frame: %i (%s frames/sec)\n%s"
      "Average data rate: %i\nAverage frame size: %i\nPeak data rate: %i bytes/sec (frame: %i)\n\n"
      "Total memory used: %i\nTotal input memory: %i\nHighest input memory used: %i\n\n"
      "Blitting style: %s\nVideo mode: %i x %i at %i bits\n",
      int(s.width), int(s.height), fileRate.c_str(), int(s.frameCount), int(s.framesDecoded), played.c_str(),
      obtained.c_str(), int(s.skippedFrames), int(s.skippedBlits), int(s.soundSkips), share(s.videoTime).c_str(),
      share(s.audioTime).c_str(), share(s.blitTime).c_str(), share(s.foregroundReadTime).c_str(),
      share(s.idleReadTime).c_str(), share(s.backgroundReadTime).c_str(), int(s.deviceSpeed),
      Elapsed(s.playTime).c_str(), Elapsed(s.openTime).c_str(), int(s.slowestFrame),
      perSecond(s.slowestTime).c_str(), second.c_str(), int(s.averageDataRate), int(s.averageFrameSize),
      int(s.peakDataSize), int(s.peakFrame), int(s.memoryUsed), int(s.ringSize), int(s.ringPeak),
      surface.styleName.c_str(), int(surface.screenWidth), int(surface.screenHeight), int(surface.screenBits));
}

}  // namespace quorplay

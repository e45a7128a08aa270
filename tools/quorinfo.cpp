// quorinfo MOVIE.qor...: what a movie holds, from its header, tables and frame packets.
#include <cstdio>
#include <cstring>
#include <string>

#include "movie.h"
#include "packet.h"
#include "quor.h"

namespace {

const char* kDisplayModes[] = {"as coded", "height doubled", "height doubled, interlaced", "width doubled",
                               "doubled", "doubled, interlaced", "interlaced"};

std::string Bytes(uint64_t n) {
  char text[64];
  if (n < 10000)
    std::snprintf(text, sizeof text, "%llu bytes", static_cast<unsigned long long>(n));
  else if (n < 10000000)
    std::snprintf(text, sizeof text, "%.1f KiB", n / 1024.0);
  else
    std::snprintf(text, sizeof text, "%.1f MiB", n / 1048576.0);
  return text;
}

int Describe(const char* path) {
  QuorMovie* movie = QuorOpen(path, QUOR_OPEN_NO_READ_THREAD | QUOR_OPEN_NO_INITIAL_FILL);
  if (!movie) {
    std::fprintf(stderr, "quorinfo: %s: %s\n", path, QuorErrorText());
    return 1;
  }
  const quor::Movie& m = *quor::AsMovie(movie);
  const quor::Header& h = m.header;
  const auto index = m.Index();
  const uint32_t frames = h.frameCount;
  uint32_t keys = 0;
  for (uint32_t i = 0; i < frames; ++i) keys += index[i] & 1;
  const uint64_t data = quor::PacketOffset(index[frames]) - quor::PacketOffset(index[0]);
  const double rate = double(h.rateNumerator) / h.rateDenominator;

  // Every packet is read once for the tracks' largest packets and the largest frame.
  std::vector<uint32_t> largestTrackPacket(h.trackCount, 0);
  uint32_t largestFrame = 0;
  bool damaged = false;
  for (uint32_t i = 0; i < frames && !damaged; ++i) {
    QuorGoto(movie, static_cast<int32_t>(i + 1));
    if (m.reader.readError) {
      damaged = true;
      break;
    }
    largestFrame = std::max(largestFrame, m.frameSize);
    std::span<const uint8_t> video;
    damaged = !quor::SplitPacket({m.frameData, m.frameSize}, h.trackCount, video, [&](const quor::TrackSection& s) {
      if (s.present)
        largestTrackPacket[s.track] = std::max<uint32_t>(largestTrackPacket[s.track], uint32_t(s.audio.size() + 4));
    });
  }

  std::printf("%s: Quor movie, version %c\n", path, h.version);
  const uint32_t mode = (movie->flags >> QUOR_OPEN_DISPLAY_MODE_SHIFT) & 7;
  std::printf("  picture       %u x %u coded, shown %u x %u (display mode %u, %s)\n", h.width, h.height,
              movie->width, movie->height, mode, kDisplayModes[mode]);
  std::printf("  colour        %s, %s\n", (h.videoFlags & QUOR_VIDEO_GRAYSCALE) ? "grayscale" : "colour",
              (h.videoFlags & QUOR_VIDEO_ALPHA) ? "with alpha" : "no alpha");
  std::printf("  frame rate    %u/%u (%.3f frames/s), %.2f s\n", h.rateNumerator, h.rateDenominator, rate,
              frames / rate);
  std::printf("  frames        %u (index made for %u), %u key frame%s%s\n", frames, h.indexFrameCount, keys,
              keys == 1 ? "" : "s", m.allKeyFrames ? " (all)" : "");
  std::printf("  frame size    largest %s (header says %s), average %s\n", Bytes(largestFrame).c_str(),
              Bytes(h.largestFrameSize).c_str(), Bytes(data / frames).c_str());
  std::printf("  peak rate     %s in one second, from frame %u\n", Bytes(m.peakDataSize).c_str(), m.peakFrame + 1);
  std::printf("  average rate  %s a second\n", Bytes(static_cast<uint64_t>(data * rate / frames)).c_str());
  for (uint32_t t = 0; t < h.trackCount; ++t) {
    const uint32_t f = m.trackFormats[t];
    std::printf("  track %-3u     id %u, %u Hz, %s, %u-bit, largest packet %s, decodes to at most %s%s\n", t,
                m.trackIds[t], f & 0xFFFF, (f & 0x20000000u) ? "stereo" : "mono", (f & 0x40000000u) ? 16 : 8,
                Bytes(largestTrackPacket[t]).c_str(), Bytes(m.trackSizes[t]).c_str(),
                (f & 0x80000000u) ? "" : " (no audio: never played)");
  }
  if (h.trackCount == 0) std::printf("  sound         none\n");
  if (damaged) std::printf("  warning       the file is damaged or cut short after frame %u\n", m.currentFrame - 1);
  QuorClose(movie);
  return damaged ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || !std::strcmp(argv[1], "-h") || !std::strcmp(argv[1], "--help")) {
    std::fprintf(argc < 2 ? stderr : stdout, "usage: quorinfo MOVIE.qor...\n");
    return argc < 2 ? 2 : 0;
  }
  int status = 0;
  for (int i = 1; i < argc; ++i) status |= Describe(argv[i]);
  return status;
}

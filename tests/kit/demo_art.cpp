#include "demo_art.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "audio_block_writer.h"
#include "bitstream_writer.h"
#include "movie_writer.h"

namespace quortest {
namespace {

struct Yuv {
  uint8_t y, u, v;
};

// A plane of fills, or of skips where `colour` gives nothing.
using BlockColour = std::function<int(uint32_t bx, uint32_t by)>;  // -1 = keep the previous

std::vector<uint8_t> PlaneOf(uint32_t width, uint32_t height, const BlockColour& colour) {
  PlaneSpec plane;
  plane.width = (width + 7) & ~7u;
  plane.height = (height + 7) & ~7u;
  for (uint32_t by = 0; by < plane.height / 8; ++by) {
    std::vector<BlockSpec> row;
    for (uint32_t bx = 0; bx < plane.width / 8; ++bx) {
      const int c = colour(bx, by);
      row.push_back(c < 0 ? SkipBlock() : FillBlock(static_cast<uint8_t>(c)));
    }
    plane.rows.push_back(std::move(row));
  }
  return WritePlane(plane);
}

// Chroma plane 1 carries V, plane 2 carries U; chroma blocks cover 16 x 16 luma pixels.
std::vector<uint8_t> Frame(uint32_t w, uint32_t h, const std::function<int(uint32_t, uint32_t, int)>& at) {
  FrameData f;
  f.luma = PlaneOf(w, h, [&](uint32_t bx, uint32_t by) { return at(bx * 8, by * 8, 0); });
  const uint32_t cw = (w + 1) / 2, ch = (h + 1) / 2;
  f.chroma1 = PlaneOf(cw, ch, [&](uint32_t bx, uint32_t by) { return at(bx * 16, by * 16, 2); });
  f.chroma2 = PlaneOf(cw, ch, [&](uint32_t bx, uint32_t by) { return at(bx * 16, by * 16, 1); });
  return WriteFrame(f);
}

int Component(const Yuv& c, int which) { return which == 0 ? c.y : which == 1 ? c.u : c.v; }

Yuv Gradient(uint32_t x, uint32_t y) {
  return {static_cast<uint8_t>(40 + (x * 120) / 320 + (y * 40) / 240), static_cast<uint8_t>(90 + (x * 70) / 320),
          static_cast<uint8_t>(170 - (y * 80) / 240)};
}

constexpr Yuv kSquare{210, 60, 150};  // warm yellow
constexpr uint32_t kSide = 48;

struct Square {
  uint32_t x, y;
  bool Covers(uint32_t px, uint32_t py, uint32_t size) const {
    return px + size > x && px < x + kSide && py + size > y && py < y + kSide;
  }
};

Square SquareAt(uint32_t frame) {
  // Positions on the 16-pixel grid so that chroma blocks follow exactly.
  const double t = frame / 25.0;
  const uint32_t x = static_cast<uint32_t>((std::sin(t * 1.3) * 0.5 + 0.5) * (320 - kSide)) & ~15u;
  const uint32_t y = static_cast<uint32_t>((std::cos(t * 0.9) * 0.5 + 0.5) * (240 - kSide)) & ~15u;
  return {x, y};
}

// One block of a 22050 Hz mono track: 1024 transform bins' worth, 960 new samples. A tone on
// bin j repeats every 1024 / j samples; multiples of 16 line up with the 960-sample step.
std::vector<uint8_t> ToneBlock(uint32_t bin) {
  AudioBlock block;
  block.raw0 = AudioRawField(0, 0, false);
  block.raw1 = AudioRawField(0, 0, false);
  block.scales.assign(23, 60);  // 10^(0.0664 * 60): about 9600
  std::vector<int32_t> q(1024, 0);
  q[2 * bin] = 10;  // amplitude 10 * 9600 * 2 / 32: about 6000
  block.groups = AudioGroupsOf(q);
  return WriteAudioBlock(block);
}

constexpr uint32_t kToneRate = 22050;
constexpr uint32_t kBlockSamples = 960;

}  // namespace

std::vector<uint8_t> DemoMovie(bool withSound) {
  MovieSpec spec;
  spec.width = 320;
  spec.height = 240;
  spec.rateNumerator = 25;
  spec.rateDenominator = 1;
  const uint32_t frames = 250;
  if (withSound) spec.tracks.push_back({0x80000000u | 0x40000000u | kToneRate, 0, 0});
  const uint32_t totalSamples = frames * kToneRate / 25;
  uint32_t blocksWritten = 0;
  const uint32_t melody[] = {16, 32, 48, 32};
  for (uint32_t i = 0; i < frames; ++i) {
    const Square now = SquareAt(i), before = SquareAt(i ? i - 1 : 0), older = SquareAt(i > 1 ? i - 2 : 0);
    const bool key = i % 50 == 0;
    FrameSpec f;
    f.key = key;
    if (withSound) {
      // Sound runs three quarters of a second ahead of the picture.
      const uint32_t wanted = std::min(totalSamples, (i + 1) * kToneRate / 25 + kToneRate * 3 / 4);
      TrackData track;
      while (blocksWritten * kBlockSamples < wanted) {
        const auto block = ToneBlock(melody[(blocksWritten * kBlockSamples / (kToneRate / 2)) % 4]);
        track.bytes.insert(track.bytes.end(), block.begin(), block.end());
        track.decodedSize += kBlockSamples * 2;
        ++blocksWritten;
      }
      track.present = !track.bytes.empty();
      f.tracks.push_back(std::move(track));
    }
    // The back picture holds the frame before last: redraw what either of the last two frames
    // changed, keep the rest.
    f.video = Frame(320, 240, [&](uint32_t x, uint32_t y, int which) {
      const uint32_t size = which == 0 ? 8 : 16;
      if (now.Covers(x, y, size)) return Component(kSquare, which);
      if (key || before.Covers(x, y, size) || older.Covers(x, y, size)) return Component(Gradient(x, y), which);
      return -1;
    });
    spec.frames.push_back(std::move(f));
  }
  return BuildMovie(spec);
}

std::vector<uint8_t> EndPicture() {
  MovieSpec spec;
  spec.width = 224;
  spec.height = 252;
  spec.rateNumerator = 10;
  spec.rateDenominator = 1;
  FrameSpec f;
  f.key = true;
  // A gold ring with a tail on deep blue. Luma follows the shape block by block; chroma, in
  // 16-pixel cells, takes the colour of the larger part of its cell.
  auto inShape = [](uint32_t x, uint32_t y) {
    const double cx = x + 4.0 - 112, cy = y + 4.0 - 112;
    const double r = std::sqrt(cx * cx + cy * cy);
    const bool ring = r > 56 && r < 84;
    const bool tail = cx > 20 && cx < 100 && std::fabs((cy - 20) - cx) < 18 && y < 240;
    return ring || tail;
  };
  f.video = Frame(224, 252, [&](uint32_t x, uint32_t y, int which) {
    constexpr Yuv kGold{186, 70, 160}, kBlue{28, 150, 120};
    bool gold = inShape(x, y);
    if (which != 0) {
      int count = 0;
      for (uint32_t dy = 0; dy < 16; dy += 8)
        for (uint32_t dx = 0; dx < 16; dx += 8) count += inShape(x + dx, y + dy);
      gold = count >= 2;
    }
    return Component(gold ? kGold : kBlue, which);
  });
  spec.frames.push_back(std::move(f));
  return BuildMovie(spec);
}

}  // namespace quortest

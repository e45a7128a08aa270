#include "movie_writer.h"

#include <algorithm>
#include <cstdio>

namespace quortest {

void PutWord(std::vector<uint8_t>& out, uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

void SetWord(std::vector<uint8_t>& out, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) out[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

uint32_t GetWord(const std::vector<uint8_t>& in, size_t at) {
  return uint32_t(in[at]) | uint32_t(in[at + 1]) << 8 | uint32_t(in[at + 2]) << 16 |
         uint32_t(in[at + 3]) << 24;
}

std::vector<uint8_t> BuildPacket(const MovieSpec& spec, const FrameSpec& frame) {
  std::vector<uint8_t> packet;
  for (size_t t = 0; t < spec.tracks.size(); ++t) {
    const TrackData* data = t < frame.tracks.size() ? &frame.tracks[t] : nullptr;
    if (!data || !data->present) {
      PutWord(packet, 0);
      continue;
    }
    PutWord(packet, static_cast<uint32_t>(data->bytes.size() + 4));
    PutWord(packet, data->decodedSize);
    packet.insert(packet.end(), data->bytes.begin(), data->bytes.end());
  }
  packet.insert(packet.end(), frame.video.begin(), frame.video.end());
  return packet;
}

std::vector<uint8_t> BuildMovie(const MovieSpec& spec) {
  const uint32_t n = static_cast<uint32_t>(spec.tracks.size());
  const uint32_t written = static_cast<uint32_t>(spec.frames.size());
  const uint32_t indexFrames = spec.indexFrameCount.value_or(written);
  std::vector<std::vector<uint8_t>> packets;
  uint32_t largest = 0;
  std::vector<uint32_t> largestDecoded(n, 0);
  for (const FrameSpec& f : spec.frames) {
    packets.push_back(BuildPacket(spec, f));
    largest = std::max<uint32_t>(largest, static_cast<uint32_t>(packets.back().size()));
    for (uint32_t t = 0; t < n && t < f.tracks.size(); ++t)
      if (f.tracks[t].present) largestDecoded[t] = std::max(largestDecoded[t], f.tracks[t].decodedSize);
  }
  std::vector<uint8_t> out{'Q', 'O', 'R', static_cast<uint8_t>(spec.version)};
  PutWord(out, 0);  // file size less 8, set below
  PutWord(out, spec.frameCount.value_or(written));
  PutWord(out, spec.largestFrameSize.value_or(largest));
  PutWord(out, indexFrames);
  PutWord(out, spec.width);
  PutWord(out, spec.height);
  PutWord(out, spec.rateNumerator);
  PutWord(out, spec.rateDenominator);
  PutWord(out, spec.videoFlags);
  PutWord(out, n);
  for (uint32_t t = 0; t < n; ++t)
    PutWord(out, spec.tracks[t].largestDecoded ? spec.tracks[t].largestDecoded : largestDecoded[t]);
  for (const TrackSpec& t : spec.tracks) PutWord(out, t.format);
  for (const TrackSpec& t : spec.tracks) PutWord(out, t.id);
  const size_t indexAt = out.size();
  out.resize(out.size() + 4 * (size_t(indexFrames) + 1), 0);
  uint32_t offset = static_cast<uint32_t>(out.size());
  for (uint32_t i = 0; i < written; ++i) {
    if (i <= indexFrames) SetWord(out, indexAt + 4 * i, offset | (spec.frames[i].key ? 1u : 0u));
    out.insert(out.end(), packets[i].begin(), packets[i].end());
    offset = static_cast<uint32_t>(out.size());
  }
  if (written <= indexFrames) SetWord(out, indexAt + 4 * written, offset);
  SetWord(out, 4, spec.fileSizeLess8.value_or(static_cast<uint32_t>(out.size() - 8)));
  return out;
}

MovieSpec PatternMovie(uint32_t frames, uint32_t videoBytes, uint32_t trackCount) {
  MovieSpec spec;
  for (uint32_t t = 0; t < trackCount; ++t) spec.tracks.push_back({0x80000000u | 22050, t, 0});
  for (uint32_t i = 0; i < frames; ++i) {
    FrameSpec f;
    f.key = (i % 10) == 0;
    for (uint32_t t = 0; t < trackCount; ++t) {
      TrackData d;
      d.present = ((i + t) % 3) != 2;
      d.decodedSize = 100 + i + t;
      for (uint32_t b = 0; b < 4 * (1 + (i + t) % 4); ++b) d.bytes.push_back(static_cast<uint8_t>(i * 7 + t * 3 + b));
      f.tracks.push_back(d);
    }
    for (uint32_t b = 0; b < ((videoBytes + 3) & ~3u) + (i % 5) * 4; ++b)
      f.video.push_back(static_cast<uint8_t>((i * 131 + b * 17) >> 1));
    spec.frames.push_back(std::move(f));
  }
  return spec;
}

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

}  // namespace quortest

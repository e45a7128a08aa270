// Splitting a frame packet: each track's section (a size word, and for a non-empty section a
// decoded-size word and compressed audio), then the video data to the end of the packet.
#pragma once

#include <cstdint>
#include <span>

#include "bytes.h"

namespace quor {

struct TrackSection {
  uint32_t track;
  bool present;                     // false: a size word of 0
  uint32_t decodedSize;
  std::span<const uint8_t> audio;   // compressed bytes after the decoded-size word
};

// Calls onTrack(const TrackSection&) for every track in file order and stores the video data.
// Returns false, having called nothing, when the sections overrun the packet.
template <typename OnTrack>
bool SplitPacket(std::span<const uint8_t> packet, uint32_t trackCount, std::span<const uint8_t>& video,
                 OnTrack&& onTrack) {
  // Checked whole first, so that a damaged packet delivers no audio at all.
  size_t pos = 0;
  for (uint32_t t = 0; t < trackCount; ++t) {
    if (packet.size() - pos < 4) return false;
    const uint32_t size = LoadLe32(packet.data() + pos);
    if ((size != 0 && size < 4) || packet.size() - pos - 4 < size) return false;
    pos += 4 + size_t(size);
  }
  video = packet.subspan(pos);
  pos = 0;
  for (uint32_t t = 0; t < trackCount; ++t) {
    const uint32_t size = LoadLe32(packet.data() + pos);
    TrackSection section{t, size != 0, 0, {}};
    if (size) {
      section.decodedSize = LoadLe32(packet.data() + pos + 4);
      section.audio = packet.subspan(pos + 8, size - 4);
    }
    onTrack(section);
    pos += 4 + size_t(size);
  }
  return true;
}

}  // namespace quor

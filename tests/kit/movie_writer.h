// Writes Quor movie containers with chosen header fields, track tables and packet bytes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quortest {

struct TrackSpec {
  uint32_t format = 0x80000000u | 22050;  // bit 31 present, bits 0-15 rate
  uint32_t id = 0;
  uint32_t largestDecoded = 0;  // 0: derived from the frames
};

struct TrackData {
  bool present = false;          // false: a packet size word of 0 and nothing else
  uint32_t decodedSize = 0;
  std::vector<uint8_t> bytes;    // compressed audio
};

struct FrameSpec {
  bool key = true;
  std::vector<TrackData> tracks;  // one per track (missing ones are written absent)
  std::vector<uint8_t> video;
};

struct MovieSpec {
  char version = 'i';
  uint32_t width = 32, height = 16;
  uint32_t rateNumerator = 25, rateDenominator = 1;
  uint32_t videoFlags = 0;
  std::vector<TrackSpec> tracks;
  std::vector<FrameSpec> frames;
  // Overrides for writing damaged or half-written files.
  std::optional<uint32_t> frameCount, indexFrameCount, largestFrameSize, fileSizeLess8;
};

// The packet of one frame as the container lays it out.
std::vector<uint8_t> BuildPacket(const MovieSpec& spec, const FrameSpec& frame);
// The whole file image.
std::vector<uint8_t> BuildMovie(const MovieSpec& spec);
// Frames of about `videoBytes` of video each (varying by frame) and sections for `trackCount`
// tracks, every byte a function of frame and position. Packet sizes are multiples of 4, as
// they are in real files: the key-frame flag takes bit 0 of the index words.
MovieSpec PatternMovie(uint32_t frames, uint32_t videoBytes, uint32_t trackCount = 0);

void PutWord(std::vector<uint8_t>& out, uint32_t value);
void SetWord(std::vector<uint8_t>& out, size_t at, uint32_t value);
uint32_t GetWord(const std::vector<uint8_t>& in, size_t at);

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace quortest

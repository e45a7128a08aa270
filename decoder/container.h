// The movie container: a 44-byte header, three per-track tables, a frame index and one packet
// per frame. This file reads and checks the fixed parts and derives what opening needs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace quor {

constexpr uint32_t kHeaderSize = 44;

struct Header {
  char version = 0;           // 'f' .. 'i'
  uint32_t fileSizeLess8 = 0;
  uint32_t frameCount = 0;
  uint32_t largestFrameSize = 0;
  uint32_t indexFrameCount = 0;
  uint32_t width = 0, height = 0;
  uint32_t rateNumerator = 0, rateDenominator = 0;
  uint32_t videoFlags = 0;
  uint32_t trackCount = 0;

  uint64_t DataEnd() const { return uint64_t(fileSizeLess8) + 8; }
  uint64_t TablesOffset() const { return kHeaderSize; }
  uint64_t IndexOffset() const { return kHeaderSize + 12ull * trackCount; }
  uint64_t IndexBytes() const { return 4ull * (uint64_t(indexFrameCount) + 1); }
  uint64_t FirstPacketOffset() const { return IndexOffset() + IndexBytes(); }
};

// Error texts of opening. The first four are the library's documented messages.
inline constexpr const char* kErrorOpening = "Error opening file.";
inline constexpr const char* kErrorNotQuor = "Not a Quor file.";
inline constexpr const char* kErrorNoFrames = "The file doesn't contain any compressed frames yet.";
inline constexpr const char* kErrorOutOfMemory = "Out of memory.";
inline constexpr const char* kErrorShortHeader = "Damaged Quor file: the header is cut short.";
inline constexpr const char* kErrorFrameCount = "Damaged Quor file: more frames than its frame index holds.";
inline constexpr const char* kErrorPictureSize = "Damaged Quor file: the picture size is not usable.";
inline constexpr const char* kErrorFrameRate = "Damaged Quor file: the frame rate is not usable.";
inline constexpr const char* kErrorTables = "Damaged Quor file: its track tables and frame index don't fit in the file.";
inline constexpr const char* kErrorIndex = "Damaged Quor file: its frame index is damaged.";

// Limits that keep a hostile header from asking for absurd buffers.
constexpr uint32_t kMaxCodedSize = 16384;     // pixels, each way
constexpr uint32_t kMaxWholeRate = 10000;     // frames per second

// Reads the header from `bytes` (which may be short). Returns null on success, otherwise the
// error text. The checks run in this order: magic, frame count, then the damage checks that
// need no more than the header.
const char* ParseHeader(std::span<const uint8_t> bytes, Header& header);

// Checks that the tables and the index fit within `available` bytes of movie (the real size,
// which may be less than the header claims).
const char* CheckLayout(const Header& header, uint64_t available);

// Checks the index words of the played frames: offsets in order, past the index, within the
// data the header declares, and no packet larger than the header's largest frame size.
// On success stores the largest packet actually present.
const char* CheckIndex(const Header& header, std::span<const uint32_t> index, uint32_t& largestPacket);

// Whole-number frame rate: (numerator + denominator / 2) / denominator, at least 1.
uint32_t WholeRate(uint32_t numerator, uint32_t denominator);

struct PeakData {
  uint32_t bytesPerSecond = 0;
  uint32_t startFrame = 0;  // first frame of the busiest second
};
// The peak one-second data size over the index words as stored (key-frame bits included).
PeakData FindPeakData(std::span<const uint32_t> index, uint32_t frameCount, uint32_t wholeRate);

// True when every played frame is a key frame.
bool AllKeyFrames(std::span<const uint32_t> index, uint32_t frameCount);

inline uint32_t PacketOffset(uint32_t indexWord) { return indexWord & ~1u; }

}  // namespace quor

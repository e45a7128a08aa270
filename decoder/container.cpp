#include "container.h"

#include <algorithm>

#include "bytes.h"

namespace quor {

const char* ParseHeader(std::span<const uint8_t> bytes, Header& h) {
  if (bytes.size() < 4 || bytes[0] != 'Q' || bytes[1] != 'O' || bytes[2] != 'R' || bytes[3] < 'f' ||
      bytes[3] > 'i')
    return kErrorNotQuor;
  if (bytes.size() < kHeaderSize) return kErrorShortHeader;
  const uint8_t* p = bytes.data();
  h.version = static_cast<char>(p[3]);
  h.fileSizeLess8 = LoadLe32(p + 4);
  h.frameCount = LoadLe32(p + 8);
  h.largestFrameSize = LoadLe32(p + 12);
  h.indexFrameCount = LoadLe32(p + 16);
  h.width = LoadLe32(p + 20);
  h.height = LoadLe32(p + 24);
  h.rateNumerator = LoadLe32(p + 28);
  h.rateDenominator = LoadLe32(p + 32);
  h.videoFlags = LoadLe32(p + 36);
  h.trackCount = LoadLe32(p + 40);
  if (h.frameCount == 0) return kErrorNoFrames;
  if (h.frameCount > h.indexFrameCount) return kErrorFrameCount;
  if (h.width == 0 || h.height == 0 || h.width > kMaxCodedSize || h.height > kMaxCodedSize)
    return kErrorPictureSize;
  // Both parts take part in divisions of the schedule; the whole rate sizes the histories.
  if (h.rateNumerator == 0 || h.rateDenominator == 0 ||
      WholeRate(h.rateNumerator, h.rateDenominator) > kMaxWholeRate)
    return kErrorFrameRate;
  return nullptr;
}

const char* CheckLayout(const Header& h, uint64_t available) {
  const uint64_t end = std::min<uint64_t>(h.DataEnd(), available);
  if (h.FirstPacketOffset() > end) return kErrorTables;
  return nullptr;
}

const char* CheckIndex(const Header& h, std::span<const uint32_t> index, uint32_t& largestPacket) {
  if (index.size() < size_t(h.frameCount) + 1) return kErrorIndex;
  uint64_t previous = h.FirstPacketOffset();
  uint32_t largest = 0;
  for (uint32_t i = 0; i <= h.frameCount; ++i) {
    const uint64_t offset = PacketOffset(index[i]);
    if (offset < previous || offset > h.DataEnd()) return kErrorIndex;
    if (i > 0) {
      const uint64_t size = offset - previous;
      if (size > h.largestFrameSize) return kErrorIndex;
      largest = std::max(largest, static_cast<uint32_t>(size));
    }
    previous = offset;
  }
  largestPacket = largest;
  return nullptr;
}

uint32_t WholeRate(uint32_t numerator, uint32_t denominator) {
  if (denominator == 0) return 1;
  const uint32_t r = static_cast<uint32_t>((uint64_t(numerator) + denominator / 2) / denominator);
  return r ? r : 1;
}

PeakData FindPeakData(std::span<const uint32_t> index, uint32_t frameCount, uint32_t r) {
  PeakData peak;
  const uint32_t average = static_cast<uint32_t>(
      uint64_t(uint32_t(index[frameCount] - index[0])) * r / frameCount);
  if (frameCount <= r) {  // frame count - r < 1
    peak.bytesPerSecond = average;
    return peak;
  }
  for (uint32_t i = 0; i < frameCount - r; ++i) {
    const uint32_t bytes = index[i + r] - index[i];
    if (bytes > peak.bytesPerSecond) {
      peak.bytesPerSecond = bytes;
      peak.startFrame = i;
    }
  }
  if (peak.bytesPerSecond == 0) peak.bytesPerSecond = average;
  return peak;
}

bool AllKeyFrames(std::span<const uint32_t> index, uint32_t frameCount) {
  for (uint32_t i = 0; i < frameCount; ++i)
    if (!(index[i] & 1)) return false;
  return true;
}

}  // namespace quor

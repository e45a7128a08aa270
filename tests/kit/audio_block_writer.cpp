#include "audio_block_writer.h"

#include <algorithm>
#include <cstdlib>

namespace quortest {

void AudioBitWriter::Put(uint32_t value, unsigned count) {
  for (unsigned b = 0; b < count; ++b, ++bits_) {
    if (bits_ % 32 == 0) words_.push_back(0);
    words_.back() |= ((value >> b) & 1u) << (bits_ % 32);
  }
}

std::vector<uint8_t> AudioBitWriter::Finish() const {
  std::vector<uint8_t> bytes;
  bytes.reserve(words_.size() * 4);
  for (const uint32_t word : words_) {
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<uint8_t>(word >> (8 * i)));
  }
  return bytes;
}

uint32_t AudioRawField(uint32_t exponent, uint32_t mantissa, bool negative) {
  return (exponent & 0x1F) | ((mantissa & 0x7FFFFF) << 5) | (negative ? 1u << 28 : 0u);
}

void WriteAudioBlock(AudioBitWriter& writer, const AudioBlock& block) {
  writer.Put(block.raw0, 29);
  writer.Put(block.raw1, 29);
  for (const uint8_t scale : block.scales) writer.Put(scale, 8);
  for (const AudioGroup& group : block.groups) {
    if (group.runIndex < 0) {
      writer.Put(0, 1);
    } else {
      writer.Put(1, 1);
      writer.Put(static_cast<uint32_t>(group.runIndex), 4);
    }
    writer.Put(group.width, 4);
    if (group.width == 0) continue;
    for (const int32_t value : group.values) {
      const uint32_t magnitude = static_cast<uint32_t>(std::abs(value));
      writer.Put(magnitude, group.width);
      if (magnitude != 0) writer.Put(value < 0 ? 1 : 0, 1);
    }
  }
}

std::vector<uint8_t> WriteAudioBlock(const AudioBlock& block) {
  AudioBitWriter writer;
  WriteAudioBlock(writer, block);
  return writer.Finish();
}

std::vector<AudioGroup> AudioGroupsOf(std::span<const int32_t> q) {
  std::vector<AudioGroup> groups;
  for (size_t i = 2; i < q.size(); i += 8) {
    const size_t end = std::min(i + 8, q.size());
    AudioGroup group;
    uint32_t largest = 0;
    for (size_t k = i; k < end; ++k) largest = std::max(largest, static_cast<uint32_t>(std::abs(q[k])));
    while (largest >> group.width) ++group.width;
    if (group.width != 0) group.values.assign(q.begin() + i, q.begin() + end);
    groups.push_back(std::move(group));
  }
  return groups;
}

}  // namespace quortest

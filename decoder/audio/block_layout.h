// The shape of a track's audio blocks: transform length, overlap and critical-band boundaries.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace quor::audio {

struct BlockLayout {
  uint32_t length = 0;   // transform length n: samples per channel and block times channels
  uint32_t overlap = 0;  // n / 16, the cross-faded span
  uint32_t bandCount = 0;
  // Band k covers the bins boundaries[k] .. boundaries[k + 1] - 1; boundaries[bandCount] = n / 2.
  std::array<uint32_t, 26> boundaries{};
};

// Samples per channel in one block for a sample rate: 512, 1024 or 2048.
uint32_t SamplesPerChannel(uint32_t sampleRate);

// The layout for a track; empty for a rate of 0 or a channel count other than 1 or 2.
std::optional<BlockLayout> MakeBlockLayout(uint32_t sampleRate, uint32_t channels);

}  // namespace quor::audio

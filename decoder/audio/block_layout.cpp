#include "block_layout.h"

#include "audio_tables.h"

namespace quor::audio {

uint32_t SamplesPerChannel(uint32_t sampleRate) {
  if (sampleRate < 22050) return 512;
  if (sampleRate < 44100) return 1024;
  return 2048;
}

std::optional<BlockLayout> MakeBlockLayout(uint32_t sampleRate, uint32_t channels) {
  // A rate of 0 takes no band at all and would leave every coefficient unscaled; rates above
  // 16 bits never come from a track's format word and would overflow the boundary products.
  if (sampleRate == 0 || sampleRate > 0xFFFF || (channels != 1 && channels != 2)) return std::nullopt;
  BlockLayout layout;
  layout.length = SamplesPerChannel(sampleRate) * channels;
  layout.overlap = layout.length / 16;
  const uint32_t bins = layout.length / 2;
  const uint32_t nyquist = (sampleRate * channels + 1) / 2;
  for (const uint32_t hz : kCriticalBandHz) {
    if (hz >= nyquist) break;
    const uint32_t boundary = hz * bins / nyquist;
    layout.boundaries[layout.bandCount++] = boundary == 0 ? 1 : boundary;
  }
  layout.boundaries[layout.bandCount] = bins;
  return layout;
}

}  // namespace quor::audio

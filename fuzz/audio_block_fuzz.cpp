// Audio block decoder on arbitrary packets. The first byte picks the track format; the rest is
// one packet of blocks, decoded block by block as the frame stepping does.
#include <quor_audio.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

struct Format {
  uint32_t rate, channels;
};
constexpr Format kFormats[] = {{11025, 1}, {11025, 2}, {22050, 1}, {22050, 2}, {44100, 1}, {44100, 2}};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const Format format = kFormats[data[0] % std::size(kFormats)];
  QuorAudioDecoder* decoder = QuorAudioDecoderOpen(format.rate, format.channels, 1);
  if (!decoder) std::abort();
  // An exact-size copy, so any read past the packet is caught.
  const std::vector<uint8_t> packet(data + 1, data + size);
  const uint8_t* position = packet.data();
  const uint8_t* const end = packet.data() + packet.size();
  const uint32_t blockBytes = QuorAudioDecoderBlockBytes(decoder);
  for (;;) {
    const int16_t* samples = nullptr;
    uint32_t bytes = 0;
    const uint8_t* next = nullptr;
    QuorAudioDecodeBlock(decoder, &samples, &bytes, position, end, &next);
    if (bytes == 0) {
      // Only an exhausted packet yields nothing.
      if (position != end) std::abort();
      break;
    }
    // Every block makes progress and stays inside the packet.
    if (bytes != blockBytes || !samples || next <= position || next > end) std::abort();
    volatile int32_t sum = 0;
    for (uint32_t i = 0; i < bytes / 2; ++i) sum = sum + samples[i];
    position = next;
  }
  QuorAudioDecoderClose(decoder);
  return 0;
}

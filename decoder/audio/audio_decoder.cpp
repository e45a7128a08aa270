// The exported audio decoder: one allocation per track holding the state, the transform tables,
// the work area and the output buffer.
#include <quor_audio.h>
#include <quor_memory.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <span>

#include "block_bit_reader.h"
#include "block_coefficients.h"
#include "block_layout.h"
#include "inverse_rdft.h"
#include "pcm_output.h"

using quor::audio::BlockLayout;
using quor::audio::InverseRdft;

struct QuorAudioDecoder {
  BlockLayout layout;
  float outputScale;  // 2 / sqrt(n)
  bool firstBlock;
  InverseRdft transform;
  std::span<float> bins;       // n + 2: the work area of one block
  std::span<float> signal;     // n
  std::span<int16_t> output;   // n
  std::span<int16_t> tail;     // v: the previous block's last samples
};

namespace {

constexpr size_t kAlign = 32;
constexpr size_t kReserveBytes = 16384;

constexpr size_t AlignUp(size_t bytes) { return (bytes + kAlign - 1) & ~(kAlign - 1); }

// Offsets of the parts inside the single allocation.
struct Placement {
  size_t bins, signal, output, tail, transform, total;
};

Placement Place(uint32_t n, uint32_t v, uint32_t option) {
  Placement p{};
  size_t at = AlignUp(sizeof(QuorAudioDecoder));
  p.bins = at;
  at = AlignUp(at + (n + 2) * sizeof(float));
  p.signal = at;
  at = AlignUp(at + n * sizeof(float));
  p.output = at;
  at = AlignUp(at + n * sizeof(int16_t));
  p.tail = at;
  at = AlignUp(at + v * sizeof(int16_t));
  p.transform = at;
  at = AlignUp(at + InverseRdft::StateBytes(n));
  if ((option & 1) == 0) at += kReserveBytes;
  p.total = at;
  return p;
}

struct FreeBlock {
  void operator()(std::byte* block) const { QuorFree(block); }
};

}  // namespace

extern "C" QuorAudioDecoder* QuorAudioDecoderOpen(uint32_t sampleRate, uint32_t channels, uint32_t option) {
  const std::optional<BlockLayout> layout = quor::audio::MakeBlockLayout(sampleRate, channels);
  if (!layout) return nullptr;
  const uint32_t n = layout->length;
  const uint32_t v = layout->overlap;
  const Placement place = Place(n, v, option);
  std::unique_ptr<std::byte, FreeBlock> memory(static_cast<std::byte*>(QuorAlloc(place.total)));
  if (!memory) return nullptr;
  std::byte* const base = memory.get();
  const std::span<std::byte> transformState(base + place.transform, InverseRdft::StateBytes(n));
  auto* decoder = std::construct_at(
      reinterpret_cast<QuorAudioDecoder*>(base),
      QuorAudioDecoder{
          .layout = *layout,
          .outputScale = static_cast<float>(2.0 / std::sqrt(static_cast<double>(n))),
          .firstBlock = true,
          .transform = InverseRdft(n, transformState),
          .bins = {reinterpret_cast<float*>(base + place.bins), n + 2},
          .signal = {reinterpret_cast<float*>(base + place.signal), n},
          .output = {reinterpret_cast<int16_t*>(base + place.output), n},
          .tail = {reinterpret_cast<int16_t*>(base + place.tail), v},
      });
  memory.release();
  return decoder;
}

extern "C" void QuorAudioDecoderClose(QuorAudioDecoder* decoder) {
  if (!decoder) return;
  std::destroy_at(decoder);
  QuorFree(decoder);
}

extern "C" uint32_t QuorAudioDecoderBlockBytes(const QuorAudioDecoder* decoder) {
  if (!decoder) return 0;
  return (decoder->layout.length - decoder->layout.overlap) * 2;
}

extern "C" void QuorAudioDecodeBlock(QuorAudioDecoder* decoder, const int16_t** samples, uint32_t* bytes,
                                     const uint8_t* input, const uint8_t* inputEnd, const uint8_t** next) {
  const auto store = [&](const int16_t* s, uint32_t b, const uint8_t* nx) {
    if (samples) *samples = s;
    if (bytes) *bytes = b;
    if (next) *next = nx;
  };
  if (!decoder) return store(nullptr, 0, input);
  if (!input || !inputEnd || !std::less<const uint8_t*>()(input, inputEnd)) {
    // Nothing of the packet is left: no block, no progress, so the caller's loop ends here.
    const bool beyond = input && inputEnd && std::less<const uint8_t*>()(inputEnd, input);
    return store(decoder->output.data(), 0, beyond ? inputEnd : input);
  }

  quor::audio::BlockBitReader reader(input, inputEnd);
  quor::audio::ReadBlockBins(reader, decoder->layout, decoder->bins);
  decoder->transform.Run(decoder->bins, decoder->signal);
  // The transform yields twice the signal; halving the scale is exact.
  quor::audio::ConvertToPcm(decoder->signal, decoder->outputScale * 0.5f, decoder->output);

  const uint32_t n = decoder->layout.length;
  const uint32_t v = decoder->layout.overlap;
  if (decoder->firstBlock) {
    decoder->firstBlock = false;
  } else {
    quor::audio::CrossFade(decoder->output.first(v), decoder->tail);
  }
  const std::span<const int16_t> last = decoder->output.last(v);
  std::copy(last.begin(), last.end(), decoder->tail.begin());

  store(decoder->output.data(), (n - v) * 2, reader.NextWord());
}

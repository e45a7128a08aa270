#include "pcm_output.h"

#include <bit>
#include <cassert>

namespace quor::audio {

namespace {
constexpr float kRoundingBias = 0x1.8p23f;
}  // namespace

void ConvertToPcm(std::span<const float> signal, float scale, std::span<int16_t> out) {
  assert(out.size() <= signal.size());
  for (size_t t = 0; t < out.size(); ++t) {
    float value = signal[t] * scale;
    // Saturate before converting: a float beyond the integer range has no defined conversion.
    value = value <= 32767.0f ? value : 32767.0f;
    value = value >= -32768.0f ? value : -32768.0f;
    // Adding and removing 1.5 * 2^23 leaves no fraction bits, so the sum is rounded in the
    // default mode (nearest, ties to even); exact for every value in the saturated range.
    const float rounded = (value + kRoundingBias) - kRoundingBias;
    out[t] = static_cast<int16_t>(static_cast<int32_t>(rounded));
  }
}

void CrossFade(std::span<int16_t> head, std::span<const int16_t> tail) {
  const uint32_t v = static_cast<uint32_t>(head.size());
  assert(tail.size() == v && std::has_single_bit(v));
  const int shift = std::countr_zero(v);
  for (uint32_t i = 0; i < v; ++i) {
    const int32_t mixed = static_cast<int32_t>(v - i) * tail[i] + static_cast<int32_t>(i) * head[i];
    head[i] = static_cast<int16_t>(mixed >> shift);  // arithmetic shift: floor division
  }
}

}  // namespace quor::audio

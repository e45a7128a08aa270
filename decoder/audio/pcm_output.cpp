#include "pcm_output.h"

#include <bit>
#include <cassert>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quor::audio {

namespace {

constexpr float kRoundingBias = 0x1.8p23f;

// One sample: saturate first (a float beyond the integer range has no defined conversion; a NaN
// fails both comparisons' first arm and ends at 32767), then round.
inline int16_t ToPcm(float value) {
  value = value < 32767.0f ? value : 32767.0f;
  value = value > -32768.0f ? value : -32768.0f;
  // Adding and removing 1.5 * 2^23 leaves no fraction bits, so the sum is rounded in the
  // default mode (nearest, ties to even); exact for every value in the saturated range.
  const float rounded = (value + kRoundingBias) - kRoundingBias;
  return static_cast<int16_t>(static_cast<int32_t>(rounded));
}

}  // namespace

void ConvertToPcm(std::span<const float> signal, float scale, std::span<int16_t> out) {
  assert(out.size() <= signal.size());
  size_t t = 0;
#if defined(__SSE2__)
  // Eight at a time: min/max return their second operand for a NaN, as the scalar form does;
  // the conversion rounds in the default mode (nearest, ties to even).
  const __m128 factor = _mm_set1_ps(scale);
  const __m128 high = _mm_set1_ps(32767.0f);
  const __m128 low = _mm_set1_ps(-32768.0f);
  for (; t + 8 <= out.size(); t += 8) {
    __m128 a = _mm_mul_ps(_mm_loadu_ps(&signal[t]), factor);
    __m128 b = _mm_mul_ps(_mm_loadu_ps(&signal[t + 4]), factor);
    a = _mm_max_ps(_mm_min_ps(a, high), low);
    b = _mm_max_ps(_mm_min_ps(b, high), low);
    const __m128i packed = _mm_packs_epi32(_mm_cvtps_epi32(a), _mm_cvtps_epi32(b));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(&out[t]), packed);
  }
#endif
  for (; t < out.size(); ++t) out[t] = ToPcm(signal[t] * scale);
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

// From transform output to 16-bit samples: scaling with rounding and saturation, and the
// linear cross-fade of a block's head with the previous block's held tail.
#pragma once

#include <cstdint>
#include <span>

namespace quor::audio {

// out[t] = signal[t] * scale rounded to nearest, ties to even, saturated to -32768..32767.
// Any magnitude (and a NaN, which becomes 32767) is safe.
void ConvertToPcm(std::span<const float> signal, float scale, std::span<int16_t> out);

// head[i] = floor(((v - i) * tail[i] + i * head[i]) / v), v = head.size() = tail.size(), a
// power of two.
void CrossFade(std::span<int16_t> head, std::span<const int16_t> tail);

}  // namespace quor::audio

#include "block_coefficients.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cassert>
#include <cmath>

#include "audio_tables.h"

namespace quor::audio {
namespace {

constexpr unsigned kRawBits = 29;
constexpr unsigned kScaleBits = 8;
constexpr unsigned kGroupEighths = 8;

// q[first] .. q[last - 1] at width w (1..15): magnitudes, each with a sign bit when not zero.
// One fill of the reader serves three coefficients of at most 16 bits; no branch on the data.
void ReadMagnitudes(BlockBitReader& reader, unsigned width, float* q, float* last) {
  const uint32_t mask = (uint32_t{1} << width) - 1;
  while (q != last) {
    reader.Fill();
    const float* const batchEnd = q + std::min<ptrdiff_t>(3, last - q);
    for (; q != batchEnd; ++q) {
      const uint32_t bits = reader.PeekFilled(width + 1);
      const uint32_t magnitude = bits & mask;
      const uint32_t nonzero = magnitude != 0 ? 1 : 0;
      reader.Skip(width + nonzero);
      const uint32_t negative = (bits >> width) & nonzero;
      *q = std::bit_cast<float>(std::bit_cast<uint32_t>(static_cast<float>(magnitude)) | (negative << 31));
    }
  }
}

}  // namespace

float RawCoefficientValue(uint32_t field) {
  const int exponent = static_cast<int>(field & 0x1F);
  const uint32_t mantissa = (field >> 5) & 0x7FFFFF;
  const float value = std::ldexp(static_cast<float>(mantissa), exponent - 23);
  return (field >> 28) & 1 ? -value : value;
}

void ReadBlockBins(BlockBitReader& reader, const BlockLayout& layout, std::span<float> bins) {
  const uint32_t n = layout.length;
  assert(bins.size() >= n + 2);
  bins[0] = RawCoefficientValue(reader.Read(kRawBits));
  bins[1] = 0.0f;
  bins[n] = RawCoefficientValue(reader.Read(kRawBits));
  bins[n + 1] = 0.0f;

  std::array<uint8_t, 25> scaleIndex{};
  for (uint32_t k = 0; k < layout.bandCount; ++k) scaleIndex[k] = static_cast<uint8_t>(reader.Read(kScaleBits));

  float* const q = bins.data();
  for (uint32_t i = 2; i < n;) {
    const uint32_t eighths = reader.Read(1) != 0 ? kRunLengthEighths[reader.Read(4)] : 1;
    const uint32_t end = std::min(i + kGroupEighths * eighths, n);
    const unsigned width = reader.Read(4);
    if (width == 0) {
      std::fill(q + i, q + end, 0.0f);
    } else {
      ReadMagnitudes(reader, width, q + i, q + end);
    }
    i = end;
  }

  // Bins from boundary k up to boundary k + 1 take band k's scale; the sine parts are negated
  // for the transform's sign convention.
  for (uint32_t k = 0; k < layout.bandCount; ++k) {
    const float scale = kBandScales[scaleIndex[k]];
    const uint32_t last = std::min(layout.boundaries[k + 1], n / 2);
    for (uint32_t j = layout.boundaries[k]; j < last; ++j) {
      q[2 * j] *= scale;
      q[2 * j + 1] *= -scale;
    }
  }
}

}  // namespace quor::audio

// The coded fields of one audio block: two raw coefficients, the band scales and the
// run-grouped quantised coefficients, dequantised into the bins of the inverse transform.
#pragma once

#include <cstdint>
#include <span>

#include "block_bit_reader.h"
#include "block_layout.h"

namespace quor::audio {

// The value of a 29-bit raw coefficient field: bits 0-4 exponent e, 5-27 mantissa m, 28 sign;
// m * 2^(e - 23). Exponents up to 31 stay finite (below 2^31).
float RawCoefficientValue(uint32_t field);

// Reads one block and fills `bins` (n + 2 floats) for InverseRdft so that its output is twice
// the block's signal x[t]: bins[0] = a[0] = R[0], bins[n] = a[1] = R[n/2], and for 0 < j < n/2
// bins[2j] = R[j], bins[2j+1] = -I[j]. Bits past the packet read as zeros.
void ReadBlockBins(BlockBitReader& reader, const BlockLayout& layout, std::span<float> bins);

}  // namespace quor::audio

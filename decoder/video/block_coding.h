// Internal entry points of the block primitives, used by the plane decoder without the C
// wrappers' indirections.
#pragma once

#include <cstddef>
#include <cstdint>

#include "quor_blocks.h"

namespace quorvideo {

// Fills coefficients 1..63 (block order); returns the number of bit planes (0: all AC are 0).
unsigned DecodeCoefficients(int16_t coefficients[64], QuorBitReader& reader);
// Fills the 64 residue values in coded order (value k belongs to position kCoefficientScan[k]).
void DecodeResidueCoded(uint8_t residue[64], QuorBitReader& reader, uint32_t eventLimit);

// Inverse transforms; `acZero` says that coefficients 1..63 are known to be 0.
void IdctPut(uint8_t* destination, ptrdiff_t stride, const int16_t coefficients[64], unsigned q,
             bool acZero);
void IdctPutDouble(uint8_t* destination, ptrdiff_t stride, const int16_t coefficients[64],
                   unsigned q, bool acZero);
void IdctAdd(uint8_t* destination, ptrdiff_t stride, const int16_t coefficients[64], unsigned q,
             const uint8_t prediction[64], bool acZero);
void ResidueAdd(uint8_t* destination, ptrdiff_t stride, QuorBitReader& reader,
                uint32_t eventLimit, const uint8_t prediction[64]);

}  // namespace quorvideo

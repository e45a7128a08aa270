// Constant tables of the video decoder, each defined in its own source file.
#pragma once

#include <cstdint>

namespace quorvideo {

// Code tables 0..15: the longest code length, and per table 2^longest lookup bytes
// (code length * 16 + code index) starting at kCodeOffset[table] in kCodeLookup.
extern const uint8_t kCodeLongest[16];
extern const uint16_t kCodeOffset[16];
extern const uint8_t kCodeLookup[976];

// Coded index -> block position of the coefficient and residue coding.
extern const uint8_t kCoefficientScan[64];
// The sixteen scan tables of run blocks.
extern const uint8_t kRunScan[16][64];

// Quantisation tables (with the transform's scaling) by quantiser index and block position.
extern const uint32_t kIntraQuant[16][64];
extern const uint32_t kInterQuant[16][64];

}  // namespace quorvideo

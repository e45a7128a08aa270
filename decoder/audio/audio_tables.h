// Constant data of the audio bitstream.
#pragma once

#include <array>
#include <cstdint>

namespace quor::audio {

// Lower edges of the critical bands in Hz, ascending.
extern const std::array<uint32_t, 25> kCriticalBandHz;

// Group lengths selectable by a 4-bit run index, in units of 8 coefficients.
extern const std::array<uint8_t, 16> kRunLengthEighths;

// Band scale for each 8-bit scale index: the float nearest to 10^(0.0664f * index), the power
// taken in double precision with the single-precision factor.
extern const std::array<float, 256> kBandScales;

}  // namespace quor::audio

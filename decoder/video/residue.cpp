// Bit-plane decoding of a 64-value residue with its event limit, and the residue add.
#include <cstring>

#include "block_coding.h"
#include "entry_list.h"
#include "tables.h"

namespace quorvideo {

void DecodeResidueCoded(uint8_t residue[64], QuorBitReader& r, uint32_t eventLimit) {
  std::memset(residue, 0, 64);
  const unsigned top = GetBits(r, 3);
  static constexpr uint8_t kInitial[] = {kKindQuadAndGroup | 4, kKindQuadAndGroup | 24,
                                         kKindQuadAndGroup | 44, kKindQuad | 0};
  EntryList list(kInitial);
  uint8_t significant[64];  // each coded index becomes significant at most once
  unsigned significantCount = 0;
  uint32_t events = 0;
  // After an event: true to go on, false when the events before it reached the limit.
  auto event = [&] { return events++ != eventLimit; };
  for (unsigned p = top + 1; p-- > 0;) {
    const uint8_t m = uint8_t(1u << p);
    // Refinement of the values that became significant in earlier passes: only a bit of 1 adds
    // to the magnitude, and only that is an event. The sign is that of the stored 8-bit value.
    const unsigned earlier = significantCount;
    for (unsigned s = 0; s < earlier; ++s) {
      if (!GetBit(r)) continue;
      uint8_t& value = residue[significant[s]];
      value = int8_t(value) < 0 ? uint8_t(value - m) : uint8_t(value + m);
      if (!event()) return;
    }
    const bool more = list.Walk(r, [&](unsigned index) {
      significant[significantCount++] = uint8_t(index);
      residue[index] = GetBit(r) ? uint8_t(-m) : m;
      return event();
    });
    if (!more) return;
  }
}

void ResidueAdd(uint8_t* destination, ptrdiff_t stride, QuorBitReader& r, uint32_t eventLimit,
                const uint8_t prediction[64]) {
  uint8_t coded[64];
  DecodeResidueCoded(coded, r, eventLimit);
  uint8_t block[64];
  for (unsigned k = 0; k < 64; ++k) block[kCoefficientScan[k]] = coded[k];
  for (unsigned row = 0; row < 8; ++row) {
    uint8_t* out = destination + ptrdiff_t(row) * stride;
    for (unsigned column = 0; column < 8; ++column)
      out[column] = uint8_t(prediction[row * 8 + column] + block[row * 8 + column]);
  }
}

}  // namespace quorvideo

extern "C" void QuorDecodeResidue(int8_t residue[64], QuorBitReader* reader, uint32_t eventLimit) {
  uint8_t coded[64];
  quorvideo::DecodeResidueCoded(coded, *reader, eventLimit);
  for (unsigned k = 0; k < 64; ++k) residue[quorvideo::kCoefficientScan[k]] = int8_t(coded[k]);
}

extern "C" void QuorResidueAdd(uint8_t* destination, ptrdiff_t stride, QuorBitReader* reader,
                               uint32_t eventLimit, const uint8_t prediction[64]) {
  quorvideo::ResidueAdd(destination, stride, *reader, eventLimit, prediction);
}

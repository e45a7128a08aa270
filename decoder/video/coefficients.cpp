// Bit-plane decoding of the 63 AC coefficients of a transform block.
#include <cstring>

#include "block_coding.h"
#include "entry_list.h"
#include "tables.h"

namespace quorvideo {

unsigned DecodeCoefficients(int16_t coefficients[64], QuorBitReader& r) {
  std::memset(coefficients + 1, 0, 63 * sizeof(int16_t));
  const unsigned planes = GetBits(r, 4);
  if (planes == 0) return 0;
  static constexpr uint8_t kInitial[] = {kKindQuadAndGroup | 4, kKindQuadAndGroup | 24,
                                         kKindQuadAndGroup | 44, kKindSingle | 1,
                                         kKindSingle | 2,        kKindSingle | 3};
  EntryList list(kInitial);
  for (unsigned n = planes; n-- > 0;) {
    list.Walk(r, [&](unsigned index) {
      int32_t value;
      if (n == 0) {
        value = GetBit(r) ? -1 : 1;
      } else {
        const int32_t magnitude = int32_t(GetBits(r, n)) + (int32_t(1) << n);
        value = GetBit(r) ? -magnitude : magnitude;
      }
      coefficients[kCoefficientScan[index]] = int16_t(value);
      return true;
    });
  }
  return planes;
}

}  // namespace quorvideo

extern "C" void QuorDecodeCoefficients(int16_t coefficients[64], QuorBitReader* reader) {
  quorvideo::DecodeCoefficients(coefficients, *reader);
}

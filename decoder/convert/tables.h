// Constant conversion tables, indexed by an 8-bit sample value.
#ifndef QUOR_CONVERT_TABLES_H
#define QUOR_CONVERT_TABLES_H

#include <cstdint>

namespace quor::convert {

extern const int16_t kLuma[256];        // luma term of every channel
extern const int16_t kBlueFromU[256];   // blue term of the blue-difference sample
extern const int16_t kGreenFromU[256];  // green term of the blue-difference sample
extern const int16_t kGreenFromV[256];  // green term of the red-difference sample
extern const int16_t kRedFromV[256];    // red term of the red-difference sample
extern const int16_t kGray[256];        // gray level of a luma sample (full range)

}  // namespace quor::convert

#endif

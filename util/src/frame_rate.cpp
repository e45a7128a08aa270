// Rate codes to frame rates in hundredths of a frame per second.
#include "jov_strings.h"

extern "C" uint32_t MakeFrameRate(int32_t rateCode) {
  if (rateCode == 0) return 0;
  const int64_t code = rateCode;
  int64_t rate = 0;
  if (code < -1500) {
    rate = -code;  // already hundredths
  } else if (code < 0) {
    rate = -code * 100;  // whole frames per second
  } else {
    rate = 100000 / code;  // milliseconds per frame
  }
  return static_cast<uint32_t>(rate < 5 ? 5 : rate);
}

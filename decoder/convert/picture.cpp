// ConvertPicture: the whole picture or its changed areas into a top-down or bottom-up buffer.
#include <cstdlib>

#include "convert.h"
#include "region.h"

namespace quor {

int ConvertPicture(const ConvertSource& src, void* dest, int32_t pitch, int32_t destHeight,
                   int32_t destX, int32_t destY, uint32_t flags) {
  using namespace convert;
  if (dest == nullptr || !SourceUsable(src)) return 0;
  const uint32_t code = flags & kConvertFormatMask;
  if (code == 0) return 1;
  const SourceRect whole{0, 0, src.width, src.height};
  auto* bytes = static_cast<uint8_t*>(dest);
  if (code == 15) {
    if (pitch <= 0) return 0;  // the chroma planes follow a top-down luma plane
    ConvertYv12(src, bytes, pitch, destHeight, destX, destY, whole, flags);
    return 1;
  }
  if (destHeight <= 0) return 1;
  const int64_t rowBytes = std::llabs(int64_t{pitch});
  // A bottom-up buffer is walked from its last row in memory, so that lines go down the picture.
  uint8_t* top = pitch >= 0 ? bytes : bytes + (int64_t{destHeight} - 1) * rowBytes;
  const Destination d{top, pitch, destHeight, rowBytes, destX, destY};
  ConvertRegion(src, d, whole, flags, (flags & kConvertForceFull) == 0);
  return 1;
}

}  // namespace quor

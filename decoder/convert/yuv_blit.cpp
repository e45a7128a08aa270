// The whole-picture 32-bit entries of the utility library.
#include <cstdlib>

#include "dispatch.h"
#include "quor_convert.h"
#include "region.h"

namespace {

int Blit(void* destination, int32_t destX, int32_t destY, int32_t pitch, const void* picture,
         uint32_t sourceX, uint32_t sourceY, uint32_t width, uint32_t height, uint32_t lumaStride,
         uint32_t lumaRows, uint32_t flags, const void* alpha, uint32_t code) {
  using namespace quor;
  using namespace quor::convert;
  if (destination == nullptr || picture == nullptr) return 0;
  if (uint64_t{sourceX} + width > lumaStride || uint64_t{sourceY} + height > lumaRows) return 0;
  const auto* luma = static_cast<const uint8_t*>(picture);
  const size_t lumaSize = size_t{lumaStride} * lumaRows;
  const size_t chromaSize = size_t{lumaStride / 2} * (lumaRows / 2);
  ConvertSource src;
  src.luma = luma;
  src.plane1 = luma + lumaSize;
  src.plane2 = luma + lumaSize + chromaSize;
  src.alpha = static_cast<const uint8_t*>(alpha);
  src.lumaStride = lumaStride;
  src.lumaRows = lumaRows;
  src.width = sourceX + width;
  src.height = sourceY + height;
  if (!SourceUsable(src)) return 0;
  const Destination d{static_cast<uint8_t*>(destination), pitch, INT32_MAX,
                      std::llabs(int64_t{pitch}), destX, destY};
  ConvertRegion(src, d, {sourceX, sourceY, width, height}, (flags & ~kConvertFormatMask) | code,
                false);
  return 1;
}

}  // namespace

extern "C" void YUV_init(int32_t) { quor::convert::RefreshIsa(); }

extern "C" int YUV_blit_32bpp(void* destination, int32_t destX, int32_t destY, int32_t pitch,
                              const void* picture, uint32_t sourceX, uint32_t sourceY,
                              uint32_t width, uint32_t height, uint32_t lumaStride,
                              uint32_t lumaRows, uint32_t flags) {
  return Blit(destination, destX, destY, pitch, picture, sourceX, sourceY, width, height,
              lumaStride, lumaRows, flags, nullptr, 3);
}

extern "C" int YUV_blit_32abpp(void* destination, int32_t destX, int32_t destY, int32_t pitch,
                               const void* picture, uint32_t sourceX, uint32_t sourceY,
                               uint32_t width, uint32_t height, uint32_t lumaStride,
                               uint32_t lumaRows, uint32_t flags, const void* alpha) {
  return Blit(destination, destX, destY, pitch, picture, sourceX, sourceY, width, height,
              lumaStride, lumaRows, flags, alpha, 5);
}

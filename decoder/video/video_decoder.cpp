// The frame layout: alpha (decoded or skipped by its size word), luma, then the two chroma planes.
#include <algorithm>
#include <cstring>

#include "quor_video.h"

namespace {

constexpr uint32_t kOlderStream = 0x8000;
constexpr uint32_t kGrayscale = 0x20000;
constexpr uint32_t kAlpha = 0x100000;

uint32_t WordAt(const uint8_t* data, size_t size, size_t at) {
  if (at > size || size - at < 4) return 0;  // a size word past the data reads as 0
  uint32_t v = uint32_t(data[at]) | uint32_t(data[at + 1]) << 8 | uint32_t(data[at + 2]) << 16 |
               uint32_t(data[at + 3]) << 24;
  return v;
}

}  // namespace

extern "C" void QuorStreamSizes(uint32_t w, uint32_t sizes[QUOR_STREAM_COUNT]) {
  const uint32_t blocks = w / 8;
  const uint32_t raw[QUOR_STREAM_COUNT] = {
      blocks + 515,      w / 16 + 515, blocks * 64 + 515,  blocks * 8 + 515, blocks + 515,
      blocks + 515,      blocks * 2 + 1027, blocks * 2 + 1027, blocks * 48 + 515,
  };
  for (unsigned i = 0; i < QUOR_STREAM_COUNT; ++i) sizes[i] = raw[i] & ~3u;
}

extern "C" void QuorDecodeVideo(uint8_t* back, const uint8_t* front, uint8_t* backAlpha,
                                const uint8_t* frontAlpha, uint8_t* changeMap, uint32_t width,
                                uint32_t height, uint32_t lumaStride, uint32_t lumaRows,
                                const uint8_t* data, size_t size, uint32_t /*keyFrame*/,
                                const QuorStreamBuffers* streams, uint32_t movieFlags,
                                uint32_t videoFlags) {
  if (!back || !changeMap || !streams) return;
  if (!data) size = 0;
  const uint32_t lumaWidth = (width + 7) & ~7u, lumaHeight = (height + 7) & ~7u;
  const uint32_t chromaWidth = ((width + 1) / 2 + 7) & ~7u;
  const uint32_t chromaHeight = ((height + 1) / 2 + 7) & ~7u;
  // Buffers smaller than the picture needs: nothing is decoded.
  if (lumaStride < 2 * chromaWidth || lumaRows < 2 * chromaHeight || lumaStride % 16 != 0 ||
      lumaRows % 16 != 0)
    return;
  if (!front) front = back;
  // Every offset below is clamped to the data, so no plane starts past the packet.
  auto slice = [&](size_t at) { return std::min(at, size); };
  size_t p = 0;
  if (videoFlags & kAlpha) {
    const uint32_t alphaSize = WordAt(data, size, p);
    if ((movieFlags & kAlpha) && backAlpha) {
      const size_t at = slice(p + 4);
      QuorDecodePlane(backAlpha, frontAlpha ? frontAlpha : backAlpha, lumaWidth, lumaHeight,
                      lumaStride, lumaRows, data + at, size - at, changeMap, 1, streams,
                      movieFlags);
    }
    p = slice(p + alphaSize);
  }
  size_t chroma1;
  if (!(movieFlags & kOlderStream)) {
    const uint32_t lumaSize = WordAt(data, size, p);
    const size_t at = slice(p + 4);
    QuorDecodePlane(back, front, lumaWidth, lumaHeight, lumaStride, lumaRows, data + at,
                    size - at, changeMap, 1, streams, movieFlags);
    chroma1 = slice(p + lumaSize);
  } else {
    chroma1 = slice(p + QuorDecodePlane(back, front, lumaWidth, lumaHeight, lumaStride, lumaRows,
                                        data + p, size - p, changeMap, 1, streams, movieFlags));
  }
  if (movieFlags & kGrayscale) return;
  const size_t lumaBytes = size_t(lumaStride) * lumaRows;
  const size_t chromaBytes = size_t(lumaStride / 2) * (lumaRows / 2);
  const size_t chroma2 =
      slice(chroma1 + QuorDecodePlane(back + lumaBytes, front + lumaBytes, chromaWidth,
                                      chromaHeight, lumaStride / 2, lumaRows / 2, data + chroma1,
                                      size - chroma1, changeMap, 2, streams, movieFlags));
  QuorDecodePlane(back + lumaBytes + chromaBytes, front + lumaBytes + chromaBytes, chromaWidth,
                  chromaHeight, lumaStride / 2, lumaRows / 2, data + chroma2, size - chroma2,
                  changeMap, 2, streams, movieFlags);
}

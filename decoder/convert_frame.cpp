// QuorConvertFrame: the movie's current picture into a caller's pixel buffer, unless the frame
// is late and its blit is skipped.
#include "convert/convert.h"
#include "movie.h"
#include "quor_convert.h"

using namespace quor;

extern "C" int QuorConvertFrame(QuorMovie* movie, void* destination, int32_t pitch, int32_t destHeight,
                                int32_t destX, int32_t destY, uint32_t flags) {
  if (!movie || !destination) return 0;
  Movie& m = *AsMovie(movie);
  flags |= m.flags & 0x70030000u;  // display mode, older conversion, grayscale
  m.reader.decoding = 1;
  const int late = LateBlitCheck(m, flags);
  if (late && m.blitSkipped) {
    m.reader.decoding = 0;
    return 1;
  }
  TopUpRing(m);
  m.conversionFlags = flags;
  const uint8_t* luma = m.pictures[m.frontPicture];
  ConvertSource src;
  src.luma = luma;
  src.plane1 = luma + size_t(m.lumaWidth) * m.lumaHeight;
  src.plane2 = src.plane1 + size_t(m.chromaWidth) * m.chromaHeight;
  src.alpha = (m.flags & QUOR_OPEN_ALPHA) ? m.alphaPlanes[m.frontPicture] : nullptr;
  src.lumaStride = m.lumaWidth;
  src.lumaRows = m.lumaHeight;
  src.width = m.header.width;
  src.height = m.header.height;
  src.changeMap = m.changeMap;
  src.blocksPerRow = m.blocksPerRow;
  ConvertPicture(src, destination, pitch, destHeight, destX, destY, flags);
  m.reader.decoding = 0;
  return late;
}

// Quor video decoding: one frame's video data into the back picture buffers.
#ifndef QUOR_VIDEO_H
#define QUOR_VIDEO_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

enum { QUOR_STREAM_COUNT = 9 };

// The nine value-stream element buffers, owned by the movie and shared by all planes and frames.
typedef struct QuorStreamBuffers {
  uint8_t* buffer[QUOR_STREAM_COUNT];
  uint32_t size[QUOR_STREAM_COUNT];
} QuorStreamBuffers;

// Byte sizes of the nine stream buffers for a luma row stride.
void QuorStreamSizes(uint32_t lumaStride, uint32_t sizes[QUOR_STREAM_COUNT]);

// Decodes one frame's video data (`size` bytes at `data`) into the back buffers, reading the
// front buffers as the previous frame, and marks the change map. `width` and `height` are the
// coded picture size; `lumaStride` and `lumaRows` the luma buffer geometry. The alpha buffers
// may be null when the movie flags don't ask for alpha. Data past `size` reads as zero bits.
void QuorDecodeVideo(uint8_t* back, const uint8_t* front, uint8_t* backAlpha,
                     const uint8_t* frontAlpha, uint8_t* changeMap, uint32_t width,
                     uint32_t height, uint32_t lumaStride, uint32_t lumaRows, const uint8_t* data,
                     size_t size, uint32_t keyFrame, const QuorStreamBuffers* streams,
                     uint32_t movieFlags, uint32_t videoFlags);

// Decodes one plane from `size` bytes at `data` into `destination` (coded `width` x `height`,
// buffer `stride` x `rows`), reading `previous` (same geometry) as the previous frame, and marks
// `changeMap` ((stride * scale / 16) bytes a row). Scale is 1 for luma and alpha, 2 for chroma.
// Returns the byte offset from `data` of the first word after the last word the plane's bit
// reader loaded (it may exceed `size` on damaged data, which reads as zero bits).
size_t QuorDecodePlane(uint8_t* destination, const uint8_t* previous, uint32_t width,
                       uint32_t height, uint32_t stride, uint32_t rows, const uint8_t* data,
                       size_t size, uint8_t* changeMap, uint32_t scale,
                       const QuorStreamBuffers* streams, uint32_t movieFlags);

#ifdef __cplusplus
}
#endif

#endif

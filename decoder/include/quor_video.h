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

#ifdef __cplusplus
}
#endif

#endif

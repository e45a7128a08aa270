// Quor audio decoding: one transform block at a time into 16-bit samples.
#ifndef QUOR_AUDIO_H
#define QUOR_AUDIO_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct QuorAudioDecoder QuorAudioDecoder;

// Allocates a decoder for a track; null when memory is short or the format is unusable.
QuorAudioDecoder* QuorAudioDecoderOpen(uint32_t sampleRate, uint32_t channels, uint32_t option);
void QuorAudioDecoderClose(QuorAudioDecoder* decoder);

// Decodes the block at `input` (the packet ends at `inputEnd`; bits past it read as zeros).
// Stores a pointer to the decoder's 16-bit interleaved output, the number of bytes ready there
// and the position of the next block; each destination may be null.
void QuorAudioDecodeBlock(QuorAudioDecoder* decoder, const int16_t** samples, uint32_t* bytes,
                          const uint8_t* input, const uint8_t* inputEnd, const uint8_t** next);

#ifdef __cplusplus
}
#endif

#endif

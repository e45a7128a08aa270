// Quor audio decoding: one transform block at a time into 16-bit samples.
#ifndef QUOR_AUDIO_H
#define QUOR_AUDIO_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct QuorAudioDecoder QuorAudioDecoder;

// Allocates a decoder for a track; null when memory is short or the format is unusable (a rate
// of 0 or above 65535, a channel count other than 1 or 2). Option bit 0 clear reserves a further
// 16384 bytes in the decoder's allocation; the decoder library passes 1.
QuorAudioDecoder* QuorAudioDecoderOpen(uint32_t sampleRate, uint32_t channels, uint32_t option);
void QuorAudioDecoderClose(QuorAudioDecoder* decoder);

// Decodes the block at `input` (the packet ends at `inputEnd`; bits past it read as zeros).
// Stores a pointer to the decoder's 16-bit interleaved output, the number of bytes ready there
// and the position of the next block; each destination may be null.
// `next` never points past inputEnd. A block either advances `next` beyond `input` or, when no
// byte of the packet is left (input null or not before inputEnd), yields 0 bytes and leaves the
// decoder's state untouched, so a caller looping "while bytes are still missing" must stop on 0.
void QuorAudioDecodeBlock(QuorAudioDecoder* decoder, const int16_t** samples, uint32_t* bytes,
                          const uint8_t* input, const uint8_t* inputEnd, const uint8_t** next);

// Bytes of samples that every decoded block yields ((n - n/16) * 2); 0 for a null decoder.
uint32_t QuorAudioDecoderBlockBytes(const QuorAudioDecoder* decoder);

#ifdef __cplusplus
}
#endif

#endif

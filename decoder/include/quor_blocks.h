// Quor video block primitives: the bit reader shared by the video and audio bitstreams,
// coefficient and residue decoding, and the three inverse transform forms.
#ifndef QUOR_BLOCKS_H
#define QUOR_BLOCKS_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

// Reads 32-bit little-endian words, bits taken from the least significant end. Past `size`
// bytes every bit reads as zero, so a damaged stream can never lead the reader outside its data.
typedef struct QuorBitReader {
  const uint8_t* data;  // first byte of the bitstream
  size_t size;          // readable bytes at data
  size_t next;          // byte offset of the next word to load into `bits`
  uint64_t bits;        // loaded bits not yet consumed, next bit in bit 0
  uint32_t count;       // number of valid bits in `bits`
} QuorBitReader;

void QuorBitReaderInit(QuorBitReader* reader, const uint8_t* data, size_t size);
// Byte offset from `data` of the first word after the last word whose bits were consumed.
size_t QuorBitReaderWordEnd(const QuorBitReader* reader);

// Fills positions 1..63 of a coefficient block (block order); position 0 is left untouched.
void QuorDecodeCoefficients(int16_t coefficients[64], QuorBitReader* reader);
// Fills all 64 residue values (block order, kept modulo 256).
void QuorDecodeResidue(int8_t residue[64], QuorBitReader* reader, uint32_t eventLimit);

// Intra inverse transform with intra table q (0..15) into an 8x8 area.
void QuorIdctPut(uint8_t* destination, ptrdiff_t stride, const int16_t coefficients[64], uint32_t q);
// The same, each result written as a 2x2 square of a 16x16 area.
void QuorIdctPutDouble(uint8_t* destination, ptrdiff_t stride, const int16_t coefficients[64],
                       uint32_t q);
// Prediction (8x8, row stride 8) plus the inverse transform with inter table q, modulo 256.
void QuorIdctAdd(uint8_t* destination, ptrdiff_t stride, const int16_t coefficients[64],
                 uint32_t q, const uint8_t prediction[64]);
// Decodes a residue and writes prediction plus residue, modulo 256.
void QuorResidueAdd(uint8_t* destination, ptrdiff_t stride, QuorBitReader* reader,
                    uint32_t eventLimit, const uint8_t prediction[64]);

#ifdef __cplusplus
}
#endif

#endif

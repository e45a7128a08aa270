// Quor pixel conversion: the current picture of a movie into a caller's pixel buffer.
//
// Destination format codes (the low 4 bits of the flags; multi-byte pixels little-endian):
//   0 nothing written          1 bytes B G R             2 bytes R G B
//   3 bytes B G R 0            4 bytes R G B 0
//   5 bytes B G R A (as 3 without an alpha plane)        6 bytes R G B A (as 4 without one)
//   7 word A4 R4 G4 B4 (A bits 0 without an alpha plane)
//   8 word A1 R5 G5 B5 (as 9 without an alpha plane)     9 word 0 R5 G5 B5
//  10 word R5 G6 B5
//  11 word R6 G5 B5 (red 0xFC00, green 0x03E0, blue 0x001F)
//  12 word R6 G6 B4 (red 0xFC00, green 0x03F0, blue 0x000F)
//  13 YUY2 (Y0 U Y1 V per pixel pair)   14 UYVY (U Y0 V Y1)
//  15 YV12 (luma plane, then V and U planes of half width and height)
// Codes 11 and 12 are the layouts of the screens that display surfaces report with these codes,
// so that conversion and surfaces agree on one assignment.
#ifndef QUOR_CONVERT_H
#define QUOR_CONVERT_H

#include <stdint.h>

#include "quor.h"

#ifdef __cplusplus
extern "C" {
#endif

// Conversion flags, combined with the format code.
enum {
  QUOR_CONVERT_OLDER_STREAM = 0x10000,  // versions f and g: plane 1 in the U role
  QUOR_CONVERT_GRAYSCALE = 0x20000,     // output from luma only
  QUOR_CONVERT_NO_VECTOR = 0x40000,     // don't use the processor's vector unit
  QUOR_CONVERT_NEVER_SKIP = 0x80000,    // never skip a late frame's conversion
  QUOR_CONVERT_MODE_MASK = 0x70000000,  // display mode 0..6
};
#define QUOR_CONVERT_FORCE_FULL 0x80000000u  // convert every area, changed or not

// Converts the movie's current picture (the whole picture, or only its changed 16x16 areas),
// unless the frame is late and its conversion is skipped. The buffer has destHeight rows of
// |pitch| bytes; a negative pitch describes a bottom-up buffer. Only whole pixels inside the
// buffer are written (the picture is clipped at its edges). Returns 1 when the frame was late (whether or not it was skipped),
// otherwise 0; 0 without doing anything for a null movie or destination.
int QuorConvertFrame(QuorMovie* movie, void* destination, int32_t pitch, int32_t destHeight,
                     int32_t destX, int32_t destY, uint32_t flags);

// Checks the processor again; the tables are constant and the 16-bit packing needs no set-up,
// so the code (-1 or 0..15) only selects nothing further.
void YUV_init(int32_t code);

// Whole-picture conversion into format 3 of the source rectangle (sourceX, sourceY, width,
// height) of a picture laid out as luma (lumaStride x lumaRows), then chroma planes 1 and 2
// ((lumaStride / 2) x (lumaRows / 2) each). Destination rows are destination + line x pitch,
// with the rectangle's corner at (destX, destY). Display mode, grayscale, older-stream and
// no-vector bits of the flags apply. Returns 0 when the rectangle is outside the picture.
int YUV_blit_32bpp(void* destination, int32_t destX, int32_t destY, int32_t pitch,
                   const void* picture, uint32_t sourceX, uint32_t sourceY, uint32_t width,
                   uint32_t height, uint32_t lumaStride, uint32_t lumaRows, uint32_t flags);
// The same into format 5 with an alpha plane of the luma plane's geometry (as format 3 when null).
int YUV_blit_32abpp(void* destination, int32_t destX, int32_t destY, int32_t pitch,
                    const void* picture, uint32_t sourceX, uint32_t sourceY, uint32_t width,
                    uint32_t height, uint32_t lumaStride, uint32_t lumaRows, uint32_t flags,
                    const void* alpha);

#ifdef __cplusplus
}
#endif

#endif

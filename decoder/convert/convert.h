// Pixel conversion of a decoded picture into a caller's pixel buffer, below QuorConvertFrame.
//
// What the caller (QuorConvertFrame) does before calling ConvertPicture:
//  1. Returns 0 for a null movie or destination.
//  2. Combines the flags: flags = call flags | (movie flags & 0x70030000), i.e. the display mode
//     (bits 28-30), the older-conversion bit 0x10000 and the grayscale bit 0x20000 of the movie.
//  3. Applies the blit-skipping rule of frame timing (a late frame without never-skip in either
//     flag word returns 1 without calling this), sets the reader's decoding flag and tops up the
//     read-ahead ring, records the flags as the movie's conversion flags.
//  4. Fills ConvertSource from the movie's current (front) picture: the three planes of the
//     picture buffer, the luma stride and rows, the coded width and height, the change map with
//     blocksPerRow = luma stride / 16. The alpha plane is given only when the movie decodes one;
//     formats 5-8 fall back to their alpha-less forms without it. The map is only read here.
//  5. Calls ConvertPicture with the destination, the pitch as given (negative = bottom-up), the
//     destination height and offsets; QuorConvertFrame then returns 1 when the frame was late.
// ConvertPicture itself handles the negative pitch, the whole-picture versus changed-area choice,
// the format selection, the display modes and the vector/scalar choice.
#ifndef QUOR_CONVERT_CONVERT_H
#define QUOR_CONVERT_CONVERT_H

#include <cstdint>

namespace quor {

// Conversion flags word.
enum : uint32_t {
  kConvertFormatMask = 0xF,          // destination format code 0..15
  kConvertOlderStream = 0x10000,     // versions f and g: plane 1 plays U, the older coefficients
  kConvertGrayscale = 0x20000,       // output from luma only
  kConvertScalarOnly = 0x40000,      // don't use the processor's vector unit
  kConvertNeverSkip = 0x80000,       // read by the caller's skip rule only
  kConvertModeMask = 0x70000000,     // display mode 0..6 (7 converts as 0)
  kConvertModeShift = 28,
  kConvertForceFull = 0x80000000u,   // ignore the change map
};

// A decoded picture. Plane geometry: luma lumaStride x lumaRows samples; chroma planes 1 and 2 of
// (lumaStride / 2) x (lumaRows / 2); alpha, when present, as luma. width x height is the coded
// picture size and must fit in the luma plane. The change map holds blocksPerRow bytes for each
// of lumaRows / 16 rows, one per 16x16 luma area, non-zero where the area changed; null means
// "everything changed".
struct ConvertSource {
  const uint8_t* luma = nullptr;
  const uint8_t* plane1 = nullptr;  // red difference (V) for versions h and i
  const uint8_t* plane2 = nullptr;  // blue difference (U) for versions h and i
  const uint8_t* alpha = nullptr;   // null without an alpha plane
  uint32_t lumaStride = 0;
  uint32_t lumaRows = 0;
  uint32_t width = 0;
  uint32_t height = 0;
  const uint8_t* changeMap = nullptr;
  uint32_t blocksPerRow = 0;
};

// Converts the picture into `dest` (format code in the flags' low 4 bits, 0 = nothing written).
// `pitch` is the byte distance between destination rows; a negative pitch describes a bottom-up
// buffer of destHeight rows whose first row in memory is the bottom one. (destX, destY) is the
// picture's top-left position in destination pixels. Only whole destination pixels inside the
// buffer are written: rows from 0 to destHeight - 1 and columns whose bytes fit in |pitch|;
// YUY2, UYVY and YV12 work on pixel pairs (odd offsets round up to even, odd sizes round down).
// YV12's chroma planes (V role, then U role) follow the luma plane at dest + |pitch| x destHeight
// with pitch / 2 per row; YV12 always converts the whole picture, in display mode 0.
// Unless kConvertForceFull is set, a change map with an unchanged area limits the conversion to
// the changed 16x16 areas; nothing else is written.
// Returns 1 when the arguments were usable (also for format 0), 0 when rejected.
int ConvertPicture(const ConvertSource& src, void* dest, int32_t pitch, int32_t destHeight,
                   int32_t destX, int32_t destY, uint32_t flags);

}  // namespace quor

#endif

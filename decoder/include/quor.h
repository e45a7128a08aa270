// Quor decoder library: the playback interface.
//
// A movie opened with QuorOpen is stepped frame by frame: QuorShouldWait until 0, QuorDecodeFrame,
// conversion and presentation, QuorStepFrame. Every operation that takes a movie does nothing and
// returns 0 for a null movie. Failures are reported by results; the text of the last failure is
// kept process-wide and read with QuorErrorText.
#ifndef QUOR_H
#define QUOR_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

// QuorOpen flags.
enum {
  QUOR_OPEN_RATE_OVERRIDE = 0x1000,     // use the rate set with QuorOverrideFrameRate
  QUOR_OPEN_PRELOAD = 0x2000,           // read all frame data at open
  QUOR_OPEN_TRACK_LIST = 0x4000,        // use the ids set with QuorChooseSoundTracks
  QUOR_OPEN_OLDER_VIDEO = 0x8000,       // set by the library for versions f, g and h
  QUOR_OPEN_OLDER_CONVERSION = 0x10000, // set by the library for versions f and g
  QUOR_OPEN_GRAYSCALE = 0x20000,        // also taken from the file's video flags
  QUOR_OPEN_NEVER_SKIP = 0x80000,       // never skip a late frame's blit
  QUOR_OPEN_ALPHA = 0x100000,           // alpha plane wanted (kept only when the file has one)
  QUOR_OPEN_NO_INITIAL_FILL = 0x200000, // don't fill the read-ahead ring at open
  QUOR_OPEN_SIMULATED_SPEED = 0x400000, // use the speed set with QuorSimulateReadSpeed
  QUOR_OPEN_FILE_HANDLE = 0x800000,     // the name is an open file descriptor positioned at the movie
  QUOR_OPEN_READ_BUFFER = 0x1000000,    // use the ring size set with QuorOverrideReadBuffer
  QUOR_OPEN_REPLACEMENT_READER = 0x2000000, // use the reader installed with QuorInstallReader
  QUOR_OPEN_MEMORY_IMAGE = 0x4000000,   // the name is a complete movie image in memory
  QUOR_OPEN_NO_READ_THREAD = 0x8000000, // no background read thread
  QUOR_OPEN_DISPLAY_MODE_MASK = 0x70000000, // display mode 1..7 (7 = force none)
  QUOR_OPEN_DISPLAY_MODE_SHIFT = 28,
};

// Header video flags.
enum {
  QUOR_VIDEO_GRAYSCALE = 0x20000,
  QUOR_VIDEO_ALPHA = 0x100000,
};

typedef struct QuorDirtyRect {
  int32_t x, y, width, height;  // in shown pixels
} QuorDirtyRect;

// The leading fields of an open movie, which callers may read. The library's private state
// follows them in the same allocation.
typedef struct QuorMovie {
  uint32_t width;            // shown size: coded size times the display mode's factors
  uint32_t height;
  uint32_t frameCount;
  int32_t currentFrame;      // 1-based frame whose packet is loaded and decodes next
  int32_t lastFrame;         // frame decoded last
  uint32_t rateNumerator;    // playing frame rate
  uint32_t rateDenominator;
  uint32_t stopped;          // 1 once a read error (or a damaged frame) was seen
  uint32_t flags;            // QuorOpen flags after opening
  uint32_t videoFlags;       // the header's video flags
  uint32_t fileSizeLess8;
  QuorDirtyRect rects[8];
  int32_t rectCount;         // -1 = not computed for this frame
} QuorMovie;

QuorMovie* QuorOpen(const void* name, uint32_t flags);
// Opens a movie image of `size` bytes held by the caller, who keeps it alive until QuorClose.
// QuorOpen with QUOR_OPEN_MEMORY_IMAGE takes the image size from its header.
QuorMovie* QuorOpenImage(const void* image, size_t size, uint32_t flags);
void QuorClose(QuorMovie* movie);
int QuorDecodeFrame(QuorMovie* movie);
void QuorStepFrame(QuorMovie* movie);
void QuorGoto(QuorMovie* movie, int32_t frame);
int QuorShouldWait(QuorMovie* movie);
int QuorSetPaused(QuorMovie* movie, int paused);
int QuorEnableSound(QuorMovie* movie, int on);

// The front picture (the frame decoded last): planes 0 (luma), 1 and 2 (chroma planes 1 and 2 in
// stream order) and the alpha plane (null without alpha), with the coded sizes.
typedef struct QuorPicture {
  const uint8_t* plane[3];
  const uint8_t* alpha;
  uint32_t stride[3];       // alpha has the luma stride
  uint32_t width, height;   // coded picture size
  uint32_t chromaWidth, chromaHeight;  // (size + 1) / 2
  uint32_t version;         // the version letter of the file ('f' .. 'i')
} QuorPicture;
int QuorGetPicture(const QuorMovie* movie, QuorPicture* picture);

void QuorSetErrorText(const char* text);
const char* QuorErrorText(void);

// One-shot settings, consumed by the next QuorOpen that carries the matching flag.
void QuorOverrideFrameRate(uint32_t numerator, uint32_t denominator);
void QuorOverrideReadBuffer(uint32_t bytes);
void QuorSimulateReadSpeed(uint32_t bytesPerSecond);
void QuorChooseSoundTracks(uint32_t count, const uint32_t* ids);

// Milliseconds from a monotonic clock (unsigned, wrapping; compare by difference).
uint32_t JovTimerRead(void);

#ifdef __cplusplus
}
#endif

#endif

// Quor display surfaces: where decoded frames appear in a window.
//
// A surface is opened for a window with a blit style (0 = the first of 1..10 that works). It
// exposes a pixel buffer, its pitch and a format word: QuorConvertFrame writes the frame there
// between QuorSurfaceLock and QuorSurfaceUnlock, and QuorSurfaceBlitRects presents the changed
// rectangles that QuorChangedRects finds for the same format word.
//
// Styles and what they use:
//   1 the window's own pixel buffer at the picture's place (shown on unlock; no rectangles)
//   2 a software picture drawn into the window rectangle by rectangle, scaled (the fall-back)
//   3-5 a YV12, YUY2 or UYVY texture that the accelerated renderer scales and converts, shown
//       whole on unlock (no rectangles)
//   6-8 a YV12, YUY2 or UYVY texture of the accelerated renderer, filled rectangle by rectangle
//   9, 10 a texture in the screen's RGB layout, of the accelerated or the software renderer,
//       filled rectangle by rectangle
#ifndef QUOR_SURFACE_H
#define QUOR_SURFACE_H

#include <stdint.h>

#include "quor.h"

#ifdef __cplusplus
extern "C" {
#endif

// A window of the display layer (platform/display), a class there.
#ifdef __cplusplus
class JovWindow;
#else
typedef struct JovWindow JovWindow;
#endif

// QuorSurfaceOpen flags.
enum {
  QUOR_SURFACE_STYLE_MASK = 0x1F,
  QUOR_SURFACE_CHANGE_MODE = 0x800000,  // change the display mode set with QuorSurfaceSetVideoMode
  QUOR_SURFACE_STRETCH_MASK = (int)0xFF000000,
};

// Stretch kinds, in the open flags and in capability words: width at bits 28-31, height at 24-27.
#define QUOR_STRETCH_WIDTH_REDUCE 0x10000000u
#define QUOR_STRETCH_WIDTH_INTEGER_REDUCE 0x20000000u
#define QUOR_STRETCH_WIDTH_ENLARGE 0x40000000u
#define QUOR_STRETCH_WIDTH_INTEGER_ENLARGE 0x80000000u
#define QUOR_STRETCH_HEIGHT_REDUCE 0x1000000u
#define QUOR_STRETCH_HEIGHT_INTEGER_REDUCE 0x2000000u
#define QUOR_STRETCH_HEIGHT_ENLARGE 0x4000000u
#define QUOR_STRETCH_HEIGHT_INTEGER_ENLARGE 0x8000000u

// Format word bits besides the format code (bits 0-3).
#define QUOR_SURFACE_NO_RECTS 0x4000000u   // the picture is always whole on screen
#define QUOR_SURFACE_BOUNDING 0x8000000u   // one bounding rectangle (stretching)
#define QUOR_SURFACE_FULL 0x80000000u      // the next conversion must cover the whole picture

// The leading fields of a surface, which callers may read. Private state follows.
typedef struct QuorSurface {
  uint32_t sourceWidth, sourceHeight;  // the movie's shown size
  uint32_t windowWidth, windowHeight;  // destination size plus borders
  uint32_t format;                     // format word
  void* pixels;                        // valid between a successful lock and the unlock
  int32_t pitch;
  int32_t clientLeft, clientTop;       // client area's offset in the window
  uint32_t screenWidth, screenHeight, screenBits;
  uint32_t borderWidth, borderHeight;  // window size minus client size
  uint32_t capabilities;               // stretch kinds the style can do
  uint32_t destWidth, destHeight;      // the picture's size on screen
  int32_t screenX, screenY;            // the picture's place on the screen
  int32_t pictureX, pictureY;          // and in the client area
  uint32_t style;                      // 1..10
} QuorSurface;

QuorSurface* QuorSurfaceOpen(JovWindow* window, uint32_t width, uint32_t height, uint32_t flags);
void QuorSurfaceClose(QuorSurface* surface);
int QuorSurfaceLock(QuorSurface* surface);
int QuorSurfaceUnlock(QuorSurface* surface);
// Rectangles in source pixels; null with a count of 1 is the whole picture.
void QuorSurfaceBlitRects(QuorSurface* surface, const QuorDirtyRect* rects, int32_t count);
// 0 stands for the screen size; returns 1 when both sizes were taken.
int QuorSurfaceSetDestSize(QuorSurface* surface, int32_t width, int32_t height);
int QuorSurfaceSetPosition(QuorSurface* surface, int32_t x, int32_t y);
// Aligns a picture position so that its screen rows start on 4- or 8-byte boundaries.
void QuorSurfaceAdjustPosition(QuorSurface* surface, int32_t* x, int32_t* y);
// The display mode that the next open with QUOR_SURFACE_CHANGE_MODE sets. Depth 16, 24, 32 or 8,
// or 1 (16, 32, then 24), 2 (32, 24, then 16), 3 (32, then 24).
void QuorSurfaceSetVideoMode(uint32_t width, uint32_t height, uint32_t depth);
int QuorSurfaceClear(QuorSurface* surface, uint32_t ignored);
const char* QuorSurfaceStyleName(const QuorSurface* surface);
const char* QuorSurfaceGetError(void);

#ifdef __cplusplus
}
#endif

#endif

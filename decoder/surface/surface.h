// The private side of a display surface: the record behind QuorSurface and the presenters of
// the blit styles.
#pragma once

#include <memory>
#include <span>
#include <string>
#include <vector>

#include "jov_display.h"
#include "quor_surface.h"

namespace quor::surface {

struct Surface;

// One blit style's way of holding and presenting the picture.
class Presenter {
 public:
  virtual ~Presenter() = default;
  // The buffer of the source picture (its top-left pixel first); data is null on failure.
  virtual JovPixels lock(Surface& s) = 0;
  virtual void unlock(Surface& s) = 0;
  // Presents these source rectangles (already cut to the picture); whole = the caller asked for
  // the whole picture to be redrawn.
  virtual void present(Surface& s, std::span<const JovRect> rects, bool whole) = 0;
};

struct Surface : QuorSurface {
  JovWindow* window = nullptr;
  std::unique_ptr<Presenter> presenter;
  std::string name;
  bool holdsMode = false;
  bool softwareCursor = false;
  int32_t cursorHides = 0;
};

inline Surface* AsSurface(QuorSurface* s) { return static_cast<Surface*>(s); }

void SetError(const char* text);
const std::string& ErrorText();

// The format code of a pixel layout: 0..15, or -1 when no code describes it.
int CodeOf(const JovPixelFormat& format);
// The layout of an RGB or YUV code (1..15).
JovPixelFormat FormatOfCode(int code);
// Rows of `pitch` bytes for a source width in a code's layout, a multiple of 32 bytes.
int32_t PitchFor(int code, uint32_t width);
// Bytes of a whole picture of that pitch and height.
size_t BytesFor(int code, int32_t pitch, uint32_t height);
// Black for the code over width x height pixels from `at` (YV12: the planes that follow at).
void ClearBlack(uint8_t* at, int32_t pitch, uint32_t width, uint32_t height, int code);

// The capability word of a renderer's scaling abilities.
uint32_t CapabilityWord(const JovScaling& scaling);
// The stretch kind that going from `size` to `target` needs, as multiples of `kindBit`.
uint32_t StretchKind(int64_t target, int64_t size, uint32_t kindBit);

// Display-mode uses: taken by an open that asks for the change, given back by close.
bool TakeModeUse(JovWindow& window, uint32_t flags);
void GiveModeUse();

// Presenters of the styles; null (error text possibly set) when the style cannot serve.
std::unique_ptr<Presenter> OpenWindowPixels(Surface& s, uint32_t flags);
std::unique_ptr<Presenter> OpenPicture(Surface& s, uint32_t flags);
std::unique_ptr<Presenter> OpenTexture(Surface& s, uint32_t flags);

// A source rectangle on screen: the picture's client position plus the rectangle scaled to the
// destination size (edges scaled, so that neighbouring rectangles meet without gaps).
JovRect DestinationOf(const Surface& s, JovRect source);

}  // namespace quor::surface

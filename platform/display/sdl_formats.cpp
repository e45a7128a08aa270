// Pixel layouts of the seam and SDL2's pixel format values.
#include "sdl_formats.h"

namespace jov {

JovPixelFormat FromSdl(Uint32 sdlFormat) {
  switch (sdlFormat) {
    case SDL_PIXELFORMAT_YV12: return {kJovYV12, 12, 0, 0, 0, 0};
    case SDL_PIXELFORMAT_YUY2: return {kJovYUY2, 16, 0, 0, 0, 0};
    case SDL_PIXELFORMAT_UYVY: return {kJovUYVY, 16, 0, 0, 0, 0};
    default: break;
  }
  int bpp = 0;
  Uint32 r = 0, g = 0, b = 0, a = 0;
  if (SDL_ISPIXELFORMAT_FOURCC(sdlFormat) || !SDL_PixelFormatEnumToMasks(sdlFormat, &bpp, &r, &g, &b, &a)) return {};
  // Storage bits: SDL counts the used bits (24 for a 32-bit pixel without alpha, 15 for 5-5-5).
  return {0, uint32_t(SDL_BYTESPERPIXEL(sdlFormat)) * 8, r, g, b, a};
}

Uint32 ToSdl(const JovPixelFormat& f) {
  if (f.fourcc == kJovYV12) return SDL_PIXELFORMAT_YV12;
  if (f.fourcc == kJovYUY2) return SDL_PIXELFORMAT_YUY2;
  if (f.fourcc == kJovUYVY) return SDL_PIXELFORMAT_UYVY;
  if (f.fourcc != 0) return SDL_PIXELFORMAT_UNKNOWN;
  if (f.bitsPerPixel == 8 && f.red == 0) return SDL_PIXELFORMAT_INDEX8;
  const Uint32 exact = SDL_MasksToPixelFormatEnum(int(f.bitsPerPixel), f.red, f.green, f.blue, f.alpha);
  if (exact != SDL_PIXELFORMAT_UNKNOWN) return exact;
  // SDL may name 5-5-5 by its used bits.
  if (f.bitsPerPixel == 16) return SDL_MasksToPixelFormatEnum(15, f.red, f.green, f.blue, f.alpha);
  return SDL_PIXELFORMAT_UNKNOWN;
}

SDL_Rect ToSdl(JovRect r) { return {r.x, r.y, r.width, r.height}; }

}  // namespace jov

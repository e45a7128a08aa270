// Pixel layouts of the seam and SDL2's pixel format values.
#pragma once

#include <SDL.h>

#include "jov_display.h"

namespace jov {

JovPixelFormat FromSdl(Uint32 sdlFormat);
// SDL_PIXELFORMAT_UNKNOWN when SDL has no such layout.
Uint32 ToSdl(const JovPixelFormat& format);
SDL_Rect ToSdl(JovRect r);

}  // namespace jov

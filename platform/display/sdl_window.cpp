// A window on SDL2: placement, its window surface as pixel buffer, pictures drawn into it, and
// full-screen display modes.
#include "sdl_window.h"

#include <vector>

#include "sdl_formats.h"

namespace jov {

std::unique_ptr<JovWindow> SdlWindow::Create(JovDisplay& display, const std::string& title, int32_t w, int32_t h,
                                             JovFrame frame) {
  Uint32 flags = SDL_WINDOW_HIDDEN;
  if (frame != JovFrame::kCaption) flags |= SDL_WINDOW_BORDERLESS;
  SDL_Window* window = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                                        w > 0 ? w : 1, h > 0 ? h : 1, flags);
  if (window == nullptr) return nullptr;
  return std::make_unique<SdlWindow>(display, window);
}

SdlWindow::~SdlWindow() {
  unlockPixels();
  SDL_DestroyWindow(window_);
}

JovRect SdlWindow::client() const {
  JovRect r;
  SDL_GetWindowPosition(window_, &r.x, &r.y);
  SDL_GetWindowSize(window_, &r.width, &r.height);
  return r;
}

JovRect SdlWindow::frame() const {
  int top = 0, left = 0, bottom = 0, right = 0;
  SDL_GetWindowBordersSize(window_, &top, &left, &bottom, &right);  // 0s where unknown
  const JovRect c = client();
  return {c.x - left, c.y - top, c.width + left + right, c.height + top + bottom};
}

bool SdlWindow::visible() const { return (SDL_GetWindowFlags(window_) & SDL_WINDOW_SHOWN) != 0; }

void SdlWindow::show(bool on) {
  if (on)
    SDL_ShowWindow(window_);
  else
    SDL_HideWindow(window_);
}

void SdlWindow::place(int32_t x, int32_t y, int32_t w, int32_t h) {
  SDL_SetWindowPosition(window_, x, y);
  SDL_SetWindowSize(window_, w > 0 ? w : 1, h > 0 ? h : 1);
}

void SdlWindow::setTitle(const std::string& title) { SDL_SetWindowTitle(window_, title.c_str()); }

void SdlWindow::setAlwaysOnTop(bool on) { SDL_SetWindowAlwaysOnTop(window_, on ? SDL_TRUE : SDL_FALSE); }

JovPixels SdlWindow::lockPixels() {
  unlockPixels();
  SDL_Surface* s = SDL_GetWindowSurface(window_);
  if (s == nullptr || (SDL_MUSTLOCK(s) && SDL_LockSurface(s) != 0)) return {};
  locked_ = s;
  return {static_cast<uint8_t*>(s->pixels), s->pitch, s->w, s->h, FromSdl(s->format->format)};
}

void SdlWindow::unlockPixels() {
  if (locked_ != nullptr && SDL_MUSTLOCK(locked_)) SDL_UnlockSurface(locked_);
  locked_ = nullptr;
}

bool SdlWindow::showPixels(std::span<const JovRect> areas) {
  SDL_Surface* s = SDL_GetWindowSurface(window_);
  if (s == nullptr) return false;
  std::vector<SDL_Rect> rects;
  const SDL_Rect whole{0, 0, s->w, s->h};
  for (JovRect a : areas) {
    const SDL_Rect r = ToSdl(a);
    SDL_Rect cut;
    if (SDL_IntersectRect(&r, &whole, &cut)) rects.push_back(cut);
  }
  if (rects.empty()) return true;
  return SDL_UpdateWindowSurfaceRects(window_, rects.data(), int(rects.size())) == 0;
}

bool SdlWindow::drawPicture(const JovPixels& picture, JovRect source, JovRect destination) {
  SDL_Surface* to = SDL_GetWindowSurface(window_);
  const Uint32 format = ToSdl(picture.format);
  if (to == nullptr || picture.data == nullptr || format == SDL_PIXELFORMAT_UNKNOWN) return false;
  SDL_Surface* from = SDL_CreateRGBSurfaceWithFormatFrom(picture.data, picture.width, picture.height,
                                                         int(picture.format.bitsPerPixel), picture.pitch, format);
  if (from == nullptr) return false;
  SDL_SetSurfaceBlendMode(from, SDL_BLENDMODE_NONE);
  SDL_Rect src = ToSdl(source), dst = ToSdl(destination);
  const bool done = (src.w == dst.w && src.h == dst.h ? SDL_BlitSurface(from, &src, to, &dst)
                                                       : SDL_BlitScaled(from, &src, to, &dst)) == 0;
  SDL_FreeSurface(from);
  return done;
}

JovScaling SdlWindow::scaling(JovRenderer) const {
  const JovAxisScaling any{true, true, true, true};
  return {any, any};
}

bool SdlWindow::enterFullScreen(const JovDisplayMode& wanted) {
  const int display = SDL_GetWindowDisplayIndex(window_);
  const int count = SDL_GetNumDisplayModes(display);
  for (int i = 0; i < count; ++i) {
    SDL_DisplayMode m{};
    if (SDL_GetDisplayMode(display, i, &m) != 0 || m.w != wanted.width || m.h != wanted.height) continue;
    if (wanted.bitsPerPixel != 0 && uint32_t(SDL_BYTESPERPIXEL(m.format)) * 8 != wanted.bitsPerPixel) continue;
    if (SDL_SetWindowDisplayMode(window_, &m) != 0) continue;
    if (SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN) == 0) return true;
  }
  return false;
}

void SdlWindow::leaveFullScreen() { SDL_SetWindowFullscreen(window_, 0); }

}  // namespace jov

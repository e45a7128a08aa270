// A window on SDL2: its window surface serves as the pixel buffer, its renderer (one at a time,
// shared by the window's textures) draws the textures.
#pragma once

#include <SDL.h>

#include <memory>

#include "jov_display.h"

namespace jov {

class SdlRenderer;

class SdlWindow : public JovWindow {
 public:
  static std::unique_ptr<JovWindow> Create(JovDisplay& display, const std::string& title, int32_t w, int32_t h,
                                           JovFrame frame);
  SdlWindow(JovDisplay& display, SDL_Window* window) : display_(display), window_(window) {}
  ~SdlWindow() override;

  JovDisplay& display() override { return display_; }
  JovRect frame() const override;
  JovRect client() const override;
  bool visible() const override;
  void show(bool on) override;
  void place(int32_t x, int32_t y, int32_t clientWidth, int32_t clientHeight) override;
  void setTitle(const std::string& title) override;
  void setAlwaysOnTop(bool on) override;
  JovPixels lockPixels() override;
  void unlockPixels() override;
  bool showPixels(std::span<const JovRect> areas) override;
  bool drawPicture(const JovPixels& picture, JovRect source, JovRect destination) override;
  std::unique_ptr<JovTexture> createTexture(JovRenderer renderer, const JovPixelFormat& format, int32_t width,
                                            int32_t height) override;
  JovScaling scaling(JovRenderer renderer) const override;
  bool enterFullScreen(const JovDisplayMode& mode) override;
  void leaveFullScreen() override;

  SDL_Window* sdl() const { return window_; }

 private:
  JovDisplay& display_;
  SDL_Window* window_;
  SDL_Surface* locked_ = nullptr;
  std::weak_ptr<SdlRenderer> renderer_;
};

}  // namespace jov

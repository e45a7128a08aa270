// Renderer textures of an SDL2 window. The renderer is made for the first texture and destroyed
// with the last; textures take only layouts the renderer handles itself, so that YUV pictures
// are converted and every picture scaled by the renderer (on the graphics card when accelerated).
#include <algorithm>

#include "sdl_formats.h"
#include "sdl_window.h"

namespace jov {

class SdlRenderer {
 public:
  SdlRenderer(SDL_Renderer* renderer, JovRenderer kind) : renderer_(renderer), kind_(kind) {}
  ~SdlRenderer() { SDL_DestroyRenderer(renderer_); }
  SdlRenderer(const SdlRenderer&) = delete;
  SdlRenderer& operator=(const SdlRenderer&) = delete;
  SDL_Renderer* get() const { return renderer_; }
  JovRenderer kind() const { return kind_; }

 private:
  SDL_Renderer* renderer_;
  JovRenderer kind_;
};

namespace {

class SdlTexture : public JovTexture {
 public:
  SdlTexture(std::shared_ptr<SdlRenderer> renderer, SDL_Texture* texture, JovPixelFormat format, int32_t w,
             int32_t h)
      : renderer_(std::move(renderer)), texture_(texture), format_(format), width_(w), height_(h) {}
  ~SdlTexture() override { SDL_DestroyTexture(texture_); }
  JovPixelFormat format() const override { return format_; }

  bool upload(const JovPixels& picture, JovRect area) override {
    if (picture.data == nullptr || !(picture.format == format_)) return false;
    const bool yv12 = format_.fourcc == kJovYV12;
    if (yv12 || format_.fourcc != 0) {  // whole chroma samples
      const int32_t x1 = area.x + area.width, y1 = area.y + area.height;
      area.x &= ~1;
      area.width = ((x1 + 1) & ~1) - area.x;
      if (yv12) {
        area.y &= ~1;
        area.height = ((y1 + 1) & ~1) - area.y;
      }
    }
    const SDL_Rect limit{0, 0, std::min(width_, picture.width), std::min(height_, picture.height)};
    const SDL_Rect wanted = ToSdl(area);
    SDL_Rect r;
    if (!SDL_IntersectRect(&wanted, &limit, &r)) return true;
    const uint32_t bytes = format_.bytesPerPixel();
    const uint8_t* at = picture.data + size_t(r.y) * picture.pitch + size_t(r.x) * bytes;
    if (!yv12) return SDL_UpdateTexture(texture_, &r, at, picture.pitch) == 0;
    const JovYv12Layout l = JovYv12(picture.pitch, picture.height);
    const int chromaPitch = picture.pitch / 2;
    const size_t chroma = size_t(r.y / 2) * chromaPitch + size_t(r.x / 2);
    return SDL_UpdateYUVTexture(texture_, &r, at, picture.pitch, picture.data + l.u + chroma, chromaPitch,
                                picture.data + l.v + chroma, chromaPitch) == 0;
  }

  bool present(JovRect destination) override {
    SDL_Renderer* r = renderer_->get();
    SDL_SetRenderDrawColor(r, 0, 0, 0, 255);
    SDL_RenderClear(r);
    const SDL_Rect dst = ToSdl(destination);
    const bool drawn = SDL_RenderCopy(r, texture_, nullptr, &dst) == 0;
    SDL_RenderPresent(r);
    return drawn;
  }

 private:
  std::shared_ptr<SdlRenderer> renderer_;
  SDL_Texture* texture_;
  JovPixelFormat format_;
  int32_t width_, height_;
};

bool Handles(SDL_Renderer* renderer, JovRenderer kind, Uint32 format) {
  SDL_RendererInfo info{};
  if (SDL_GetRendererInfo(renderer, &info) != 0) return false;
  if (kind == JovRenderer::kAccelerated && (info.flags & SDL_RENDERER_ACCELERATED) == 0) return false;
  return std::find(info.texture_formats, info.texture_formats + info.num_texture_formats, format) !=
         info.texture_formats + info.num_texture_formats;
}

}  // namespace

std::unique_ptr<JovTexture> SdlWindow::createTexture(JovRenderer kind, const JovPixelFormat& format, int32_t width,
                                                     int32_t height) {
  const Uint32 sdlFormat = ToSdl(format);
  if (sdlFormat == SDL_PIXELFORMAT_UNKNOWN || width <= 0 || height <= 0) return nullptr;
  std::shared_ptr<SdlRenderer> renderer = renderer_.lock();
  if (renderer && renderer->kind() != kind) return nullptr;  // a window has one renderer at a time
  if (!renderer) {
    unlockPixels();
    const Uint32 flags = kind == JovRenderer::kAccelerated ? SDL_RENDERER_ACCELERATED : SDL_RENDERER_SOFTWARE;
    SDL_Renderer* made = SDL_CreateRenderer(window_, -1, flags);
    if (made == nullptr) return nullptr;
    renderer = std::make_shared<SdlRenderer>(made, kind);
    renderer_ = renderer;
  }
  if (!Handles(renderer->get(), kind, sdlFormat)) return nullptr;
  SDL_Texture* texture = SDL_CreateTexture(renderer->get(), sdlFormat, SDL_TEXTUREACCESS_STREAMING, width, height);
  if (texture == nullptr) return nullptr;
  SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_NONE);
  return std::make_unique<SdlTexture>(std::move(renderer), texture, format, width, height);
}

}  // namespace jov

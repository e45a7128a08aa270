// The display on SDL2's video subsystem: screen, modes, cursor, message boxes and events.
#include "sdl_display.h"

#include <cstring>

#include "sdl_formats.h"
#include "sdl_window.h"

namespace jov {

std::unique_ptr<SdlDisplay> SdlDisplay::Open() {
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return nullptr;
  const char* driver = SDL_GetCurrentVideoDriver();
  if (driver == nullptr || std::strcmp(driver, "dummy") == 0 || std::strcmp(driver, "offscreen") == 0 ||
      SDL_GetNumVideoDisplays() < 1) {
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    return nullptr;
  }
  return std::make_unique<SdlDisplay>(Opened{});
}

SdlDisplay::~SdlDisplay() {
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
  if (SDL_WasInit(SDL_INIT_EVERYTHING) == 0) SDL_Quit();  // the last user: SDL's own helpers end too
}

std::string SdlDisplay::name() const { return std::string("SDL2 ") + SDL_GetCurrentVideoDriver(); }

JovScreen SdlDisplay::screen() const {
  SDL_DisplayMode mode{};
  if (SDL_GetCurrentDisplayMode(0, &mode) != 0) return {};
  return {mode.w, mode.h, FromSdl(mode.format)};
}

std::vector<JovDisplayMode> SdlDisplay::modes() const {
  std::vector<JovDisplayMode> all;
  const int count = SDL_GetNumDisplayModes(0);
  for (int i = 0; i < count; ++i) {
    SDL_DisplayMode m{};
    if (SDL_GetDisplayMode(0, i, &m) == 0) all.push_back({m.w, m.h, uint32_t(SDL_BYTESPERPIXEL(m.format)) * 8});
  }
  return all;
}

std::unique_ptr<JovWindow> SdlDisplay::createWindow(const std::string& title, int32_t clientWidth,
                                                    int32_t clientHeight, JovFrame frame) {
  return SdlWindow::Create(*this, title, clientWidth, clientHeight, frame);
}

JovRect SdlDisplay::cursorArea() const {
  int x = 0, y = 0;
  SDL_GetGlobalMouseState(&x, &y);
  return {x, y, 32, 32};
}

int32_t SdlDisplay::showCursor(bool show) {
  cursorCount_ += show ? 1 : -1;
  SDL_ShowCursor(cursorCount_ >= 0 ? SDL_ENABLE : SDL_DISABLE);
  return cursorCount_;
}

void SdlDisplay::messageBox(const std::string& caption, const std::string& text, JovMessageKind kind) {
  const Uint32 flags = kind == JovMessageKind::kError ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION;
  SDL_ShowSimpleMessageBox(flags, caption.c_str(), text.c_str(), nullptr);
}

bool SdlDisplay::askYesNo(const std::string& caption, const std::string& text) {
  const SDL_MessageBoxButtonData buttons[] = {
      {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, 1, "Yes"},
      {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 0, "No"},
  };
  const SDL_MessageBoxData box{SDL_MESSAGEBOX_INFORMATION, nullptr, caption.c_str(), text.c_str(), 2, buttons,
                               nullptr};
  int chosen = 0;
  return SDL_ShowMessageBox(&box, &chosen) == 0 && chosen == 1;
}

namespace {

int32_t KeyCharacter(SDL_Keycode key) {
  switch (key) {
    case SDLK_ESCAPE: return 27;
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return 13;
    case SDLK_KP_PERIOD: return '.';
    default: return key > 0 && key < 128 ? key : 0;
  }
}

}  // namespace

bool SdlDisplay::nextEvent(JovEvent& event) {
  SDL_Event e;
  while (SDL_PollEvent(&e)) {
    event = {};
    switch (e.type) {
      case SDL_QUIT: event.type = JovEvent::kQuit; return true;
      case SDL_KEYDOWN:
        event.key = KeyCharacter(e.key.keysym.sym);
        if (event.key == 0) continue;
        event.type = JovEvent::kKey;
        return true;
      case SDL_MOUSEBUTTONUP:
        event.type = JovEvent::kMouseUp;
        event.x = e.button.x;
        event.y = e.button.y;
        return true;
      case SDL_WINDOWEVENT:
        switch (e.window.event) {
          case SDL_WINDOWEVENT_EXPOSED: event.type = JovEvent::kExpose; return true;
          case SDL_WINDOWEVENT_MOVED:
            event.type = JovEvent::kMoved;
            event.x = e.window.data1;
            event.y = e.window.data2;
            return true;
          case SDL_WINDOWEVENT_FOCUS_GAINED: event.type = JovEvent::kFocusGained; return true;
          case SDL_WINDOWEVENT_FOCUS_LOST: event.type = JovEvent::kFocusLost; return true;
          case SDL_WINDOWEVENT_CLOSE: event.type = JovEvent::kClose; return true;
          default: continue;
        }
      default: continue;
    }
  }
  return false;
}

}  // namespace jov

// Display-mode changes: the mode asked for with QuorSurfaceSetVideoMode, set as a full-screen
// mode of the surface's window when an open asks for it, and given back when the last surface
// that uses it closes.
#include <vector>

#include "surface.h"

namespace quor::surface {

namespace {

struct ModeState {
  uint32_t width = 0, height = 0, depth = 0;
  bool pending = false;
  JovWindow* window = nullptr;  // the window in full screen while uses > 0
  int uses = 0;
};

ModeState& State() {
  static ModeState state;
  return state;
}

std::vector<uint32_t> DepthOrder(uint32_t depth) {
  switch (depth) {
    case 1: return {16, 32, 24};
    case 2: return {32, 24, 16};
    case 3: return {32, 24};
    case 8:
    case 16:
    case 24:
    case 32: return {depth};
    default: return {};
  }
}

}  // namespace

bool TakeModeUse(JovWindow& window, uint32_t flags) {
  ModeState& m = State();
  if ((flags & QUOR_SURFACE_CHANGE_MODE) == 0) return false;
  if (!m.pending) {
    if (m.uses == 0 || m.window != &window) return false;
    ++m.uses;  // the mode in force stays while this surface lives
    return true;
  }
  m.pending = false;
  const int32_t w = int32_t(m.width), h = int32_t(m.height);
  bool set = false;
  for (uint32_t depth : DepthOrder(m.depth)) {
    if (!window.enterFullScreen({w, h, depth})) continue;
    if (window.display().screen().format.bitsPerPixel == depth) {
      set = true;
      break;
    }
    window.leaveFullScreen();
  }
  if (!set) set = window.enterFullScreen({w, h, 0});  // the size alone, at any depth
  if (!set) return false;
  if (m.uses > 0 && m.window != &window) m.window->leaveFullScreen();
  m.window = &window;
  ++m.uses;
  return true;
}

void GiveModeUse() {
  ModeState& m = State();
  if (m.uses == 0) return;
  if (--m.uses == 0 && m.window != nullptr) {
    m.window->leaveFullScreen();
    m.window = nullptr;
  }
}

}  // namespace quor::surface

extern "C" void QuorSurfaceSetVideoMode(uint32_t width, uint32_t height, uint32_t depth) {
  quor::surface::ModeState& m = quor::surface::State();
  m.width = width;
  m.height = height;
  m.depth = depth;
  m.pending = width != 0 && height != 0;
}

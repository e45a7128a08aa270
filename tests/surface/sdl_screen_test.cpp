// A real SDL2 window on a virtual X server (Xvfb, started here when no display is set): a frame
// presented through the window buffer, the software picture and a software-renderer texture
// appears in the window's pixels.
#include <SDL.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <thread>

#include "sdl_window.h"
#include "surface_fixture.h"

extern char** environ;

// The window system's client libraries keep blocks for the life of the process (the message
// bus among them); in sanitizer builds the leak checker ignores what this test's thread
// allocates. Weak, so that plain builds need no sanitizer library.
extern "C" void __lsan_disable() __attribute__((weak));
extern "C" void __lsan_enable() __attribute__((weak));
struct IgnoreSystemLeaks {
  IgnoreSystemLeaks() { if (__lsan_disable) __lsan_disable(); }
  ~IgnoreSystemLeaks() { if (__lsan_enable) __lsan_enable(); }
};

namespace quortest {
namespace {

// An Xvfb server of our own for the test's duration, when there is no display yet.
class VirtualServer {
 public:
  VirtualServer() {
    if (std::getenv("DISPLAY") != nullptr) return;
    const char* path = "/usr/bin/Xvfb";
    if (access(path, X_OK) != 0) return;
    char name[] = ":93";
    char screenArg[] = "-screen", screen[] = "0", geometry[] = "800x600x24", noListen[] = "-nolisten", tcp[] = "tcp";
    char* argv[] = {const_cast<char*>(path), name, screenArg, screen, geometry, noListen, tcp, nullptr};
    if (posix_spawn(&pid_, path, nullptr, nullptr, argv, environ) != 0) {
      pid_ = 0;
      return;
    }
    setenv("DISPLAY", name, 1);
    std::this_thread::sleep_for(std::chrono::milliseconds(700));  // until it accepts clients
  }
  ~VirtualServer() {
    if (pid_ == 0) return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
    unsetenv("DISPLAY");
  }

 private:
  pid_t pid_ = 0;
};

uint32_t WindowRgb(SDL_Window* window, int x, int y) {
  SDL_Surface* s = SDL_GetWindowSurface(window);
  if (s == nullptr) return 0xFFFFFFFF;
  Uint32 pixel = 0;
  std::memcpy(&pixel, static_cast<uint8_t*>(s->pixels) + y * s->pitch + x * s->format->BytesPerPixel,
              s->format->BytesPerPixel);
  Uint8 r, g, b;
  SDL_GetRGB(pixel, s->format, &r, &g, &b);
  return uint32_t(r) << 16 | uint32_t(g) << 8 | b;
}

TEST(SdlScreen, FramesReachTheWindow) {
  IgnoreSystemLeaks ignore;
  VirtualServer server;
  std::unique_ptr<JovDisplay> display = JovOpenDisplay(JovDisplayChoice::kScreen);
  if (!display) GTEST_SKIP() << "no display can be opened";
  DemoFrames demo;
  ASSERT_TRUE(demo.next());
  const uint32_t w = demo.movie->width, h = demo.movie->height;
  for (uint32_t style : {1u, 2u, 10u}) {
    std::unique_ptr<JovWindow> window = display->createWindow("Quor test", int32_t(w) + 16, int32_t(h) + 16,
                                                              JovFrame::kNone);
    ASSERT_NE(window, nullptr);
    window->show(true);
    SurfacePtr s(QuorSurfaceOpen(window.get(), w, h, style));
    ASSERT_NE(s, nullptr) << "style " << style << ": " << QuorSurfaceGetError();
    EXPECT_NE(std::string(QuorSurfaceStyleName(s.get())).find("SDL2"), std::string::npos);
    QuorSurfaceSetPosition(s.get(), 8, 4);
    PresentFrame(s.get(), demo.movie);
    QuorSurfaceBlitRects(s.get(), nullptr, 1);
    SDL_Window* sdl = static_cast<jov::SdlWindow&>(*window).sdl();
    int worst = 0;
    for (uint32_t y = 0; y < h; y += 5)
      for (uint32_t x = 0; x < w; x += 5)
        worst = std::max(worst, ChannelGap(WindowRgb(sdl, 8 + int(x), 4 + int(y)), demo.rgb(x, y)));
    EXPECT_LE(worst, 0) << "style " << style;
    s.reset();
  }
}

}  // namespace
}  // namespace quortest

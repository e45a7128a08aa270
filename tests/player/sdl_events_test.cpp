// Keys and focus changes as SDL events reach the player through the display layer's SDL
// implementation, on an X server of the test's own.
#include <SDL.h>

#include <cstdlib>

#include "player_fixture.h"
#include "xvfb_server.h"

// The window system's client libraries keep blocks for the life of the process (the message
// bus among them); in sanitizer builds the leak checker ignores what this test's thread
// allocates while the screen is open. Weak, so that plain builds need no sanitizer library.
extern "C" void __lsan_disable() __attribute__((weak));
extern "C" void __lsan_enable() __attribute__((weak));

namespace quortest {
namespace {

struct IgnoreSystemLeaks {
  IgnoreSystemLeaks() {
    if (__lsan_disable) __lsan_disable();
  }
  ~IgnoreSystemLeaks() {
    if (__lsan_enable) __lsan_enable();
  }
};

// DISPLAY names the server for the test's duration.
class DisplayVariable {
 public:
  explicit DisplayVariable(const std::string& name) {
    const char* previous = std::getenv("DISPLAY");
    had_ = previous != nullptr;
    if (had_) saved_ = previous;
    setenv("DISPLAY", name.c_str(), 1);
  }
  ~DisplayVariable() {
    if (had_)
      setenv("DISPLAY", saved_.c_str(), 1);
    else
      unsetenv("DISPLAY");
  }

 private:
  bool had_ = false;
  std::string saved_;
};

void PushKey(SDL_Keycode key) {
  SDL_Event e{};
  e.type = SDL_KEYDOWN;
  e.key.keysym.sym = key;
  SDL_PushEvent(&e);
}

void PushWindowEvent(Uint8 what) {
  SDL_Event e{};
  e.type = SDL_WINDOWEVENT;
  e.window.event = what;
  SDL_PushEvent(&e);
}

TEST(SdlEvents, KeysAndFocusDrivePlayback) {
  if (!XvfbServer::installed()) GTEST_SKIP() << "no Xvfb";
  TempFolder folder;
  std::filesystem::create_directories(folder.file("fb"));
  XvfbServer server("640x480x24", folder.file("fb"), 1);
  if (!server.running()) GTEST_SKIP() << "Xvfb did not start";
  const DisplayVariable variable(server.display());
  {
    const IgnoreSystemLeaks ignore;
    std::unique_ptr<JovDisplay> display = JovOpenDisplay(JovDisplayChoice::kScreen);
    if (!display) GTEST_SKIP() << "no SDL screen";
    quor::ManualClock clock(1000, 1);
    quorplay::CommandText command = quorplay::BuildCommandText("", folder.write("a.qor", ShortDemo(40)), "");
    const quorplay::PlayerSettings settings = quorplay::ReadSwitches(command.data());
    quorplay::Player player(*display, settings, command.str());
    ASSERT_TRUE(player.start());
    // Let the window system's own events of the new window go by.
    for (int i = 0; i < 20; ++i) {
      player.pass();
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    const auto passes = [&](int n) {
      for (int i = 0; i < n; ++i) player.pass();
      return player.framesPresented();
    };
    const int before = passes(0);
    PushKey(SDLK_SPACE);
    EXPECT_EQ(passes(1000), before);  // paused
    EXPECT_TRUE(player.userPaused());
    PushKey(SDLK_RETURN);
    EXPECT_EQ(passes(1000), before + 1);  // one step
    PushKey(SDLK_SPACE);
    const int resumed = passes(300);
    EXPECT_GT(resumed, before + 1);
    PushWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
    const int unfocused = passes(1);
    EXPECT_EQ(passes(1000), unfocused);
    PushWindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
    EXPECT_GT(passes(300), unfocused);
    PushKey(SDLK_PERIOD);  // skips to the end of the list: the end picture
    for (int i = 0; i < 1000 && !player.showingEndPicture(); ++i) player.pass();
    EXPECT_TRUE(player.showingEndPicture());
    PushKey(SDLK_ESCAPE);
    EXPECT_FALSE(player.pass());
    EXPECT_EQ(player.finish(), 0);
  }
}

}  // namespace
}  // namespace quortest

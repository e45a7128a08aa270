// The switch table: what each switch sets, and when the help is due.
#include <gtest/gtest.h>

#include <functional>

#include "command_text.h"
#include "quor.h"
#include "quor_surface.h"
#include "player_settings.h"

namespace quorplay {
namespace {

PlayerSettings Read(const std::string& line, std::string* left = nullptr) {
  CommandText command = BuildCommandText("", line, "");
  PlayerSettings s = ReadSwitches(command.data());
  if (left) *left = command.str();
  return s;
}

struct SwitchCase {
  const char* line;
  std::function<bool(const PlayerSettings&)> holds;
};

TEST(Switches, EachSwitchSetsItsSetting) {
  const uint32_t mode7 = 7u << QUOR_OPEN_DISPLAY_MODE_SHIFT;
  const SwitchCase cases[] = {
      {"a", [](auto& s) { return s.loops == 1 && s.x == kNotGiven && s.readBuffer == -1 && s.openFlags == 0; }},
      {"a /L3", [](auto& s) { return s.loops == 3; }},
      {"a /L", [](auto& s) { return s.loops == 0; }},
      {"a /L0", [](auto& s) { return s.loops == 0; }},
      {"a /F12.5", [](auto& s) { return s.rateNumerator == 25 && s.rateDenominator == 2 && (s.openFlags & QUOR_OPEN_RATE_OVERRIDE); }},
      {"a /F", [](auto& s) { return s.rateNumerator == 0 && s.rateDenominator == 0 && (s.openFlags & QUOR_OPEN_RATE_OVERRIDE); }},
      {"a /T5", [](auto& s) { return s.track == 5 && (s.openFlags & QUOR_OPEN_TRACK_LIST); }},
      {"a /M9000", [](auto& s) { return s.readSpeed == 9000 && (s.openFlags & QUOR_OPEN_SIMULATED_SPEED); }},
      {"a /E0", [](auto& s) { return s.readBuffer == 0 && (s.openFlags & QUOR_OPEN_READ_BUFFER); }},
      {"a /U7", [](auto& s) { return s.disabled == 7; }},
      {"a /I101", [](auto& s) { return s.windowStyle == 1 && s.alwaysOnTop; }},
      {"a /I1 /R", [](auto& s) { return s.windowStyle == 2 && s.blackScreen; }},
      {"a /z /s /q /j /c", [](auto& s) { return s.waveOut && s.summary && s.statistics && s.keepPlayingUnfocused && s.hideCursor; }},
      {"a /N /G /P /K", [](auto& s) {
         return s.openFlags == (QUOR_OPEN_NEVER_SKIP | QUOR_OPEN_NO_INITIAL_FILL | QUOR_OPEN_PRELOAD | QUOR_OPEN_NO_READ_THREAD);
       }},
      {"a /A107", [=](auto& s) { return s.openFlags == (mode7 | QUOR_OPEN_GRAYSCALE); }},
      {"a /A9", [=](auto& s) { return s.openFlags == mode7; }},
      {"a /A3", [](auto& s) { return s.openFlags == 3u << QUOR_OPEN_DISPLAY_MODE_SHIFT; }},
      {"a /X-10 /Y20", [](auto& s) { return s.x == -10 && s.y == 20; }},
      {"a /W-2 /H480", [](auto& s) { return s.widthNumerator == -2 && s.widthDenominator == 1 && s.heightNumerator == 480; }},
      {"a /D208", [](auto& s) {
         return (s.surfaceFlags & QUOR_SURFACE_CHANGE_MODE) && s.modeWidth == 640 && s.modeHeight == 480 && s.modeDepth == 32;
       }},
      {"a /D14", [](auto& s) { return s.surfaceFlags == 0 && s.modeWidth == 0; }},   // no such resolution
      {"a /D701", [](auto& s) { return s.surfaceFlags == 0 && s.modeWidth == 0; }},  // no such depth
      {"a /B4", [](auto& s) { return s.surfaceFlags == 4; }},
      {"a /#77", [](auto& s) { return s.parent == 77; }},
  };
  for (const SwitchCase& c : cases) {
    std::string left;
    const PlayerSettings s = Read(c.line, &left);
    EXPECT_TRUE(c.holds(s)) << c.line;
    EXPECT_EQ(left.substr(0, 1), "a") << c.line;
    CommandText rest = BuildCommandText("", left, "");
    EXPECT_TRUE(IsFileList(rest.data())) << c.line << " left " << left;
  }
}

TEST(Switches, HelpIsDueForUnknownSwitchesOrNoFiles) {
  const struct {
    const char* line;
    bool fileList;
  } cases[] = {
      {"/S /L2", false},       {"movie /V", false},        {"", false},
      {"   ", false},          {"movie.qor /S", true},     {"/tmp/movies/a.qor /S", true},
      {"-S /tmp/a.qor", true}, {"\"my movie.qor\" -q", true}, {"a /! /!", false},
  };
  for (const auto& c : cases) {
    CommandText command = BuildCommandText("", c.line, "");
    ReadSwitches(command.data());
    EXPECT_EQ(IsFileList(command.data()), c.fileList) << c.line << " left \"" << command.str() << '"';
  }
}

}  // namespace
}  // namespace quorplay

// The player's switches, read and removed in the order of the switch table.
#include <cstring>

#include "jov_strings.h"
#include "quor.h"
#include "quor_surface.h"
#include "player_settings.h"
#include "video_modes.h"

namespace quorplay {

PlayerSettings ReadSwitches(char* command) {
  PlayerSettings s;
  s.loops = GetSwitchNum(command, 'L', -1);
  if (s.loops == -1) s.loops = GetSwitch(command, 'L') ? 0 : 1;
  s.parent = GetSwitchNum(command, '#', 0);

  int32_t numerator = -1, denominator = -1;
  const bool fraction = GetSwitchFractional(command, 'F', &numerator, &denominator, -1, -1) != 0;
  if (fraction || GetSwitch(command, 'F')) {
    if (!fraction) numerator = denominator = 0;  // as fast as possible
    s.openFlags |= QUOR_OPEN_RATE_OVERRIDE;
    s.rateNumerator = numerator;
    s.rateDenominator = denominator;
  }
  s.track = uint32_t(GetSwitchNum(command, 'T', 0));
  if (s.track != 0) s.openFlags |= QUOR_OPEN_TRACK_LIST;
  s.readSpeed = uint32_t(GetSwitchNum(command, 'M', 0));
  if (s.readSpeed != 0) s.openFlags |= QUOR_OPEN_SIMULATED_SPEED;
  s.readBuffer = GetSwitchNum(command, 'E', -1);
  if (s.readBuffer != -1) s.openFlags |= QUOR_OPEN_READ_BUFFER;
  s.disabled = uint32_t(GetSwitchNum(command, 'U', 0));
  const int32_t style = GetSwitchNum(command, 'I', 0);
  s.windowStyle = style % 100;
  s.alwaysOnTop = style / 100 != 0;
  if (s.windowStyle < 0 || s.windowStyle > 2) s.windowStyle = 0;
  s.waveOut = GetSwitch(command, 'Z') != 0;
  s.summary = GetSwitch(command, 'S') != 0;
  s.statistics = GetSwitch(command, 'Q') != 0;
  s.keepPlayingUnfocused = GetSwitch(command, 'J') != 0;
  s.blackScreen = GetSwitch(command, 'R') != 0;
  if (s.blackScreen) s.windowStyle = 2;
  s.hideCursor = GetSwitch(command, 'C') != 0;
  if (GetSwitch(command, 'N')) s.openFlags |= QUOR_OPEN_NEVER_SKIP;
  if (GetSwitch(command, 'G')) s.openFlags |= QUOR_OPEN_NO_INITIAL_FILL;
  if (GetSwitch(command, 'P')) s.openFlags |= QUOR_OPEN_PRELOAD;
  if (GetSwitch(command, 'K')) s.openFlags |= QUOR_OPEN_NO_READ_THREAD;

  const int32_t mode = GetSwitchNum(command, 'A', 0);
  if (mode > 0) {
    const uint32_t m = uint32_t(mode % 100) > 7 ? 7 : uint32_t(mode % 100);
    s.openFlags |= m << QUOR_OPEN_DISPLAY_MODE_SHIFT;
    if (mode / 100 == 1) s.openFlags |= QUOR_OPEN_GRAYSCALE;
  }
  s.x = GetSwitchNum(command, 'X', kNotGiven);
  s.y = GetSwitchNum(command, 'Y', kNotGiven);
  GetSwitchFractional(command, 'W', &s.widthNumerator, &s.widthDenominator, 0, 0);
  GetSwitchFractional(command, 'H', &s.heightNumerator, &s.heightDenominator, 0, 0);

  s.displayCode = GetSwitchNum(command, 'D', 0);
  if (s.displayCode > 0) {
    const auto resolution = ResolutionOf(s.displayCode % 100);
    const auto depth = DepthOf(s.displayCode / 100);
    if (resolution && depth) {  // codes without a table entry are ignored
      s.surfaceFlags |= QUOR_SURFACE_CHANGE_MODE;
      s.modeWidth = resolution->width;
      s.modeHeight = resolution->height;
      s.modeDepth = *depth;
    }
  }
  const int32_t blit = GetSwitchNum(command, 'B', 0);
  if (blit > 0 && blit <= 10) s.surfaceFlags |= uint32_t(blit);
  return s;
}

bool IsFileList(char* command) {
  if (FindSwitch(command) != nullptr) return false;
  for (const char* c = command; *c; ++c)
    if (static_cast<signed char>(*c) > 32) return true;
  return false;
}

}  // namespace quorplay

// What the switches of the command line ask of the player.
#pragma once

#include <cstdint>
#include <string>

namespace quorplay {

inline constexpr int32_t kNotGiven = -3000;  // /X and /Y when absent

// Bits of `disabled` (/U).
inline constexpr uint32_t kDisablePause = 1, kDisableSkip = 2, kDisableQuit = 4;

struct PlayerSettings {
  int32_t loops = 1;                 // /L: 0 = endless
  int32_t parent = 0;                // /#: not used on this platform
  int32_t rateNumerator = -1, rateDenominator = -1;  // /F
  uint32_t track = 0;                // /T
  uint32_t readSpeed = 0;            // /M
  int32_t readBuffer = -1;           // /E
  uint32_t disabled = 0;             // /U
  int32_t windowStyle = 0;           // /I modulo 100: 0 normal, 1 no caption, 2 nothing
  bool alwaysOnTop = false;          // /I divided by 100
  bool waveOut = false;              // /Z
  bool summary = false;              // /S
  bool statistics = false;           // /Q
  bool keepPlayingUnfocused = false; // /J
  bool blackScreen = false;          // /R
  bool hideCursor = false;           // /C
  int32_t x = kNotGiven, y = kNotGiven;
  int32_t widthNumerator = 0, widthDenominator = 0;    // /W
  int32_t heightNumerator = 0, heightDenominator = 0;  // /H
  int32_t displayCode = 0;           // /D
  uint32_t openFlags = 0;            // for QuorOpen
  uint32_t surfaceFlags = 0;         // for QuorSurfaceOpen (blit style and change-mode bit)
  // The display mode /D chose (0 x 0 when none).
  uint32_t modeWidth = 0, modeHeight = 0, modeDepth = 0;
};

// Reads and removes every switch of the player from `command` (a text of at least
// kCommandSize bytes).
PlayerSettings ReadSwitches(char* command);

// True when what is left of the command text is a file list: no switch and some non-blank text.
bool IsFileList(char* command);

}  // namespace quorplay

// The player's own texts: captions, messages, the help, the statistics line and the summary.
#pragma once

#include <string>

#include "quor_stats.h"

namespace quorplay {

inline constexpr const char* kWindowTitle = "Quor Video Player";
inline constexpr const char* kHelpCaption = "Quor Video Player Help";
inline constexpr const char* kHelpTitle = "QuorPlay  V 1.2i";
inline constexpr const char* kErrorCaption = "Quor Error";
inline constexpr const char* kSummaryCaption = "Quor Playback Summary";
inline constexpr const char* kWindowErrorCaption = "Windows";
inline constexpr const char* kWindowErrorText = "Error creating window.";
inline constexpr const char* kExeErrorText = "Error opening EXE file.";
inline constexpr const char* kFileErrorText = "Error opening file.";
inline constexpr const char* kVersionCaption = "New version check...";
inline constexpr const char* kVersionQuestion =
    "It's been a while since you checked for a more recent Quor version.\n\nWould you like to check for a "
    "newer version of Quor on the Internet?\n\nIf you choose to check for a new version, Quor will close to "
    "allow the update to install.";
// The text whose first 100 characters size the statistics line.
inline constexpr const char* kStatsSizingText =
    "Fre: 2000, FPS: 100.0, Buf: 100%, Vid: 55%, Aud: 55%, Blit: 55%, Read: 55%, Back: 55%, Rate: 1000000";

extern const char* const kHelpText;

// The run-time statistics line over the recent frames.
std::string StatisticsLine(const QuorRecentStats& recent);

// What the summary shows of the surface.
struct SurfaceFacts {
  std::string styleName;
  uint32_t screenWidth = 0, screenHeight = 0, screenBits = 0;
};
std::string SummaryText(const QuorStats& stats, const SurfaceFacts& surface);

}  // namespace quorplay

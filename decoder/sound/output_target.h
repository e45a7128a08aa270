// Where the selected backend's tracks play: the sound card, or a capture file. The selectors set
// it for the whole process; each track takes its own copy when it opens.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "jov_audio.h"

namespace quor::sound {

class OutputTarget {
 public:
  // The target for a new track of `format` under the current selection. A capture creates the
  // track's WAV file now (null result when it can't), so that the file outlives the device
  // through switching sound off and on.
  static std::optional<OutputTarget> ForNewTrack(const jov::AudioFormat& format);

  std::unique_ptr<jov::LoopingDevice> OpenLooping(const jov::AudioFormat& format, uint32_t bytes) const;
  std::unique_ptr<jov::QueueDevice> OpenQueue(const jov::AudioFormat& format, uint32_t count,
                                              uint32_t bytes) const;

 private:
  bool capture_ = false;
  bool paced_ = true;
  std::string device_;
  std::shared_ptr<jov::AudioSink> sink_;
};

// Tracks opened from now on play on the sound card (`device` empty: the default output).
void SelectSoundCard(std::string device);
// Tracks opened from now on are captured to `path` (empty: played into nothing), paced by the
// library clock or as fast as fed. While a capture track is open, the next one writes to the
// path with "-2", "-3", ... before its extension.
void SelectCapture(std::string path, bool paced);

// The WAV path of the capture track opened while `open` others are (exposed for tests).
std::string CapturePath(const std::string& path, uint32_t open);

}  // namespace quor::sound

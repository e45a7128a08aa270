// Helpers of the sound tests: captured WAV files, and one track opened straight on a backend.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "quor.h"
#include "quor_sound.h"

namespace quortest {

struct Wav {
  bool ok = false;
  uint32_t rate = 0, bits = 0, channels = 0;
  std::vector<uint8_t> data;
};
Wav ReadWav(const std::string& path);

// A path in the temporary folder named for the running test; removed at the end.
class TempPath {
 public:
  explicit TempPath(const std::string& name = "capture.wav");
  ~TempPath();
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// A movie record with only the fields the backends read.
QuorMovie MovieOf(uint32_t frames, uint32_t rateNumerator, uint32_t rateDenominator = 1);

// One track opened on the backend that `options` selects for capture.
class CaptureTrack {
 public:
  CaptureTrack(const QuorCaptureOptions& options, uint32_t rate, uint32_t bits, uint32_t channels,
               const QuorMovie& movie);
  ~CaptureTrack();
  bool opened() const { return opened_; }
  QuorSoundTrack& t() { return track_; }
  int Ready() { return track_.driver.ready(&track_); }
  // One lock and submit of `bytes` (at most what lock offers) filled with `value`; returns the
  // bytes submitted, 0 when lock offered nothing.
  uint32_t Put(uint8_t value, uint32_t bytes = ~0u);
  uint32_t Offered();  // the length lock offers now (no submit)

 private:
  QuorMovie movie_;
  QuorSoundTrack track_{};
  bool opened_ = false;
};

}  // namespace quortest

// How many bytes a paced capture device has played since it was last asked.
#pragma once

#include <cstdint>

#include "jov_audio.h"

namespace jov {

class CapturePace {
 public:
  CapturePace(ClockProc clock, const AudioFormat& format)
      : clock_(clock), bytesPerSecond_(format.BytesPerSecond()), align_(format.BlockAlign()) {}

  void Run() {
    if (!running_) last_ = clock_();
    running_ = true;
  }
  void Halt() { running_ = false; }
  bool Running() const { return running_; }

  // The whole sample frames due since the last call (0 while halted); the fraction of a frame
  // is kept for the next call.
  uint64_t Take() {
    if (!running_) return 0;
    const uint32_t now = clock_();
    const uint32_t ms = now - last_;
    last_ = now;
    if (ms > 0x80000000u) return 0;  // the clock went backwards
    const uint64_t total = uint64_t(ms) * bytesPerSecond_ + remainder_;
    const uint64_t bytes = total / 1000 / align_ * align_;
    remainder_ = total - bytes * 1000;
    return bytes;
  }

 private:
  ClockProc clock_;
  uint32_t bytesPerSecond_, align_;
  bool running_ = false;
  uint32_t last_ = 0;
  uint64_t remainder_ = 0;
};

}  // namespace jov

// Volume and pan settings turned into device levels, for both backends.
#pragma once

#include <cstdint>

namespace quor::sound {

// Looping buffer: attenuations in hundredths of a decibel.
int32_t LoopingVolume(uint32_t volume);  // volume 0..32767 (larger counts as 32767)
int32_t LoopingPan(uint32_t pan);        // pan 0..65536, 32768 = centre (larger counts as 65536)

// Queued buffers: the device's left and right words, 0xFFFF = full.
struct QueueLevels {
  uint16_t left, right;
};
QueueLevels QueuedLevels(uint32_t volume, uint32_t pan);  // volume 0..65536, pan 0..65536

}  // namespace quor::sound

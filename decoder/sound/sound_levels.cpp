#include "sound_levels.h"

#include <algorithm>

#include "attenuation_table.h"

namespace quor::sound {

int32_t LoopingVolume(uint32_t volume) {
  return kAttenuation[std::min<uint32_t>(volume, 32767) * 127 / 32767];
}

int32_t LoopingPan(uint32_t pan) {
  const uint32_t i = (std::min<uint32_t>(pan, 65536) * 127 + 32768) / 65536;  // 0..127
  int32_t value = 0;
  if (i < 64) value = kAttenuation[2 * i];            // quieter right
  else if (i > 64) value = -kAttenuation[254 - 2 * i];  // quieter left
  return (value >= -24 && value <= 24) ? 0 : value;
}

QueueLevels QueuedLevels(uint32_t volume, uint32_t pan) {
  const uint32_t level = (std::min<uint32_t>(volume, 65535) + 1) * 32767 / 65536;
  const uint32_t p = std::min<uint32_t>(pan, 65536);
  uint32_t left = level, right = level;
  if (p > 32767)
    left = level * (65536 - p) / 32769;
  else
    right = level * p / 32767;
  // The level runs to 32767; the device's words run to 0xFFFF, so full volume is scaled to full.
  auto word = [](uint32_t l) { return static_cast<uint16_t>(l * 65535 / 32767); };
  return {word(left), word(right)};
}

}  // namespace quor::sound

// Channel gains from a device's level settings, and applying them to samples.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "jov_audio.h"

namespace jov {
namespace {

float FromHundredthsOfDecibel(int32_t attenuation) {
  if (attenuation >= 0) return 1.0f;
  if (attenuation <= -10000) return 0.0f;  // the quietest setting is silence
  return static_cast<float>(std::pow(10.0, attenuation / 2000.0));
}

}  // namespace

ChannelGains GainsFromAttenuation(int32_t volume, int32_t pan) {
  const float level = FromHundredthsOfDecibel(volume);
  ChannelGains g{level, level};
  if (pan < 0) g.right *= FromHundredthsOfDecibel(pan);
  if (pan > 0) g.left *= FromHundredthsOfDecibel(-pan);
  return g;
}

ChannelGains GainsFromLevels(uint16_t left, uint16_t right) {
  return {left == 0xFFFF ? 1.0f : left / 65535.0f, right == 0xFFFF ? 1.0f : right / 65535.0f};
}

void ApplyGains(std::span<uint8_t> samples, const AudioFormat& format, ChannelGains gains) {
  if (gains.Unity()) return;
  // A mono device can't be panned: it plays at the louder side's level.
  const float mono = std::max(gains.left, gains.right);
  const bool stereo = format.channels == 2;
  if (format.bits == 8) {
    for (size_t i = 0; i < samples.size(); ++i) {
      const float g = !stereo ? mono : (i % 2 == 0 ? gains.left : gains.right);
      const float v = (static_cast<int>(samples[i]) - 128) * g;
      samples[i] = static_cast<uint8_t>(std::lround(std::clamp(v, -128.0f, 127.0f)) + 128);
    }
    return;
  }
  for (size_t i = 0; i + 1 < samples.size(); i += 2) {
    const float g = !stereo ? mono : ((i / 2) % 2 == 0 ? gains.left : gains.right);
    int16_t s;
    std::memcpy(&s, &samples[i], 2);  // little-endian on every target of this layer
    s = static_cast<int16_t>(std::lround(std::clamp(s * g, -32768.0f, 32767.0f)));
    std::memcpy(&samples[i], &s, 2);
  }
}

}  // namespace jov

// The attenuation table of the looping-buffer backend's volume and pan.
#pragma once

#include <array>
#include <cstdint>

namespace quor::sound {

extern const std::array<int16_t, 128> kAttenuation;

}  // namespace quor::sound

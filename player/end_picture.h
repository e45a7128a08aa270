// The built-in end picture: a one-frame movie of 224 x 252 at 10 frames a second, no sound.
#pragma once

#include <cstdint>
#include <span>

namespace quorplay {

inline constexpr uint32_t kEndPictureMs = 2250;  // how long it shows

std::span<const uint8_t> EndPictureMovie();

}  // namespace quorplay

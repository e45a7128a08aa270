// Our own artwork as Quor movies: the demo movie and the player's end picture, drawn from
// solid 8x8 blocks so that they need no encoder.
#pragma once

#include <cstdint>
#include <vector>

namespace quortest {

// 320 x 240 at 25 frames a second for 10 s: a square gliding over a colour gradient, with
// `withSound` a 22050 Hz tone track (id 0).
std::vector<uint8_t> DemoMovie(bool withSound = true);

// The end picture: one frame of 224 x 252 at 10 frames a second, no sound.
std::vector<uint8_t> EndPicture();

}  // namespace quortest

// Choosing the sound output for the whole process.
#pragma once

#include <string>

namespace quorplay {

// Headless (or with `capturePath` set): the capture backend, paced by the library clock, writing
// to `capturePath` (nothing for an empty path). Otherwise waveOut-style queued buffers with
// `waveOut`, else the looping buffer. Without a usable sound device movies play silently.
void ChooseSoundOutput(bool headless, bool waveOut, const std::string& capturePath);

}  // namespace quorplay

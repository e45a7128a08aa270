// Single-precision inverse real DFT of a power-of-two length n, run in caller-provided memory.
//
// Input: n / 2 + 1 complex bins X[0] .. X[n/2] as interleaved (re, im) floats, where X[0] and
// X[n/2] are real. Output: n samples y[t] = sum over k = 0 .. n-1 of X[k] e^(2 pi i k t / n),
// the missing bins taken as the conjugates X[n-k]; that is
//   y[t] = X[0] + X[n/2] (-1)^t + 2 sum_{k=1}^{n/2-1} (Re X[k] cos(2 pi k t / n) - Im X[k] sin(...)).
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace quor::audio {

class InverseRdft {
 public:
  // Bytes of state for length n (at least 4, even).
  static size_t StateBytes(uint32_t length);

  // Builds the tables inside `state` (StateBytes(length) bytes, kept alive by the caller).
  InverseRdft(uint32_t length, std::span<std::byte> state);

  uint32_t length() const { return length_; }

  // bins: n + 2 floats; samples: n floats.
  void Run(std::span<const float> bins, std::span<float> samples) const;

 private:
  uint32_t length_;
  void* config_;
};

}  // namespace quor::audio

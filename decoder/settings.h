// The one-shot settings that precede an open. Each is consumed by the next open that carries
// the matching flag and then returns to "not set".
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace quor {

constexpr uint32_t kMaxChosenTracks = 8;

struct RateOverride {
  uint32_t numerator, denominator;
};

std::optional<RateOverride> TakeRateOverride();
std::optional<uint32_t> TakeReadBufferOverride();
std::optional<uint32_t> TakeSimulatedSpeed();
// The requested track ids (the single id 0 unless chosen).
std::vector<uint32_t> ChosenTracks();
void ResetChosenTracks();

}  // namespace quor

// The tables of /D.
#include "video_modes.h"

#include <array>

namespace quorplay {
namespace {

constexpr std::array<Resolution, 13> kResolutions{{
    {320, 200}, {320, 240}, {320, 400}, {400, 300}, {480, 360}, {512, 384}, {640, 400},
    {640, 480}, {800, 600}, {960, 720}, {1024, 768}, {1152, 864}, {1280, 1024},
}};

constexpr std::array<uint32_t, 7> kDepths{16, 24, 32, 8, 1, 2, 3};

}  // namespace

std::optional<Resolution> ResolutionOf(int32_t code) {
  if (code < 1 || code > int32_t(kResolutions.size())) return std::nullopt;
  return kResolutions[size_t(code - 1)];
}

std::optional<uint32_t> DepthOf(int32_t code) {
  if (code < 0 || code >= int32_t(kDepths.size())) return std::nullopt;
  return kDepths[size_t(code)];
}

}  // namespace quorplay

#include "settings.h"

#include <algorithm>
#include <mutex>

#include "quor.h"

namespace quor {
namespace {

std::mutex g_mutex;
std::optional<RateOverride> g_rate;
std::optional<uint32_t> g_readBuffer;
std::optional<uint32_t> g_speed;
std::vector<uint32_t> g_tracks{0};

template <typename T>
std::optional<T> Take(std::optional<T>& setting) {
  std::lock_guard lock(g_mutex);
  std::optional<T> value = setting;
  setting.reset();
  return value;
}

}  // namespace

std::optional<RateOverride> TakeRateOverride() { return Take(g_rate); }
std::optional<uint32_t> TakeReadBufferOverride() { return Take(g_readBuffer); }
std::optional<uint32_t> TakeSimulatedSpeed() { return Take(g_speed); }

std::vector<uint32_t> ChosenTracks() {
  std::lock_guard lock(g_mutex);
  return g_tracks;
}

void ResetChosenTracks() {
  std::lock_guard lock(g_mutex);
  g_tracks.assign(1, 0);
}

}  // namespace quor

extern "C" void QuorOverrideFrameRate(uint32_t numerator, uint32_t denominator) {
  std::lock_guard lock(quor::g_mutex);
  quor::g_rate = quor::RateOverride{numerator, denominator};
}

extern "C" void QuorOverrideReadBuffer(uint32_t bytes) {
  std::lock_guard lock(quor::g_mutex);
  quor::g_readBuffer = bytes;
}

extern "C" void QuorSimulateReadSpeed(uint32_t bytesPerSecond) {
  std::lock_guard lock(quor::g_mutex);
  quor::g_speed = bytesPerSecond;
}

extern "C" void QuorChooseSoundTracks(uint32_t count, const uint32_t* ids) {
  std::lock_guard lock(quor::g_mutex);
  count = std::min(count, quor::kMaxChosenTracks);
  if (!ids) count = 0;
  quor::g_tracks.assign(ids, ids + count);
}

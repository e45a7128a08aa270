#include "clock.h"

#include <atomic>
#include <chrono>
#include <thread>

#include "quor.h"

namespace quor {
namespace {

std::atomic<TimeSource*> g_source{nullptr};

uint32_t RealNow() {
  // Milliseconds since the first call: the first result is 0.
  using Clock = std::chrono::steady_clock;
  static const Clock::time_point base = Clock::now();
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - base);
  return static_cast<uint32_t>(ms.count());
}

}  // namespace

void SetTimeSource(TimeSource* source) { g_source = source; }

uint32_t Now() {
  if (TimeSource* s = g_source.load()) return s->Now();
  return RealNow();
}

void Sleep(uint32_t ms) {
  if (TimeSource* s = g_source.load()) return s->Sleep(ms);
  if (ms == 0)
    std::this_thread::yield();
  else
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

ManualClock::ManualClock(uint32_t start, uint32_t sleepStep) : now_(start), sleepStep_(sleepStep) {
  SetTimeSource(this);
}
ManualClock::~ManualClock() { SetTimeSource(nullptr); }
uint32_t ManualClock::Now() { return now_; }
void ManualClock::Sleep(uint32_t ms) { now_ += ms > sleepStep_ ? ms : sleepStep_; }
void ManualClock::Advance(uint32_t ms) { now_ += ms; }
void ManualClock::Set(uint32_t ms) { now_ = ms; }

}  // namespace quor

extern "C" uint32_t JovTimerRead(void) { return quor::Now(); }

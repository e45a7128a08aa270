// The library's sense of time: JovTimerRead and the waits that go with it. Tests replace the
// source with a manual clock so that schedules can be checked without waiting.
#pragma once

#include <atomic>
#include <cstdint>

namespace quor {

class TimeSource {
 public:
  virtual ~TimeSource() = default;
  virtual uint32_t Now() = 0;
  // Gives up the processor for about `ms` milliseconds (0: only a yield).
  virtual void Sleep(uint32_t ms) = 0;
};

// Installs `source` for the whole process (null restores the real clock).
void SetTimeSource(TimeSource* source);

uint32_t Now();
void Sleep(uint32_t ms);

// A clock that moves only when told to, or by `autoStep` ms whenever somebody sleeps.
class ManualClock final : public TimeSource {
 public:
  explicit ManualClock(uint32_t start = 1000, uint32_t sleepStep = 1);
  ~ManualClock() override;
  ManualClock(const ManualClock&) = delete;
  ManualClock& operator=(const ManualClock&) = delete;

  uint32_t Now() override;
  void Sleep(uint32_t ms) override;
  void Advance(uint32_t ms);
  void Set(uint32_t ms);

 private:
  std::atomic<uint32_t> now_;
  uint32_t sleepStep_;
};

}  // namespace quor

// A capture device with a queue of buffers: buffers play in the order written, each flagged done
// once all of it went to the sink, either with the clock or as fast as fed. As fast as fed, the
// newest buffer waits until the next one arrives (or the queue is reset), so that the device never
// looks as if it had run dry while it is being fed.
#include <algorithm>
#include <deque>
#include <mutex>
#include <vector>

#include "capture_pace.h"
#include "jov_audio.h"

namespace jov {
namespace {

class CaptureQueue final : public QueueDevice {
 public:
  CaptureQueue(const AudioFormat& format, uint32_t count, uint32_t bytes, CaptureSetup setup)
      : format_(format), size_(bytes), memory_(size_t(count) * bytes, SilenceByte(format)),
        done_(count, 1), setup_(std::move(setup)), pace_(setup_.clock, format) {
    if (setup_.paced) pace_.Run();
  }

  uint32_t Count() const override { return static_cast<uint32_t>(done_.size()); }
  uint32_t BufferSize() const override { return size_; }
  std::span<uint8_t> Buffer(uint32_t index) override {
    if (index >= done_.size()) return {};
    return std::span(memory_).subspan(size_t(index) * size_, size_);
  }
  bool Done(uint32_t index) override {
    std::lock_guard lock(mutex_);
    Advance();
    return index < done_.size() && done_[index];
  }
  void Write(uint32_t index, uint32_t bytes) override {
    std::lock_guard lock(mutex_);
    if (index >= done_.size()) return;
    Advance();
    done_[index] = 0;
    queue_.push_back({index, std::min(bytes, size_), 0});
    if (!setup_.paced && !paused_) PlayAllButNewest();
  }
  void Pause() override {
    std::lock_guard lock(mutex_);
    Advance();
    paused_ = true;
    pace_.Halt();
  }
  void Restart() override {
    std::lock_guard lock(mutex_);
    paused_ = false;
    if (setup_.paced)
      pace_.Run();
    else
      PlayAllButNewest();
  }
  void Reset() override {
    std::lock_guard lock(mutex_);
    Advance();
    if (!setup_.paced && !paused_) PlayFromQueue(~uint64_t(0));  // it would have played by now
    queue_.clear();
    std::fill(done_.begin(), done_.end(), 1);
  }
  void SetGains(ChannelGains gains) override {
    std::lock_guard lock(mutex_);
    Advance();
    gains_ = gains;
  }

 private:
  struct Pending {
    uint32_t index, bytes, played;
  };

  // Plays up to `budget` bytes from the head of the queue; returns what was played.
  uint64_t PlayFromQueue(uint64_t budget) {
    uint64_t played = 0;
    while (budget > 0 && !queue_.empty()) {
      Pending& p = queue_.front();
      const uint32_t step = static_cast<uint32_t>(std::min<uint64_t>(budget, p.bytes - p.played));
      const auto from = memory_.begin() + size_t(p.index) * size_ + p.played;
      out_.assign(from, from + step);
      ApplyGains(out_, format_, gains_);
      if (setup_.sink) setup_.sink->Play(out_);
      p.played += step;
      budget -= step;
      played += step;
      if (p.played == p.bytes) {
        done_[p.index] = 1;
        queue_.pop_front();
      }
    }
    return played;
  }
  void PlayAllButNewest() {
    while (queue_.size() > 1) {
      const Pending& p = queue_.front();
      PlayFromQueue(p.bytes - p.played);
    }
  }
  // A paced device has played whatever the clock allowed since the last look; time with an empty
  // queue plays nothing.
  void Advance() {
    if (setup_.paced) PlayFromQueue(pace_.Take());
  }

  std::mutex mutex_;
  AudioFormat format_;
  uint32_t size_;
  std::vector<uint8_t> memory_, out_;
  std::vector<uint8_t> done_;
  std::deque<Pending> queue_;
  CaptureSetup setup_;
  CapturePace pace_;
  ChannelGains gains_;
  bool paused_ = false;
};

}  // namespace

std::unique_ptr<QueueDevice> OpenCaptureQueue(const AudioFormat& format, uint32_t count,
                                              uint32_t bytes, CaptureSetup setup) {
  if (count == 0 || bytes == 0 || format.BlockAlign() == 0) return nullptr;
  if (setup.paced && !setup.clock) return nullptr;
  return std::make_unique<CaptureQueue>(format, count, bytes, std::move(setup));
}

}  // namespace jov

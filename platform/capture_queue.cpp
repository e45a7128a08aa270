// A capture device with a queue of buffers: buffers play in the order written, each flagged done
// once all of it went to the sink, either with the clock or as fast as fed. As fast as fed, the
// newest buffer waits until the next one arrives (or the queue is reset), so that the device never
// looks as if it had run dry while it is being fed.
#include <algorithm>
#include <mutex>
#include <vector>

#include "capture_pace.h"
#include "jov_audio.h"
#include "queue_buffers.h"

namespace jov {
namespace {

class CaptureQueue final : public QueueDevice {
 public:
  CaptureQueue(const AudioFormat& format, uint32_t count, uint32_t bytes, CaptureSetup setup)
      : format_(format), buffers_(format, count, bytes), setup_(std::move(setup)),
        pace_(setup_.clock, format) {
    if (setup_.paced) pace_.Run();
  }

  uint32_t Count() const override { return buffers_.Count(); }
  uint32_t BufferSize() const override { return buffers_.BufferSize(); }
  std::span<uint8_t> Buffer(uint32_t index) override { return buffers_.Buffer(index); }
  bool Done(uint32_t index) override {
    std::lock_guard lock(mutex_);
    Advance();
    return buffers_.Done(index);
  }
  void Write(uint32_t index, uint32_t bytes) override {
    std::lock_guard lock(mutex_);
    if (index >= buffers_.Count()) return;
    Advance();
    buffers_.Queue(index, bytes);
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
    buffers_.Clear();
  }
  void SetGains(ChannelGains gains) override {
    std::lock_guard lock(mutex_);
    Advance();
    gains_ = gains;
  }

 private:
  // Plays up to `budget` bytes from the head of the queue; returns what was played.
  uint64_t PlayFromQueue(uint64_t budget) {
    uint64_t played = 0;
    while (!buffers_.Empty()) {
      const std::span<const uint8_t> head = buffers_.Head();
      if (head.empty()) {
        buffers_.Played(0);  // an empty buffer is done at once; it would stall the queue
        continue;
      }
      if (budget == 0) break;
      const uint32_t step = static_cast<uint32_t>(std::min<uint64_t>(budget, head.size()));
      out_.assign(head.begin(), head.begin() + step);
      ApplyGains(out_, format_, gains_);
      if (setup_.sink) setup_.sink->Play(out_);
      buffers_.Played(step);
      budget -= step;
      played += step;
    }
    return played;
  }
  void PlayAllButNewest() {
    while (buffers_.Queued() > 1) PlayFromQueue(buffers_.Head().size());
  }
  // A paced device has played whatever the clock allowed since the last look; time with an empty
  // queue plays nothing.
  void Advance() {
    if (setup_.paced) PlayFromQueue(pace_.Take());
  }

  std::mutex mutex_;
  AudioFormat format_;
  QueueBuffers buffers_;
  std::vector<uint8_t> out_;
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

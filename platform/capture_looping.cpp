// A capture device with a looping buffer: while playing, its play cursor runs with the clock and
// every byte it passes goes to the sink, exactly as a sound card would play it (stale bytes of a
// stalled feed included).
#include <algorithm>
#include <mutex>
#include <vector>

#include "capture_pace.h"
#include "jov_audio.h"

namespace jov {
namespace {

class CaptureLooping final : public LoopingDevice {
 public:
  CaptureLooping(const AudioFormat& format, uint32_t bytes, CaptureSetup setup)
      : format_(format), buffer_(bytes, SilenceByte(format)), setup_(std::move(setup)),
        pace_(setup_.clock, format) {}

  uint32_t Size() const override { return static_cast<uint32_t>(buffer_.size()); }
  void Play() override {
    std::lock_guard lock(mutex_);
    Advance();
    pace_.Run();
  }
  void Stop() override {
    std::lock_guard lock(mutex_);
    Advance();
    pace_.Halt();
  }
  bool Playing() override {
    std::lock_guard lock(mutex_);
    return pace_.Running();
  }
  void Rewind() override {
    std::lock_guard lock(mutex_);
    Advance();
    play_ = 0;
  }
  Cursors GetCursors() override {
    std::lock_guard lock(mutex_);
    Advance();
    return {play_, play_};
  }
  std::span<uint8_t> Lock(uint32_t offset, uint32_t bytes) override {
    std::lock_guard lock(mutex_);
    Advance();
    if (offset >= buffer_.size()) return {};
    return std::span(buffer_).subspan(offset, std::min<size_t>(bytes, buffer_.size() - offset));
  }
  void Unlock() override {}
  void SetGains(ChannelGains gains) override {
    std::lock_guard lock(mutex_);
    Advance();
    gains_ = gains;
  }

 private:
  // Plays what the clock says has been played since the last look.
  void Advance() {
    uint64_t due = pace_.Take();
    while (due > 0) {
      const uint32_t step = static_cast<uint32_t>(std::min<uint64_t>(due, buffer_.size() - play_));
      out_.assign(buffer_.begin() + play_, buffer_.begin() + play_ + step);
      ApplyGains(out_, format_, gains_);
      if (setup_.sink) setup_.sink->Play(out_);
      play_ = (play_ + step) % static_cast<uint32_t>(buffer_.size());
      due -= step;
    }
  }

  std::mutex mutex_;
  AudioFormat format_;
  std::vector<uint8_t> buffer_, out_;
  CaptureSetup setup_;
  CapturePace pace_;
  ChannelGains gains_;
  uint32_t play_ = 0;
};

}  // namespace

std::unique_ptr<LoopingDevice> OpenCaptureLooping(const AudioFormat& format, uint32_t bytes,
                                                  CaptureSetup setup) {
  if (bytes == 0 || format.BlockAlign() == 0 || !setup.clock) return nullptr;
  return std::make_unique<CaptureLooping>(format, bytes, std::move(setup));
}

}  // namespace jov

// The queue of buffers on an SDL audio device: the callback plays the buffers in the order they
// were written and flags each done once it has taken all of it.
#include <algorithm>
#include <cstring>
#include <deque>
#include <vector>

#include "jov_audio.h"
#include "sdl_audio_device.h"

namespace jov {
namespace {

class SdlQueue final : public QueueDevice {
 public:
  SdlQueue(const AudioFormat& format, uint32_t count, uint32_t bytes, const std::string& name)
      : format_(format), size_(bytes), memory_(size_t(count) * bytes, SilenceByte(format)),
        done_(count, 1), device_(format, name, &Fill, this) {
    device_.Start();
  }
  ~SdlQueue() override { device_.Close(); }
  bool Ok() const { return device_.Ok(); }

  uint32_t Count() const override { return static_cast<uint32_t>(done_.size()); }
  uint32_t BufferSize() const override { return size_; }
  // A buffer that is not done is never written by its owner, so its memory is handed out freely;
  // Write publishes it to the callback.
  std::span<uint8_t> Buffer(uint32_t index) override {
    if (index >= done_.size()) return {};
    return std::span(memory_).subspan(size_t(index) * size_, size_);
  }
  bool Done(uint32_t index) override {
    CallbackGuard g(device_);
    return index < done_.size() && done_[index];
  }
  void Write(uint32_t index, uint32_t bytes) override {
    CallbackGuard g(device_);
    if (index >= done_.size()) return;
    done_[index] = 0;
    queue_.push_back({index, std::min(bytes, size_), 0});
  }
  void Pause() override {
    CallbackGuard g(device_);
    paused_ = true;
  }
  void Restart() override {
    CallbackGuard g(device_);
    paused_ = false;
  }
  void Reset() override {
    CallbackGuard g(device_);
    queue_.clear();
    std::fill(done_.begin(), done_.end(), 1);
  }
  void SetGains(ChannelGains gains) override {
    CallbackGuard g(device_);
    gains_ = gains;
  }

 private:
  struct Pending {
    uint32_t index, bytes, played;
  };

  static void Fill(void* self, uint8_t* out, uint32_t bytes) {
    auto& d = *static_cast<SdlQueue*>(self);
    const std::span<uint8_t> whole(out, bytes);
    while (bytes > 0 && !d.paused_ && !d.queue_.empty()) {
      Pending& p = d.queue_.front();
      const uint32_t step = std::min(bytes, p.bytes - p.played);
      std::memcpy(out, d.memory_.data() + size_t(p.index) * d.size_ + p.played, step);
      out += step;
      bytes -= step;
      p.played += step;
      if (p.played == p.bytes) {
        d.done_[p.index] = 1;
        d.queue_.pop_front();
      }
    }
    std::memset(out, SilenceByte(d.format_), bytes);  // ran dry, or paused
    ApplyGains(whole, d.format_, d.gains_);
  }

  AudioFormat format_;
  uint32_t size_;
  std::vector<uint8_t> memory_;
  std::vector<uint8_t> done_;
  std::deque<Pending> queue_;
  bool paused_ = false;
  ChannelGains gains_;
  SdlAudioDevice device_;  // last: its callback stops before the state above goes
};

}  // namespace

std::unique_ptr<QueueDevice> OpenSoundCardQueue(const AudioFormat& format, uint32_t count,
                                                uint32_t bytes, const std::string& device) {
  if (count == 0 || bytes == 0 || format.BlockAlign() == 0) return nullptr;
  auto d = std::make_unique<SdlQueue>(format, count, bytes, device);
  if (!d->Ok()) return nullptr;
  return d;
}

}  // namespace jov

// The queue of buffers on an SDL audio device: the callback plays the buffers in the order they
// were written and flags each done once it has taken all of it.
#include <algorithm>
#include <cstring>

#include "jov_audio.h"
#include "queue_buffers.h"
#include "sdl_audio_device.h"

namespace jov {
namespace {

class SdlQueue final : public QueueDevice {
 public:
  SdlQueue(const AudioFormat& format, uint32_t count, uint32_t bytes, const std::string& name)
      : format_(format), buffers_(format, count, bytes), device_(format, name, &Fill, this) {
    device_.Start();
  }
  ~SdlQueue() override { device_.Close(); }
  bool Ok() const { return device_.Ok(); }

  uint32_t Count() const override { return buffers_.Count(); }
  uint32_t BufferSize() const override { return buffers_.BufferSize(); }
  // A buffer that is not done is never written by its owner, so its memory is handed out freely;
  // Write publishes it to the callback.
  std::span<uint8_t> Buffer(uint32_t index) override { return buffers_.Buffer(index); }
  bool Done(uint32_t index) override {
    CallbackGuard g(device_);
    return buffers_.Done(index);
  }
  void Write(uint32_t index, uint32_t bytes) override {
    CallbackGuard g(device_);
    if (index >= buffers_.Count()) return;
    buffers_.Queue(index, bytes);
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
    buffers_.Clear();
  }
  void SetGains(ChannelGains gains) override {
    CallbackGuard g(device_);
    gains_ = gains;
  }

 private:
  static void Fill(void* self, uint8_t* out, uint32_t bytes) {
    auto& d = *static_cast<SdlQueue*>(self);
    const std::span<uint8_t> whole(out, bytes);
    while (bytes > 0 && !d.paused_ && !d.buffers_.Empty()) {
      const std::span<const uint8_t> head = d.buffers_.Head();
      const uint32_t step = std::min(bytes, static_cast<uint32_t>(head.size()));
      std::memcpy(out, head.data(), step);
      out += step;
      bytes -= step;
      d.buffers_.Played(step);
    }
    std::memset(out, SilenceByte(d.format_), bytes);  // ran dry, or paused
    ApplyGains(whole, d.format_, d.gains_);
  }

  AudioFormat format_;
  QueueBuffers buffers_;
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

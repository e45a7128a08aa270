// The looping device buffer on an SDL audio device: the callback plays from the play cursor,
// round and round, while the buffer is playing, and silence otherwise.
#include <algorithm>
#include <cstring>
#include <vector>

#include "jov_audio.h"
#include "sdl_audio_device.h"

namespace jov {
namespace {

class SdlLooping final : public LoopingDevice {
 public:
  SdlLooping(const AudioFormat& format, uint32_t bytes, const std::string& name)
      : format_(format), buffer_(bytes, SilenceByte(format)), device_(format, name, &Fill, this) {
    device_.Start();
  }
  ~SdlLooping() override { device_.Close(); }
  bool Ok() const { return device_.Ok(); }

  uint32_t Size() const override { return static_cast<uint32_t>(buffer_.size()); }
  void Play() override {
    CallbackGuard g(device_);
    playing_ = true;
  }
  void Stop() override {
    CallbackGuard g(device_);
    playing_ = false;
  }
  bool Playing() override {
    CallbackGuard g(device_);
    return playing_;
  }
  void Rewind() override {
    CallbackGuard g(device_);
    play_ = 0;
  }
  Cursors GetCursors() override {
    CallbackGuard g(device_);
    // The device holds up to one callback's worth beyond the play cursor.
    const uint32_t ahead = playing_ ? device_.CallbackBytes() : 0;
    return {play_, static_cast<uint32_t>((play_ + ahead) % buffer_.size())};
  }
  // The bytes ahead of the write cursor are never read by the callback, so the memory is handed
  // out without holding the callback off; Unlock publishes what was written.
  std::span<uint8_t> Lock(uint32_t offset, uint32_t bytes) override {
    if (offset >= buffer_.size()) return {};
    return std::span(buffer_).subspan(offset, std::min<size_t>(bytes, buffer_.size() - offset));
  }
  void Unlock() override { CallbackGuard g(device_); }
  void SetGains(ChannelGains gains) override {
    CallbackGuard g(device_);
    gains_ = gains;
  }

 private:
  static void Fill(void* self, uint8_t* out, uint32_t bytes) {
    auto& d = *static_cast<SdlLooping*>(self);
    if (!d.playing_) {
      std::memset(out, SilenceByte(d.format_), bytes);
      return;
    }
    const std::span<uint8_t> whole(out, bytes);
    const uint32_t size = static_cast<uint32_t>(d.buffer_.size());
    while (bytes > 0) {
      const uint32_t step = std::min(bytes, size - d.play_);
      std::memcpy(out, d.buffer_.data() + d.play_, step);
      out += step;
      bytes -= step;
      d.play_ = (d.play_ + step) % size;
    }
    ApplyGains(whole, d.format_, d.gains_);
  }

  AudioFormat format_;
  std::vector<uint8_t> buffer_;
  bool playing_ = false;
  uint32_t play_ = 0;
  ChannelGains gains_;
  SdlAudioDevice device_;  // last: its callback stops before the state above goes
};

}  // namespace

std::unique_ptr<LoopingDevice> OpenSoundCardLooping(const AudioFormat& format, uint32_t bytes,
                                                    const std::string& device) {
  if (bytes == 0 || format.BlockAlign() == 0) return nullptr;
  auto d = std::make_unique<SdlLooping>(format, bytes, device);
  if (!d->Ok()) return nullptr;
  return d;
}

}  // namespace jov

// The platform's audio devices: the narrow seam through which the decoder library's sound
// backends reach a sound card (or a capture file). Two shapes of device exist:
//
// - a looping device buffer that plays round and round from a play cursor, written ahead of it;
// - a queue of buffers, each played in the order written and then flagged done.
//
// Each comes as a sound-card device and as a capture device that appends exactly what it plays
// to a sink (a WAV file), paced by a clock the caller supplies or as fast as it is fed.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace jov {

struct AudioFormat {
  uint32_t rate = 0;      // samples per second and channel
  uint32_t bits = 16;     // 8 (unsigned) or 16 (signed, little-endian)
  uint32_t channels = 1;  // 1 or 2, interleaved
  uint32_t BlockAlign() const { return bits / 8 * channels; }
  uint32_t BytesPerSecond() const { return BlockAlign() * rate; }
};

// Gain factors per channel, 1.0 = unchanged.
struct ChannelGains {
  float left = 1.0f, right = 1.0f;
  bool Unity() const { return left == 1.0f && right == 1.0f; }
};
// A looping buffer's levels: attenuation of the whole buffer and a pan that attenuates one side,
// both in hundredths of a decibel (pan < 0 quietens the right channel, pan > 0 the left).
ChannelGains GainsFromAttenuation(int32_t volume, int32_t pan);
// A buffer queue's levels: 0 = silent, 0xFFFF = full, for each channel.
ChannelGains GainsFromLevels(uint16_t left, uint16_t right);
// Scales samples of `format` in place (mono takes the left gain).
void ApplyGains(std::span<uint8_t> samples, const AudioFormat& format, ChannelGains gains);

// Where a capture device puts what it plays.
class AudioSink {
 public:
  virtual ~AudioSink() = default;
  virtual void Play(std::span<const uint8_t> bytes) = 0;
};
// A sink writing a PCM WAV file of `format`; the header's sizes are kept current after every
// write. Null when the file cannot be created.
std::unique_ptr<AudioSink> OpenWavSink(const std::string& path, const AudioFormat& format);

// The looping device buffer, silent and stopped when opened.
class LoopingDevice {
 public:
  struct Cursors {
    uint32_t play = 0;   // the byte playing now
    uint32_t write = 0;  // the first byte that is safe to write
  };
  virtual ~LoopingDevice() = default;
  virtual uint32_t Size() const = 0;
  virtual void Play() = 0;  // from the play cursor, round and round
  virtual void Stop() = 0;
  virtual bool Playing() = 0;
  virtual void Rewind() = 0;  // play cursor to 0
  virtual Cursors GetCursors() = 0;
  // Memory for at most `bytes` from `offset`, up to the buffer's end; hold it until Unlock.
  virtual std::span<uint8_t> Lock(uint32_t offset, uint32_t bytes) = 0;
  virtual void Unlock() = 0;
  virtual void SetGains(ChannelGains gains) = 0;
};

// The queue of buffers, all done (free) and silent when opened, playing whatever is written.
class QueueDevice {
 public:
  virtual ~QueueDevice() = default;
  virtual uint32_t Count() const = 0;
  virtual uint32_t BufferSize() const = 0;
  virtual std::span<uint8_t> Buffer(uint32_t index) = 0;
  virtual bool Done(uint32_t index) = 0;
  // Queues the first `bytes` of buffer `index` behind those written before; clears its done flag.
  virtual void Write(uint32_t index, uint32_t bytes) = 0;
  virtual void Pause() = 0;
  virtual void Restart() = 0;
  virtual void Reset() = 0;  // drops everything queued: every buffer done
  virtual void SetGains(ChannelGains gains) = 0;
};

// Sound card devices; null when there is no usable audio device. `device` names the output
// (empty: the system's default).
std::unique_ptr<LoopingDevice> OpenSoundCardLooping(const AudioFormat& format, uint32_t bytes,
                                                    const std::string& device = {});
std::unique_ptr<QueueDevice> OpenSoundCardQueue(const AudioFormat& format, uint32_t count,
                                                uint32_t bytes, const std::string& device = {});
// True when the sound card layer can start at all (no device is opened).
bool SoundCardAvailable();

// Capture devices. `clock` gives milliseconds (wrapping, compared by difference).
using ClockProc = uint32_t (*)();
struct CaptureSetup {
  std::shared_ptr<AudioSink> sink;
  ClockProc clock = nullptr;
  // Paced: playing advances with the clock at the format's byte rate. Unpaced: a queue plays
  // each buffer as soon as the next one is written (the newest when the queue is reset), so it
  // never runs dry while fed. A looping buffer has no notion of what was fed, so it is always
  // paced.
  bool paced = true;
};
std::unique_ptr<LoopingDevice> OpenCaptureLooping(const AudioFormat& format, uint32_t bytes,
                                                  CaptureSetup setup);
std::unique_ptr<QueueDevice> OpenCaptureQueue(const AudioFormat& format, uint32_t count,
                                              uint32_t bytes, CaptureSetup setup);

// The byte that sounds as silence in `format`.
inline uint8_t SilenceByte(const AudioFormat& format) { return format.bits == 8 ? 0x80 : 0; }

}  // namespace jov

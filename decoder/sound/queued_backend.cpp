// The queued-buffers backend: 16 device buffers of a sixteenth of a second each. Filling counts
// bytes until half a second (or the whole movie, if shorter) is there, then every filled buffer
// goes to the device at once; from then on each buffer goes as soon as it is written, and a
// device that has played every buffer ran dry.
#include <algorithm>
#include <array>
#include <mutex>

#include "backend_track.h"
#include "backends.h"
#include "output_target.h"
#include "sound_levels.h"

namespace quor::sound {
namespace {

constexpr uint32_t kBuffers = 16;

struct QueuedTrack {
  explicit QueuedTrack(OutputTarget t) : target(std::move(t)) {}
  std::mutex mutex;  // pause can come from another thread than the feeding
  OutputTarget target;
  const QuorMovie* movie = nullptr;
  jov::AudioFormat format;
  QueuedSizes sizes{};
  std::unique_ptr<jov::QueueDevice> device;
  bool paused = false;
  bool started = false;
  uint32_t counted = 0;    // bytes submitted before the start
  int32_t submitted = -1;  // the buffer submitted last
  int32_t chosen = -1;     // the buffer lock hands out
  std::array<uint32_t, kBuffers> lengths{};  // of the buffers filled before the start

  void ToNotStarted() {
    started = false;
    counted = 0;
    submitted = chosen = -1;
  }
  bool OpenDevice() {
    device = target.OpenQueue(format, kBuffers, sizes.buffer);
    ToNotStarted();
    if (device && paused) device->Pause();
    return device != nullptr;
  }
  // Every buffer filled so far goes to the device, in order, each with what it holds.
  void Start() {
    for (int32_t i = 0; i <= submitted; ++i) device->Write(static_cast<uint32_t>(i), lengths[i]);
    started = true;
  }
};

QueuedTrack& State(QuorSoundTrack* t) { return *StateOf<QueuedTrack>(t); }

int Ready(QuorSoundTrack* t) {
  QueuedTrack& s = State(t);
  std::lock_guard lock(s.mutex);
  if (s.paused || !t->on || !s.device) return 0;
  if (s.started) {
    bool allDone = true;
    for (uint32_t i = 0; i < kBuffers && allDone; ++i) allDone = s.device->Done(i);
    if (allDone) {
      t->underrun = 1;  // the device ran dry
      s.ToNotStarted();
    }
  }
  if (!s.started && s.submitted >= 0 && AtLastFrame(s.movie)) s.Start();
  if (!s.started) {
    // Filling: the buffers are taken in order and none is on the device yet.
    const int32_t next = s.submitted + 1;
    s.chosen = next < static_cast<int32_t>(kBuffers) ? next : -1;
    return s.chosen >= 0 ? 1 : 0;
  }
  const uint32_t next = static_cast<uint32_t>(s.submitted + 1) % kBuffers;
  s.chosen = -1;
  if (s.device->Done(next)) {
    s.chosen = static_cast<int32_t>(next);
  } else {
    for (uint32_t i = 0; i < kBuffers && s.chosen < 0; ++i)
      if (s.device->Done(i)) s.chosen = static_cast<int32_t>(i);
  }
  return s.chosen >= 0 ? 1 : 0;
}

int Lock(QuorSoundTrack* t, void** address, uint32_t* length) {
  QueuedTrack& s = State(t);
  std::lock_guard lock(s.mutex);
  if (s.chosen < 0 || !s.device) return 0;
  *address = s.device->Buffer(static_cast<uint32_t>(s.chosen)).data();
  *length = s.sizes.buffer;
  return 1;
}

void Submit(QuorSoundTrack* t, uint32_t bytes) {
  QueuedTrack& s = State(t);
  std::lock_guard lock(s.mutex);
  if (s.chosen < 0 || !s.device) return;
  const uint32_t n = std::min(bytes, s.sizes.buffer);
  const int32_t index = s.chosen;
  s.chosen = -1;
  s.submitted = index;
  if (s.started) {
    s.device->Write(static_cast<uint32_t>(index), n);
    return;
  }
  s.lengths[index] = n;
  s.counted += n;
  // Once all buffers are filled nothing more could be counted, so playback starts then too.
  if (s.counted >= s.sizes.startThreshold || index + 1 == static_cast<int32_t>(kBuffers) || AtLastFrame(s.movie))
    s.Start();
}

void ApplyLevels(QuorSoundTrack* t, QueuedTrack& s) {
  const QueueLevels l = QueuedLevels(t->volume, t->pan);
  if (s.device) s.device->SetGains(jov::GainsFromLevels(l.left, l.right));
}

void SetVolume(QuorSoundTrack* t, uint32_t volume) {
  QueuedTrack& s = State(t);
  std::lock_guard lock(s.mutex);
  t->volume = volume;
  ApplyLevels(t, s);
}

void SetPan(QuorSoundTrack* t, uint32_t pan) {
  QueuedTrack& s = State(t);
  std::lock_guard lock(s.mutex);
  t->pan = pan;
  ApplyLevels(t, s);
}

void Pause(QuorSoundTrack* t, int pause) {
  QueuedTrack& s = State(t);
  std::lock_guard lock(s.mutex);
  s.paused = pause != 0;
  if (!s.device) return;
  if (s.paused)
    s.device->Pause();
  else
    s.device->Restart();
}

int OnOff(QuorSoundTrack* t, int on) {
  QueuedTrack& s = State(t);
  std::lock_guard lock(s.mutex);
  if (s.device) s.device->Reset();
  s.device.reset();  // off closes the device; on opens it again
  s.ToNotStarted();
  t->on = on && s.OpenDevice() ? 1 : 0;
  return static_cast<int>(t->on);
}

void Close(QuorSoundTrack* t) {
  std::unique_ptr<QueuedTrack> s = Detach<QueuedTrack>(t);
  if (s && s->device) s->device->Reset();
  t->on = 0;
}

}  // namespace

QueuedSizes QueuedSizesFor(uint32_t bytesPerSecond, const QuorMovie* movie) {
  const uint64_t b = bytesPerSecond;
  QueuedSizes q;
  q.buffer = static_cast<uint32_t>((b * 1000 / 16000 + 31) & ~uint64_t(31));
  uint64_t threshold = (b * 1000 / 2000 + 31) & ~uint64_t(31);
  if (auto whole = WholeMovieBytes(bytesPerSecond, movie)) threshold = std::min(threshold, *whole);
  q.startThreshold = static_cast<uint32_t>(threshold);
  return q;
}

int QueuedTrackOpen(QuorSoundTrack* track, uint32_t rate, uint32_t bits, uint32_t channels,
                    uint32_t /*movieFlags*/, QuorMovie* movie) {
  std::unique_ptr<QueuedTrack> s = NewTrackState<QueuedTrack>(track, rate, bits, channels, movie);
  if (!s) return 0;
  s->sizes = QueuedSizesFor(s->format.BytesPerSecond(), movie);
  if (s->sizes.buffer == 0 || !s->OpenDevice()) return 0;
  const uint32_t buffer = s->sizes.buffer;
  return FinishOpen(track, {Ready, Lock, Submit, SetVolume, SetPan, Pause, OnOff, Close}, buffer,
                    std::move(s));
}

}  // namespace quor::sound

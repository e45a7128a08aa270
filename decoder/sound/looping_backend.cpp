// The looping-buffer backend: one device buffer of 0.6 s that plays round and round, written in
// 50 ms chunks between our write position and the device's play cursor. Filling writes the start
// threshold (the whole buffer, or the whole movie if shorter) before playback starts. A feed that
// stalls for 540 ms, or a device that has caught up with what was written, counts as an underrun:
// half a buffer of silence goes in at the device's write cursor.
//
// Left out, having no counterpart on a device of our own: the shared device object with its use
// count, the cooperative level and the window it needs, the primary buffer with its format, the
// emulated-driver flag, lost buffers, and setting the buffer's frequency (our device plays at the
// track's rate from the moment it opens). What governs timing is kept: the sizes, the start
// threshold, the cursors and the stall and 90% rules.
#include <algorithm>
#include <cstring>
#include <mutex>

#include "backend_track.h"
#include "backends.h"
#include "clock.h"
#include "output_target.h"
#include "sound_levels.h"

namespace quor::sound {
namespace {

constexpr uint32_t kSafety = 1024;     // bytes kept clear of the play cursor
constexpr uint32_t kStallMs = 540;     // no data for this long: an underrun
constexpr uint32_t kStartPollMs = 50;  // start again when the cursor hasn't moved for this long
constexpr uint32_t kStartGiveUpMs = 1000;

struct LoopingTrack {
  explicit LoopingTrack(OutputTarget t) : target(std::move(t)) {}
  std::mutex mutex;  // pause can come from another thread than the feeding
  OutputTarget target;
  const QuorMovie* movie = nullptr;
  jov::AudioFormat format;
  LoopingSizes sizes{};
  std::unique_ptr<jov::LoopingDevice> device;
  bool paused = false;
  bool started = false;
  bool announced = false;  // the last ready call announced space that is not used yet
  uint32_t writePosition = 0;
  uint32_t writable = 0;
  uint32_t checkTime = 0;  // when data last went in (or playback started or resumed)
  jov::LoopingDevice::Cursors last{};

  uint32_t Size() const { return sizes.buffer; }
  // The space from the write position up to the play cursor, less the safety margin.
  uint32_t WritableBefore(uint32_t play) const {
    const uint32_t distance = (play + Size() - writePosition) % Size();
    return distance < kSafety ? 0 : (distance - kSafety) & ~3u;
  }
  void FillSilence(uint32_t from, uint32_t bytes) {
    while (bytes > 0) {
      std::span<uint8_t> part = device->Lock(from, bytes);
      if (part.empty()) break;
      std::memset(part.data(), jov::SilenceByte(format), part.size());
      device->Unlock();
      bytes -= static_cast<uint32_t>(part.size());
      from = (from + static_cast<uint32_t>(part.size())) % Size();
    }
  }
  void ToNotStarted() {
    started = false;
    announced = false;
    writePosition = 0;
    writable = sizes.startThreshold;
  }
  void StopAndClear() {
    device->Stop();
    for (uint32_t waited = 0; device->Playing() && waited < kStartGiveUpMs; ++waited) quor::Sleep(1);
    device->Rewind();
    FillSilence(0, Size());
  }
  // Playback starts from the beginning of the buffer; we wait until the device has begun.
  void StartPlayback() {
    device->Play();
    const uint32_t begun = quor::Now();
    uint32_t issued = begun;
    const uint32_t from = device->GetCursors().play;
    for (;;) {
      const uint32_t play = device->GetCursors().play;
      if (play != from && play < sizes.chunk) break;
      const uint32_t now = quor::Now();
      if (now - begun >= kStartGiveUpMs) break;  // a device that never moves: don't hang
      if (now - issued >= kStartPollMs) {
        device->Play();
        issued = now;
      }
      quor::Sleep(1);
    }
    started = true;
    checkTime = quor::Now();
    last = device->GetCursors();
  }
};

LoopingTrack& State(QuorSoundTrack* t) { return *StateOf<LoopingTrack>(t); }

uint32_t Moved(uint32_t from, uint32_t to, uint32_t size) { return (to + size - from) % size; }

int Ready(QuorSoundTrack* t) {
  LoopingTrack& s = State(t);
  std::lock_guard lock(s.mutex);
  if (s.paused || !t->on) return 0;
  if (!s.started) {
    if (s.writable < s.sizes.startThreshold && AtLastFrame(s.movie)) s.StartPlayback();
    if (!s.started) return s.writable > 0 ? 1 : 0;
  }
  jov::LoopingDevice::Cursors c = s.device->GetCursors();
  const uint32_t playMoved = Moved(s.last.play, c.play, s.Size());
  const uint32_t writeMoved = Moved(s.last.write, c.write, s.Size());
  s.last = c;
  const uint32_t apart = playMoved > writeMoved ? playMoved - writeMoved : writeMoved - playMoved;
  if (apart > s.Size() / 2) {  // the cursors disagree: look again later
    s.announced = false;
    return 0;
  }
  s.writable = s.WritableBefore(c.play);
  const uint32_t caughtUp = static_cast<uint32_t>(uint64_t(s.Size()) * 9 / 10);
  const uint32_t now = quor::Now();
  if (now - s.checkTime < kStallMs && s.writable < caughtUp) {
    if (s.writable < s.sizes.chunk && !(s.announced && s.writable != 0)) {
      s.announced = false;
      return 0;
    }
    s.announced = true;
    return 1;
  }
  // The feed stalled, or the device has played (nearly) everything written: it ran dry.
  for (int round = 0; round < 4; ++round) {
    t->underrun = 1;
    const uint32_t half = s.Size() / 2;
    s.FillSilence(c.write, half);
    s.writePosition = (c.write + half) % s.Size();
    c = s.device->GetCursors();
    s.last = c;
    s.writable = s.WritableBefore(c.play);
    if (s.writable < caughtUp) break;
  }
  s.checkTime = now;
  s.announced = s.writable > 0;
  return s.announced ? 1 : 0;
}

int Lock(QuorSoundTrack* t, void** address, uint32_t* length) {
  LoopingTrack& s = State(t);
  std::lock_guard lock(s.mutex);
  if (s.writable == 0) return 0;
  std::span<uint8_t> part = s.device->Lock(s.writePosition, s.writable);
  if (part.empty()) return 0;
  *address = part.data();
  *length = static_cast<uint32_t>(part.size());
  return 1;
}

void Submit(QuorSoundTrack* t, uint32_t bytes) {
  LoopingTrack& s = State(t);
  std::lock_guard lock(s.mutex);
  const uint32_t n = std::min(bytes, s.writable);
  s.writePosition = (s.writePosition + n) % s.Size();
  s.writable -= n;
  s.announced = false;  // the announced space is used
  s.device->Unlock();
  if (s.started) {
    s.checkTime = quor::Now();
  } else if (!s.paused && (s.writable == 0 || AtLastFrame(s.movie))) {
    s.StartPlayback();  // filled to the start threshold, or all the movie has
  }
}

void ApplyLevels(QuorSoundTrack* t, LoopingTrack& s) {
  s.device->SetGains(jov::GainsFromAttenuation(LoopingVolume(t->volume), LoopingPan(t->pan)));
}

void SetVolume(QuorSoundTrack* t, uint32_t volume) {
  LoopingTrack& s = State(t);
  std::lock_guard lock(s.mutex);
  t->volume = std::min<uint32_t>(volume, 32767);
  ApplyLevels(t, s);
}

void SetPan(QuorSoundTrack* t, uint32_t pan) {
  LoopingTrack& s = State(t);
  std::lock_guard lock(s.mutex);
  t->pan = std::min<uint32_t>(pan, 65536);
  ApplyLevels(t, s);
}

void Pause(QuorSoundTrack* t, int pause) {
  LoopingTrack& s = State(t);
  std::lock_guard lock(s.mutex);
  s.paused = pause != 0;
  if (s.paused) {
    if (s.started) s.device->Stop();
  } else if (s.started) {
    s.device->Play();
    s.checkTime = quor::Now();  // time spent paused is no stall
    s.last = s.device->GetCursors();
  } else if (s.writable == 0 || (s.writable < s.sizes.startThreshold && AtLastFrame(s.movie))) {
    s.StartPlayback();  // the first filling finished while paused
  }
}

int OnOff(QuorSoundTrack* t, int on) {
  LoopingTrack& s = State(t);
  std::lock_guard lock(s.mutex);
  if (!on || s.started || s.device->Playing()) s.StopAndClear();
  s.ToNotStarted();
  t->on = on ? 1 : 0;
  return static_cast<int>(t->on);
}

void Close(QuorSoundTrack* t) {
  std::unique_ptr<LoopingTrack> s = Detach<LoopingTrack>(t);
  if (s) s->device->Stop();
  t->on = 0;
}

}  // namespace

LoopingSizes LoopingSizesFor(uint32_t bytesPerSecond, const QuorMovie* movie) {
  const uint64_t b = bytesPerSecond;
  LoopingSizes l;
  l.buffer = static_cast<uint32_t>((b * 600 / 1000 + 1023) & ~uint64_t(1023));
  l.chunk = static_cast<uint32_t>((b * 50 / 1000 + 255) & ~uint64_t(255));
  const std::optional<uint64_t> whole = WholeMovieBytes(bytesPerSecond, movie);
  // Whole sample frames only: a threshold that isn't a multiple of 4 would leave every later
  // write out of step with the samples.
  l.startThreshold = static_cast<uint32_t>(std::min<uint64_t>(whole ? *whole : l.chunk, l.buffer)) & ~3u;
  return l;
}

int LoopingTrackOpen(QuorSoundTrack* track, uint32_t rate, uint32_t bits, uint32_t channels,
                     uint32_t /*movieFlags*/, QuorMovie* movie) {
  std::unique_ptr<LoopingTrack> s = NewTrackState<LoopingTrack>(track, rate, bits, channels, movie);
  if (!s) return 0;
  s->sizes = LoopingSizesFor(s->format.BytesPerSecond(), movie);
  if (s->sizes.buffer == 0) return 0;
  s->device = s->target.OpenLooping(s->format, s->sizes.buffer);
  if (!s->device) return 0;
  ApplyLevels(track, *s);
  s->FillSilence(0, s->Size());
  s->ToNotStarted();
  const uint32_t chunk = s->sizes.chunk;
  return FinishOpen(track, {Ready, Lock, Submit, SetVolume, SetPan, Pause, OnOff, Close}, chunk,
                    std::move(s));
}

}  // namespace quor::sound

// What both backends share: the track's own state behind its device pointer, the common steps
// of opening a track, and the movie's whole audio size.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "jov_audio.h"
#include "output_target.h"
#include "quor_sound.h"

namespace quor::sound {

template <typename State>
State* StateOf(QuorSoundTrack* track) {
  return static_cast<State*>(track->device);
}
template <typename State>
void Attach(QuorSoundTrack* track, std::unique_ptr<State> state) {
  track->device = state.release();
}
template <typename State>
std::unique_ptr<State> Detach(QuorSoundTrack* track) {
  std::unique_ptr<State> state(static_cast<State*>(track->device));
  track->device = nullptr;
  return state;
}

inline jov::AudioFormat FormatOf(const QuorSoundTrack* track) {
  return {track->rate, track->bits, track->channels};
}

// Zeroes the track and fills the fields every backend sets: format, volume and pan 32767, on,
// latency 0 and speed 1.0.
void StartTrackRecord(QuorSoundTrack* track, uint32_t rate, uint32_t bits, uint32_t channels);

// The first step of every backend's open: starts the track record, then makes the output target
// when the format is one the backends play (a byte rate, 8 or 16 bits, one or two channels).
std::optional<OutputTarget> StartTrack(QuorSoundTrack* track, uint32_t rate, uint32_t bits,
                                       uint32_t channels);

// StartTrack, then the backend's state made on the target, with the track's format and movie;
// null where StartTrack gives no target.
template <typename State>
std::unique_ptr<State> NewTrackState(QuorSoundTrack* track, uint32_t rate, uint32_t bits,
                                     uint32_t channels, const QuorMovie* movie) {
  std::optional<OutputTarget> target = StartTrack(track, rate, bits, channels);
  if (!target) return nullptr;
  auto state = std::make_unique<State>(std::move(*target));
  state->format = FormatOf(track);
  state->movie = movie;
  return state;
}

// The last step of a successful open: the backend's operations, the decoder's chunk from the
// device's write granularity `deviceBytes` (an 8-bit device byte is two ring bytes), and the
// state behind the device pointer. Returns 1, the open's success.
template <typename State>
int FinishOpen(QuorSoundTrack* track, const QuorSoundDriver& driver, uint32_t deviceBytes,
               std::unique_ptr<State> state) {
  track->driver = driver;
  track->deviceChunk = deviceBytes * (track->bits == 8 ? 2 : 1);
  Attach(track, std::move(state));
  return 1;
}

// Device bytes of the whole movie's audio at `bytesPerSecond` (frame count over the playing
// frame rate); none when the movie has no frame rate.
std::optional<uint64_t> WholeMovieBytes(uint32_t bytesPerSecond, const QuorMovie* movie);

// True once the movie's last frame is loaded: whatever audio a filling track holds then is all
// the movie will give it, so it must start even below its start threshold (the threshold comes
// from the frame count and can exceed the audio the file really has).
inline bool AtLastFrame(const QuorMovie* movie) {
  return movie && movie->currentFrame > 0 && static_cast<uint32_t>(movie->currentFrame) >= movie->frameCount;
}

}  // namespace quor::sound

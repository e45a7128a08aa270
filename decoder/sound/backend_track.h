// What both backends share: the track's own state behind its device pointer, the common fields
// of a freshly opened track, and the movie's whole audio size.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "jov_audio.h"
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

// Zeroes the track and fills the fields every backend sets: format, volume and pan 32767, on,
// latency 0 and speed 1.0.
void StartTrackRecord(QuorSoundTrack* track, uint32_t rate, uint32_t bits, uint32_t channels);

// Device bytes of the whole movie's audio at `bytesPerSecond` (frame count over the playing
// frame rate); none when the movie has no frame rate.
std::optional<uint64_t> WholeMovieBytes(uint32_t bytesPerSecond, const QuorMovie* movie);

// True once the movie's last frame is loaded: whatever audio a filling track holds then is all
// the movie will give it, so it must start even below its start threshold (the threshold comes
// from the frame count and can exceed the audio the file really has).
inline bool AtLastFrame(const QuorMovie* movie) {
  return movie && movie->currentFrame > 0 && static_cast<uint32_t>(movie->currentFrame) >= movie->frameCount;
}

inline jov::AudioFormat FormatOf(const QuorSoundTrack* track) {
  return {track->rate, track->bits, track->channels};
}

}  // namespace quor::sound

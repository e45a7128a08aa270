#include "backend_track.h"

namespace quor::sound {

void StartTrackRecord(QuorSoundTrack* track, uint32_t rate, uint32_t bits, uint32_t channels) {
  *track = QuorSoundTrack{};
  track->rate = rate;
  track->bits = bits;
  track->channels = channels;
  track->volume = track->pan = 32767;
  track->on = 1;
  track->latency = 0;
  track->speed = 0x10000;
}

std::optional<OutputTarget> StartTrack(QuorSoundTrack* track, uint32_t rate, uint32_t bits,
                                       uint32_t channels) {
  StartTrackRecord(track, rate, bits, channels);
  const jov::AudioFormat format{rate, bits, channels};
  if (format.BytesPerSecond() == 0 || (bits != 8 && bits != 16) || channels < 1 || channels > 2)
    return std::nullopt;
  return OutputTarget::ForNewTrack(format);
}

std::optional<uint64_t> WholeMovieBytes(uint32_t bytesPerSecond, const QuorMovie* movie) {
  if (!movie || movie->rateNumerator == 0) return std::nullopt;
  return uint64_t(bytesPerSecond) * movie->frameCount * movie->rateDenominator / movie->rateNumerator;
}

}  // namespace quor::sound

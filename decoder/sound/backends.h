// The track-open operations of the two backends (the selectors hand them out).
#pragma once

#include "quor_sound.h"

namespace quor::sound {

// Queued buffers: 16 buffers of a sixteenth of a second, written once half a second is filled.
int QueuedTrackOpen(QuorSoundTrack* track, uint32_t rate, uint32_t bits, uint32_t channels,
                    uint32_t movieFlags, QuorMovie* movie);
// A looping device buffer of 0.6 s, written in 50 ms chunks ahead of the play cursor.
int LoopingTrackOpen(QuorSoundTrack* track, uint32_t rate, uint32_t bits, uint32_t channels,
                     uint32_t movieFlags, QuorMovie* movie);

// The sizes both backends derive from a format (exposed for tests).
struct QueuedSizes {
  uint32_t buffer;          // one sixteenth of a second, a multiple of 32
  uint32_t startThreshold;  // half a second (at most the whole movie), a multiple of 32
};
QueuedSizes QueuedSizesFor(uint32_t bytesPerSecond, const QuorMovie* movie);
struct LoopingSizes {
  uint32_t buffer;          // 0.6 s, a multiple of 1024
  uint32_t chunk;           // 50 ms, a multiple of 256
  uint32_t startThreshold;  // the whole movie, at most the buffer
};
LoopingSizes LoopingSizesFor(uint32_t bytesPerSecond, const QuorMovie* movie);

}  // namespace quor::sound

// Feeding the played tracks' devices from their decoded-audio rings.
#include <algorithm>
#include <cstring>

#include "movie.h"

namespace quor {
namespace {

// Copies n ring bytes from the read pointer, wrapping at the ring end.
void CopySamples(QuorSoundTrack& t, uint8_t* out, uint32_t n) {
  while (n > 0) {
    const uint32_t step = std::min<uint32_t>(n, static_cast<uint32_t>(t.ringEnd - t.readPointer));
    std::memcpy(out, t.readPointer, step);
    out += step;
    n -= step;
    t.readPointer += step;
    if (t.readPointer == t.ringEnd) t.readPointer = t.ring;
  }
}

// Unsigned 8-bit output: the high byte of each 16-bit sample with its top bit inverted.
void CopySamples8(QuorSoundTrack& t, uint8_t* out, uint32_t n) {
  for (uint32_t i = 0; i < n; i += 2) {
    if (++t.readPointer == t.ringEnd) t.readPointer = t.ring;  // the low byte is dropped
    *out++ = static_cast<uint8_t>(*t.readPointer++ ^ 0x80);
    if (t.readPointer == t.ringEnd) t.readPointer = t.ring;
  }
}

}  // namespace

void FeedTracks(Movie& m) {
  if (!TryLockClient(m.soundClient)) return;  // somebody else is feeding
  for (uint32_t k = 0; k < m.activeCount; ++k) {
    QuorSoundTrack& t = m.soundTracks[k];
    if (!t.driver.ready || !t.driver.lock || !t.driver.submit) continue;
    while (t.driver.ready(&t)) {
      // Partial chunks are sent only during the lead-out.
      if (t.queued == 0) break;
      if (t.queued <= t.deviceChunk && static_cast<uint32_t>(m.currentFrame) <= t.leadOutFrame) break;
      void* address = nullptr;
      uint32_t length = 0;
      if (!t.driver.lock(&t, &address, &length) || !address) break;
      uint32_t n = std::min(t.eightBit ? length * 2 : length, t.queued);
      if (t.eightBit) n &= ~1u;
      if (n == 0) break;
      t.queued -= n;
      if (t.eightBit) {
        CopySamples8(t, static_cast<uint8_t*>(address), n);
        t.driver.submit(&t, n / 2);
      } else {
        CopySamples(t, static_cast<uint8_t*>(address), n);
        t.driver.submit(&t, n);
      }
    }
  }
  UnlockClient(m.soundClient);
}

}  // namespace quor

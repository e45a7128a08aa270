// Decoding one track section of a frame packet: blocks until the section's decoded size is
// delivered.
#pragma once

#include <algorithm>
#include <cstdint>

#include "packet.h"
#include "quor_audio.h"

namespace quor {

// Decodes blocks of `section` and hands each to deliver(bytes, count), cut to what is still
// wanted of the decoded size, until that size is reached, a block yields nothing (an exhausted
// packet, which would otherwise repeat forever) or deliver returns false. Returns the bytes of
// the decoded size that were not delivered.
template <typename Deliver>
uint32_t DecodeSectionAudio(QuorAudioDecoder* decoder, const TrackSection& section, Deliver&& deliver) {
  uint32_t wanted = section.decodedSize;
  const uint8_t* in = section.audio.data();
  const uint8_t* end = in + section.audio.size();
  while (wanted > 0) {
    const int16_t* samples = nullptr;
    uint32_t blockBytes = 0;
    const uint8_t* next = in;
    QuorAudioDecodeBlock(decoder, &samples, &blockBytes, in, end, &next);
    if (blockBytes == 0 || !samples) break;
    in = next;
    const uint32_t count = std::min(blockBytes, wanted);
    wanted -= count;
    if (!deliver(reinterpret_cast<const uint8_t*>(samples), count)) break;
  }
  return wanted;
}

}  // namespace quor

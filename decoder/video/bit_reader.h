// Inline bit reading for the block decoders. The reader keeps up to 64 bits; a refill loads one
// 32-bit word whenever 32 or fewer bits remain, so any read of up to 32 bits needs one refill
// test. Words past the end of the data read as zero (the guard costs one compare per word).
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

#include "quor_blocks.h"

namespace quorvideo {

inline uint32_t LoadWord(const QuorBitReader& r) {
  uint32_t word = 0;
  if (r.next + 4 <= r.size) {
    std::memcpy(&word, r.data + r.next, 4);
  } else if (r.next < r.size) {
    uint8_t tail[4] = {0, 0, 0, 0};
    std::memcpy(tail, r.data + r.next, r.size - r.next);
    std::memcpy(&word, tail, 4);
  }
  if constexpr (std::endian::native == std::endian::big) word = __builtin_bswap32(word);
  return word;
}

inline void Refill(QuorBitReader& r) {
  if (r.count <= 32) {
    r.bits |= uint64_t(LoadWord(r)) << r.count;
    r.count += 32;
    r.next += 4;
  }
}

// The next n bits (n <= 32) without consuming them.
inline uint32_t Peek(QuorBitReader& r, unsigned n) {
  Refill(r);
  return uint32_t(r.bits & ((uint64_t(1) << n) - 1));
}

inline void Skip(QuorBitReader& r, unsigned n) {
  r.bits >>= n;
  r.count -= n;
}

inline uint32_t GetBits(QuorBitReader& r, unsigned n) {
  const uint32_t value = Peek(r, n);
  Skip(r, n);
  return value;
}

inline uint32_t GetBit(QuorBitReader& r) {
  Refill(r);
  const uint32_t bit = uint32_t(r.bits & 1);
  r.bits >>= 1;
  r.count -= 1;
  return bit;
}

// A magnitude of n bits followed, when it is not 0, by a sign bit (1 = negative).
inline int32_t GetSigned(QuorBitReader& r, unsigned n) {
  const int32_t magnitude = int32_t(GetBits(r, n));
  if (magnitude != 0 && GetBit(r)) return -magnitude;
  return magnitude;
}

}  // namespace quorvideo

// Least-significant-bit-first reader over one packet, in 32-bit little-endian words. Bits past
// the end of the packet read as zeros; nothing outside [begin, end) is ever touched.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

namespace quor::audio {

class BlockBitReader {
 public:
  BlockBitReader(const uint8_t* begin, const uint8_t* end) : begin_(begin), pos_(begin), end_(end) {}

  // Up to 32 bits, without consuming them.
  uint32_t Peek(unsigned count) {
    if (count > bits_) Refill();
    return static_cast<uint32_t>(buffer_ & ((uint64_t{1} << count) - 1));
  }
  void Skip(unsigned count) {
    buffer_ >>= count;
    bits_ -= count;
    consumed_ += count;
  }
  uint32_t Read(unsigned count) {
    const uint32_t value = Peek(count);
    Skip(count);
    return value;
  }

  // Makes at least 56 bits available to the unchecked calls below.
  void Fill() { Refill(); }
  uint32_t PeekFilled(unsigned count) const { return static_cast<uint32_t>(buffer_ & ((uint64_t{1} << count) - 1)); }

  // The first 32-bit word after the last word that any consumed bit came from, never past end.
  const uint8_t* NextWord() const {
    const uint64_t words = (consumed_ + 31) / 32;
    const uint64_t available = static_cast<uint64_t>(end_ - begin_);
    return begin_ + (words * 4 < available ? words * 4 : available);
  }

 private:
  // Tops the buffer up to at least 56 bits, whole bytes at a time.
  void Refill() {
    if (end_ - pos_ >= 8) {
      uint64_t word;
      std::memcpy(&word, pos_, 8);
      if constexpr (std::endian::native == std::endian::big) word = __builtin_bswap64(word);
      buffer_ |= word << bits_;
      pos_ += (63 - bits_) >> 3;
      bits_ |= 56;
      return;
    }
    while (bits_ <= 56) {
      const uint64_t byte = pos_ < end_ ? *pos_++ : 0;  // zeros past the packet
      buffer_ |= byte << bits_;
      bits_ += 8;
    }
  }

  const uint8_t* begin_;
  const uint8_t* pos_;
  const uint8_t* end_;
  uint64_t buffer_ = 0;
  unsigned bits_ = 0;
  uint64_t consumed_ = 0;
};

}  // namespace quor::audio

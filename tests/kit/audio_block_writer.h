// Writes audio blocks bit by bit: raw coefficients, band scale indexes and coefficient groups,
// exactly as listed (no checks), so tests can build both valid and damaged blocks.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace quortest {

// Packs values least-significant bit first into 32-bit little-endian words.
class AudioBitWriter {
 public:
  void Put(uint32_t value, unsigned count);  // the low `count` bits (0..32) of value
  size_t bitCount() const { return bits_; }
  std::vector<uint8_t> Finish() const;  // whole words, the last one padded with zeros

 private:
  std::vector<uint32_t> words_;
  size_t bits_ = 0;
};

// The 29-bit raw coefficient field: exponent in bits 0-4, mantissa in 5-27, sign in 28.
uint32_t AudioRawField(uint32_t exponent, uint32_t mantissa, bool negative);

struct AudioGroup {
  int runIndex = -1;            // -1: a group of 8 coefficients; 0..15: an index into the run table
  unsigned width = 0;           // magnitude bits, 0..15
  std::vector<int32_t> values;  // written when width != 0: magnitude, then a sign bit if not 0
};

struct AudioBlock {
  uint32_t raw0 = 0, raw1 = 0;   // raw coefficient fields
  std::vector<uint8_t> scales;   // one scale index per band
  std::vector<AudioGroup> groups;
};

void WriteAudioBlock(AudioBitWriter& writer, const AudioBlock& block);
std::vector<uint8_t> WriteAudioBlock(const AudioBlock& block);

// Groups of 8 for the quantised coefficients q[2] .. q[size - 1] (q[0], q[1] unused): each group
// as narrow as its largest magnitude, width 0 for all-zero groups, the last one cut at the end.
std::vector<AudioGroup> AudioGroupsOf(std::span<const int32_t> q);

}  // namespace quortest

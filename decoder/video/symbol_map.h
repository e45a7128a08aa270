// Symbol maps: a code table and a permutation of the 16 symbol values, read from a plane header
// and folded into one lookup of (code length * 16 + symbol) per peeked bit pattern.
#pragma once

#include <cstdint>

#include "bit_reader.h"

namespace quorvideo {

struct SymbolMap {
  unsigned table = 0;
  uint8_t symbol[16] = {};  // symbol of each code index
};

struct SymbolCode {
  uint8_t lookup[128];  // 2^longest entries used
  unsigned longest;
};

// Reads a map in any of its forms: identity, explicit list, or pairs merged to depth 0..3.
SymbolMap ReadSymbolMap(QuorBitReader& reader);
SymbolCode MakeSymbolCode(const SymbolMap& map);

inline unsigned DecodeSymbol(QuorBitReader& r, const SymbolCode& code) {
  const uint8_t entry = code.lookup[Peek(r, code.longest)];
  Skip(r, entry >> 4);
  return entry & 15;
}

}  // namespace quorvideo

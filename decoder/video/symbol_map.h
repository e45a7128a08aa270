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

// The same without the refill test, for a caller that refilled (leaving at least 33 bits) and
// decodes at most four symbols (7 bits each at most) before refilling again.
inline unsigned DecodeSymbolRefilled(QuorBitReader& r, const SymbolCode& code) {
  const uint8_t entry = code.lookup[r.bits & ((1u << code.longest) - 1)];
  Skip(r, entry >> 4);
  return entry & 15;
}

}  // namespace quorvideo

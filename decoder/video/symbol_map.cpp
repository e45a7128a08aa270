#include "symbol_map.h"

#include "tables.h"

namespace quorvideo {
namespace {

// Merges a[0..n) and b[0..n) into out, one bit per choice while both have values left.
void Merge(QuorBitReader& r, const uint8_t* a, const uint8_t* b, unsigned n, uint8_t* out) {
  unsigned i = 0, j = 0;
  while (i < n && j < n) *out++ = GetBit(r) ? b[j++] : a[i++];
  while (i < n) *out++ = a[i++];
  while (j < n) *out++ = b[j++];
}

}  // namespace

SymbolMap ReadSymbolMap(QuorBitReader& r) {
  SymbolMap map;
  map.table = GetBits(r, 4);
  if (map.table == 0) {
    for (unsigned i = 0; i < 16; ++i) map.symbol[i] = uint8_t(i);
    return map;
  }
  if (GetBit(r)) {
    const unsigned listed = GetBits(r, 3) + 1;
    bool used[16] = {};
    unsigned n = 0;
    for (; n < listed; ++n) {
      map.symbol[n] = uint8_t(GetBits(r, 4));
      used[map.symbol[n]] = true;
    }
    // A damaged list may repeat a value; the unread values still fill the remaining entries
    // in ascending order, never more than 16 of them.
    for (unsigned v = 0; v < 16 && n < 16; ++v)
      if (!used[v]) map.symbol[n++] = uint8_t(v);
    while (n < 16) map.symbol[n++] = 0;
    return map;
  }
  const unsigned depth = GetBits(r, 2);
  uint8_t current[16], next[16];
  for (unsigned i = 0; i < 16; i += 2) {
    const bool swap = GetBit(r);
    current[i] = uint8_t(swap ? i + 1 : i);
    current[i + 1] = uint8_t(swap ? i : i + 1);
  }
  for (unsigned level = 0, half = 2; level < depth; ++level, half *= 2) {
    for (unsigned at = 0; at < 16; at += 2 * half)
      Merge(r, current + at, current + at + half, half, next + at);
    for (unsigned i = 0; i < 16; ++i) current[i] = next[i];
  }
  for (unsigned i = 0; i < 16; ++i) map.symbol[i] = current[i];
  return map;
}

SymbolCode MakeSymbolCode(const SymbolMap& map) {
  SymbolCode code;
  code.longest = kCodeLongest[map.table & 15];
  const uint8_t* lookup = kCodeLookup + kCodeOffset[map.table & 15];
  const unsigned entries = 1u << code.longest;
  for (unsigned i = 0; i < entries; ++i)
    code.lookup[i] = uint8_t((lookup[i] & 0xF0) | map.symbol[lookup[i] & 15]);
  return code;
}

}  // namespace quorvideo

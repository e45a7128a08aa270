// The entry list shared by coefficient and residue decoding: a walk over regions of coded
// indexes that splits a region when a bit says it holds something significant in this pass.
//
// An entry is one byte: the kind in bits 6-7, the coded index in bits 0-5. Kind 1 (a group of
// 16) only ever sits at index 8, 28 or 48, so "kind 1 at index 0" marks a cleared entry.
// Every region splits at most once, so whatever the bits say the list never holds more than
// 64 prepended and 16 other entries: the sizes below cannot be exceeded.
#pragma once

#include <cstdint>

#include "bit_reader.h"

namespace quorvideo {

enum : uint8_t {
  kKindQuadAndGroup = 0 << 6,
  kKindGroup = 1 << 6,
  kKindQuad = 2 << 6,
  kKindSingle = 3 << 6,
  kEntryCleared = kKindGroup | 0,
};

class EntryList {
 public:
  template <size_t N>
  explicit EntryList(const uint8_t (&initial)[N]) : first_(kFront), end_(kFront + N) {
    for (size_t i = 0; i < N; ++i) entries_[kFront + i] = initial[i];
  }

  // One pass over the list. `give(index)` is called for each coded index that receives a value
  // in this pass and returns false to stop decoding at once; Walk then returns false too.
  template <typename Give>
  bool Walk(QuorBitReader& r, Give&& give) {
    unsigned i = first_;
    while (i < end_) {
      const uint8_t entry = entries_[i];
      if (entry == kEntryCleared || !GetBit(r)) {
        ++i;
        continue;
      }
      const unsigned index = entry & 63;
      switch (entry & 0xC0) {
        case kKindQuadAndGroup:
          entries_[i] = uint8_t(kKindGroup | (index + 4));
          if (!Quad(r, index, give)) return false;
          break;  // visited again at once as a group
        case kKindGroup:
          entries_[i] = uint8_t(kKindQuad | index);
          entries_[end_++] = uint8_t(kKindQuad | (index + 4));
          entries_[end_++] = uint8_t(kKindQuad | (index + 8));
          entries_[end_++] = uint8_t(kKindQuad | (index + 12));
          break;  // visited again at once as a quad
        case kKindQuad:
          entries_[i++] = kEntryCleared;
          if (!Quad(r, index, give)) return false;
          break;
        default:  // single
          entries_[i++] = kEntryCleared;
          if (!give(index)) return false;
          break;
      }
    }
    return true;
  }

 private:
  template <typename Give>
  bool Quad(QuorBitReader& r, unsigned index, Give& give) {
    for (unsigned j = index; j < index + 4; ++j) {
      if (GetBit(r)) {
        entries_[--first_] = uint8_t(kKindSingle | j);
      } else if (!give(j)) {
        return false;
      }
    }
    return true;
  }

  static constexpr unsigned kFront = 64;
  uint8_t entries_[kFront + 16];
  unsigned first_, end_;
};

}  // namespace quorvideo

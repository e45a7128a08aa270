// Chunk decoding of the value streams.
#include "value_streams.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace quorvideo {
namespace {

template <typename T>
void Attach(ValueStream<T>& s, const QuorStreamBuffers& buffers, unsigned index, uint32_t width) {
  const uint32_t planeCapacity = 512 + width / 8 * kCapacityMultiplier[index];
  // Count width: significant bits of capacity - 1, at most 15.
  s.countBits = std::min(15u, unsigned(std::bit_width(planeCapacity - 1)));
  s.base = reinterpret_cast<T*>(buffers.buffer[index]);
  // Bounded counts: a chunk never holds more than the buffer the movie allocated.
  s.capacity = s.base ? std::min(planeCapacity, uint32_t(buffers.size[index] / sizeof(T))) : 0;
  s.read = s.end = s.base;
  s.silenced = false;
}

// Reads the element count; false when the stream is silenced by a count of 0 (or has no
// buffer). Counts above the capacity are cut to it, so no chunk writes past its buffer.
template <typename T>
bool StartChunk(ValueStream<T>& s, QuorBitReader& r, uint32_t& count) {
  count = std::min(GetBits(r, s.countBits), s.capacity);
  if (count == 0) {
    s.silenced = true;
    return false;
  }
  s.read = s.base;
  s.end = s.base + count;
  return true;
}

// Block types and sub-block types: a fill, or literals below 12 with run symbols 12..15.
void ReadTypeChunk(ValueStream<uint8_t>& s, QuorBitReader& r, const SymbolCode& code) {
  uint32_t count;
  if (!StartChunk(s, r, count)) return;
  uint8_t* out = s.base;
  if (GetBit(r)) {
    std::memset(out, int(GetBits(r, 4)), count);
    return;
  }
  static constexpr uint32_t kRun[4] = {4, 8, 12, 32};
  uint8_t last = 0;
  for (uint32_t i = 0; i < count;) {
    const unsigned symbol = DecodeSymbol(r, code);
    if (symbol < 12) {
      out[i++] = last = uint8_t(symbol);
    } else {
      const uint32_t run = std::min(kRun[symbol - 12], count - i);  // a run never passes N
      std::memset(out + i, last, run);
      i += run;
    }
  }
}

uint8_t ReadColour(PlaneStreams& p) {
  Refill(p.reader);  // one refill test for both nibbles
  const unsigned high = DecodeSymbolRefilled(p.reader, p.colourHigh[p.previousHigh]);
  const unsigned low = DecodeSymbolRefilled(p.reader, p.colourLow);
  p.previousHigh = high;
  const unsigned v = high * 16 + low;
  if (!p.older) return uint8_t(v);
  return uint8_t(v < 128 ? 128 + (v & 127) : 128 - (v & 127));
}

void ReadColourChunk(PlaneStreams& p) {
  ValueStream<uint8_t>& s = p.colours;
  uint32_t count;
  if (!StartChunk(s, p.reader, count)) return;
  if (GetBit(p.reader)) {
    std::memset(s.base, ReadColour(p), count);
    return;
  }
  for (uint32_t i = 0; i < count; ++i) s.base[i] = ReadColour(p);
}

void ReadPatternChunk(ValueStream<uint8_t>& s, QuorBitReader& r, const SymbolCode& code) {
  uint32_t count;
  if (!StartChunk(s, r, count)) return;
  for (uint32_t i = 0; i < count; ++i) {
    Refill(r);
    const unsigned low = DecodeSymbolRefilled(r, code);
    const unsigned high = DecodeSymbolRefilled(r, code);
    s.base[i] = uint8_t(high * 16 + low);
  }
}

void ReadOffsetChunk(ValueStream<int8_t>& s, QuorBitReader& r, const SymbolCode& code) {
  uint32_t count;
  if (!StartChunk(s, r, count)) return;
  if (GetBit(r)) {
    std::memset(s.base, int(GetSigned(r, 4)), count);
    return;
  }
  for (uint32_t i = 0; i < count; ++i) {
    const int32_t symbol = int32_t(DecodeSymbol(r, code));
    s.base[i] = int8_t(symbol != 0 && GetBit(r) ? -symbol : symbol);
  }
}

void ReadDcChunk(ValueStream<int16_t>& s, QuorBitReader& r, bool intra) {
  uint32_t count;
  if (!StartChunk(s, r, count)) return;
  uint16_t previous = uint16_t(intra ? GetBits(r, 11) : uint32_t(GetSigned(r, 10)));
  s.base[0] = int16_t(previous);
  for (uint32_t i = 1; i < count;) {
    const uint32_t group = std::min(8u, count - i);
    const unsigned bits = GetBits(r, 4);
    for (uint32_t end = i + group; i < end; ++i) {
      if (bits != 0) previous = uint16_t(previous + uint32_t(GetSigned(r, bits)));
      s.base[i] = int16_t(previous);
    }
  }
}

void ReadRunChunk(ValueStream<uint8_t>& s, QuorBitReader& r, const SymbolCode& code) {
  uint32_t count;
  if (!StartChunk(s, r, count)) return;
  if (GetBit(r)) {
    std::memset(s.base, int(GetBits(r, 4)), count);
    return;
  }
  for (uint32_t i = 0; i < count; ++i) s.base[i] = uint8_t(DecodeSymbol(r, code));
}

}  // namespace

void PlaneStreams::Begin(const QuorStreamBuffers& buffers, uint32_t width, bool olderStream) {
  older = olderStream;
  previousHigh = 0;
  Attach(types, buffers, kBlockTypes, width);
  Attach(subTypes, buffers, kSubBlockTypes, width / 2);
  Attach(colours, buffers, kColours, width);
  Attach(patternBytes, buffers, kPatterns, width);
  Attach(dx, buffers, kXOffsets, width);
  Attach(dy, buffers, kYOffsets, width);
  Attach(intraDc, buffers, kIntraDc, width);
  Attach(interDc, buffers, kInterDc, width);
  Attach(runLengths, buffers, kRuns, width);
  blockTypes = MakeSymbolCode(ReadSymbolMap(reader));
  subBlockTypes = MakeSymbolCode(ReadSymbolMap(reader));
  for (SymbolCode& code : colourHigh) code = MakeSymbolCode(ReadSymbolMap(reader));
  colourLow = MakeSymbolCode(ReadSymbolMap(reader));
  patterns = MakeSymbolCode(ReadSymbolMap(reader));
  xOffsets = MakeSymbolCode(ReadSymbolMap(reader));
  yOffsets = MakeSymbolCode(ReadSymbolMap(reader));
  runs = MakeSymbolCode(ReadSymbolMap(reader));
}

void PlaneStreams::RefillAtRowStart() {
  if (types.NeedsChunk()) ReadTypeChunk(types, reader, blockTypes);
  if (subTypes.NeedsChunk()) ReadTypeChunk(subTypes, reader, subBlockTypes);
  if (colours.NeedsChunk()) ReadColourChunk(*this);
  if (patternBytes.NeedsChunk()) ReadPatternChunk(patternBytes, reader, patterns);
  if (dx.NeedsChunk()) ReadOffsetChunk(dx, reader, xOffsets);
  if (dy.NeedsChunk()) ReadOffsetChunk(dy, reader, yOffsets);
  if (intraDc.NeedsChunk()) ReadDcChunk(intraDc, reader, true);
  if (interDc.NeedsChunk()) ReadDcChunk(interDc, reader, false);
  if (runLengths.NeedsChunk()) ReadRunChunk(runLengths, reader, runs);
}

}  // namespace quorvideo

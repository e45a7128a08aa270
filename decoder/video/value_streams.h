// The nine per-plane value streams: chunks decoded at row starts into the movie's flat element
// buffers, from which the block loop takes values by advancing a pointer.
#pragma once

#include <cstdint>

#include "bit_reader.h"
#include "quor_video.h"
#include "symbol_map.h"

namespace quorvideo {

enum StreamIndex : unsigned {
  kBlockTypes,
  kSubBlockTypes,
  kColours,
  kPatterns,
  kXOffsets,
  kYOffsets,
  kIntraDc,
  kInterDc,
  kRuns,
};

// Element capacity multiplier of each stream (elements per 8 columns beyond the base 512).
inline constexpr unsigned kCapacityMultiplier[QUOR_STREAM_COUNT] = {1, 1, 64, 8, 1, 1, 1, 1, 48};

template <typename T>
struct ValueStream {
  T* base = nullptr;
  const T* read = nullptr;
  const T* end = nullptr;
  uint32_t capacity = 0;  // elements: the smaller of the plane's capacity and the buffer's
  unsigned countBits = 9;
  bool silenced = false;  // a chunk count of 0 was read: never refilled in this plane

  bool NeedsChunk() const { return read == end && !silenced; }

  // A stream that runs dry yields zeros: one compare per value taken, never per pixel.
  T Take() {
    if (read < end) return *read++;
    return T(0);
  }
  // n consecutive elements (n <= 64), or zeros when fewer are left.
  const T* Take(unsigned n) {
    static constexpr T kZeros[64] = {};
    if (unsigned(end - read) >= n) {
      const T* values = read;
      read += n;
      return values;
    }
    read = end;
    return kZeros;
  }
};

// Everything one plane decode reads from: the bit reader, symbol codes, colour context and streams.
struct PlaneStreams {
  QuorBitReader reader;
  SymbolCode blockTypes, subBlockTypes, colourHigh[16], colourLow, patterns, xOffsets, yOffsets,
      runs;
  unsigned previousHigh = 0;
  bool older = false;
  ValueStream<uint8_t> types, subTypes, colours, patternBytes, runLengths;
  ValueStream<int8_t> dx, dy;
  ValueStream<int16_t> intraDc, interDc;

  // Sets up the streams over the movie's buffers for a plane of coded width `width` and reads
  // the plane header (the symbol maps).
  void Begin(const QuorStreamBuffers& buffers, uint32_t width, bool olderStream);
  // Reads the next chunk of every exhausted stream, in stream order.
  void RefillAtRowStart();
};

}  // namespace quorvideo

// One plane: rows of 8x8 blocks drawn by block type from the value streams and the bit reader.
#include <algorithm>
#include <cstring>

#include "bit_reader.h"
#include "block_coding.h"
#include "block_draw.h"
#include "quor_video.h"
#include "tables.h"
#include "value_streams.h"

namespace quorvideo {
namespace {

enum BlockType : uint8_t {
  kSkip = 0,
  kScaled = 1,
  kMotion = 2,
  kRun = 3,
  kResidue = 4,
  kIntra = 5,
  kFill = 6,
  kInter = 7,
  kPattern = 8,
  kRaw = 9,
};

struct Plane {
  uint8_t* dst;
  const uint8_t* prev;
  ptrdiff_t stride;
  uint32_t width, height, rows;
  PlaneStreams s;
};

// A run block's 8x8 image: runs of one colour or of literal colours along scan table s.
void BuildRunImage(PlaneStreams& s, uint8_t image[64]) {
  const uint8_t* scan = kRunScan[GetBits(s.reader, 4)];
  unsigned i = 0;
  while (i < 63) {
    const bool same = GetBit(s.reader);
    const uint8_t colour = same ? s.colours.Take() : 0;
    // A damaged run may point past position 63: it is cut at the block's end.
    const unsigned r = std::min(unsigned(s.runLengths.Take()) + 1, 64 - i);
    if (same) {
      for (unsigned k = 0; k < r; ++k) image[scan[i + k]] = colour;
    } else {
      const uint8_t* colours = s.colours.Take(r);
      for (unsigned k = 0; k < r; ++k) image[scan[i + k]] = colours[k];
    }
    i += r;
  }
  if (i == 63) image[scan[63]] = s.colours.Take();
}

void BuildPatternImage(PlaneStreams& s, uint8_t image[64]) {
  const uint64_t c0 = s.colours.Take() * 0x0101010101010101ull;
  const uint64_t c1 = s.colours.Take() * 0x0101010101010101ull;
  const uint8_t* bits = s.patternBytes.Take(8);
  for (unsigned row = 0; row < 8; ++row) Store8(image + row * 8, PatternRow(bits[row], c0, c1));
}

// The 8x8 source block of a motion vector, clamped once per block into the previous plane:
// on a valid stream the clamp changes nothing.
const uint8_t* MotionSource(Plane& p, uint32_t x, uint32_t y) {
  const int32_t sx = std::clamp(int32_t(x) + p.s.dx.Take(), 0, int32_t(p.stride) - 8);
  const int32_t sy = std::clamp(int32_t(y) + p.s.dy.Take(), 0, int32_t(p.rows) - 8);
  return p.prev + sy * p.stride + sx;
}

void DrawScaled(Plane& p, uint8_t* at) {
  PlaneStreams& s = p.s;
  uint8_t image[64];
  switch (s.subTypes.Take()) {
    case kRun:
      BuildRunImage(s, image);
      StoreImageDouble(at, p.stride, image);
      break;
    case kIntra: {
      int16_t coefficients[64];
      coefficients[0] = s.intraDc.Take();
      const bool acZero = DecodeCoefficients(coefficients, s.reader) == 0;
      IdctPutDouble(at, p.stride, coefficients, GetBits(s.reader, 4), acZero);
      break;
    }
    case kFill:
      FillDouble(at, p.stride, s.colours.Take());
      break;
    case kPattern:
      BuildPatternImage(s, image);
      StoreImageDouble(at, p.stride, image);
      break;
    case kRaw:
      StoreImageDouble(at, p.stride, s.colours.Take(64));
      break;
    default:  // nothing is drawn
      break;
  }
}

// Draws one 8x8 block of type 2..15 (skip and scaled are handled by the row loop). Returns
// whether it drew, which marks the change map.
bool DrawBlock(Plane& p, unsigned type, uint32_t x, uint32_t y, uint8_t* at) {
  PlaneStreams& s = p.s;
  switch (type) {
    case kMotion:
      CopyBlock(at, p.stride, MotionSource(p, x, y), p.stride);
      return true;
    case kRun: {
      uint8_t image[64];
      BuildRunImage(s, image);
      StoreImage(at, p.stride, image);
      return true;
    }
    case kResidue: {
      uint8_t prediction[64];
      CopyBlock(prediction, 8, MotionSource(p, x, y), p.stride);
      ResidueAdd(at, p.stride, s.reader, GetBits(s.reader, 7), prediction);
      return true;
    }
    case kIntra: {
      int16_t coefficients[64];
      coefficients[0] = s.intraDc.Take();
      const bool acZero = DecodeCoefficients(coefficients, s.reader) == 0;
      IdctPut(at, p.stride, coefficients, GetBits(s.reader, 4), acZero);
      return true;
    }
    case kFill:
      FillBlock(at, p.stride, s.colours.Take());
      return true;
    case kInter: {
      uint8_t prediction[64];
      CopyBlock(prediction, 8, MotionSource(p, x, y), p.stride);
      int16_t coefficients[64];
      coefficients[0] = s.interDc.Take();
      const bool acZero = DecodeCoefficients(coefficients, s.reader) == 0;
      IdctAdd(at, p.stride, coefficients, GetBits(s.reader, 4), prediction, acZero);
      return true;
    }
    case kPattern: {
      uint8_t image[64];
      BuildPatternImage(s, image);
      StoreImage(at, p.stride, image);
      return true;
    }
    case kRaw:
      StoreImage(at, p.stride, s.colours.Take(64));
      return true;
    default:  // 10..15: nothing drawn or marked
      return false;
  }
}

void DecodeRows(Plane& p, uint8_t* changeMap, uint32_t scale) {
  const size_t mapStride = size_t(p.stride) * scale / 16;
  for (uint32_t y = 0, blockRow = 0; y < p.height; y += 8, ++blockRow) {
    p.s.RefillAtRowStart();
    const bool oddRow = (blockRow & 1) != 0;
    uint8_t* mapRow = changeMap + (blockRow * scale / 2) * mapStride;
    uint8_t* line = p.dst + ptrdiff_t(y) * p.stride;
    const uint8_t* prevLine = p.prev + ptrdiff_t(y) * p.stride;
    for (uint32_t x = 0, counter = 0; x < p.width;) {
      const unsigned type = p.s.types.Take();
      if (type == kSkip) {
        CopyBlock(line + x, p.stride, prevLine + x, p.stride);
      } else if (type == kScaled) {
        // Scaled blocks (and their odd-row continuations) whose 16x16 area leaves the plane
        // stop the plane: the rest keeps the buffer's contents, and nothing writes past it.
        if (x + 16 > p.width || (!oddRow && y + 16 > p.height)) return;
        if (!oddRow) DrawScaled(p, line + x);
        mapRow[counter / 2] = 1;
        mapRow[(counter + scale) / 2] = 1;
        x += 16;
        counter += 2 * scale;
        continue;
      } else if (DrawBlock(p, type, x, y, line + x)) {
        mapRow[counter / 2] = 1;
      }
      x += 8;
      counter += scale;
    }
  }
}

}  // namespace
}  // namespace quorvideo

extern "C" size_t QuorDecodePlane(uint8_t* destination, const uint8_t* previous, uint32_t width,
                                  uint32_t height, uint32_t stride, uint32_t rows,
                                  const uint8_t* data, size_t size, uint8_t* changeMap,
                                  uint32_t scale, const QuorStreamBuffers* streams,
                                  uint32_t movieFlags) {
  using namespace quorvideo;
  width &= ~7u;
  height &= ~7u;
  // Geometry that could place a block or a change-map byte outside its buffer decodes nothing.
  if (!destination || !changeMap || !streams || (scale != 1 && scale != 2) || width > stride ||
      height > rows || rows < 8 || stride < 8 || (size_t(stride) * scale) % 16 != 0 ||
      (size_t(rows) * scale) % 16 != 0)
    return 0;
  Plane p{destination, previous ? previous : destination, ptrdiff_t(stride), width, height, rows, {}};
  QuorBitReaderInit(&p.s.reader, data, data ? size : 0);
  p.s.Begin(*streams, width, (movieFlags & 0x8000) != 0);
  DecodeRows(p, changeMap, scale);
  return QuorBitReaderWordEnd(&p.s.reader);
}

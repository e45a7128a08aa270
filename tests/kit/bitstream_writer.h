// Writes video bitstreams for tests: bits in 32-bit little-endian words from the least
// significant end, the sixteen code tables, symbol maps in every form, coefficient and residue
// bit planes, and whole planes with their value-stream chunks laid out at row starts.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace quortest {

class BitWriter {
 public:
  void Put(uint32_t value, unsigned bits);       // the low `bits` bits, bit 0 first
  void PutBit(bool bit) { bits_.push_back(bit); }
  void PutSigned(int32_t value, unsigned bits);  // magnitude, then a sign bit if not 0
  void PutCode(unsigned table, unsigned index);  // the code of `index` in code table `table`
  void Append(const BitWriter& other);
  size_t BitCount() const { return bits_.size(); }
  // The bits padded with zeros to whole 32-bit words.
  std::vector<uint8_t> Words() const;

 private:
  std::vector<bool> bits_;
};

// The code of `index` in table `table` as '0'/'1' characters in reading order.
const char* CodeText(unsigned table, unsigned index);

struct SymbolMapSpec {
  enum Form { kIdentity, kList, kMerge };
  Form form = kIdentity;
  unsigned table = 0;      // code table (the identity form is always table 0)
  std::array<uint8_t, 16> symbol{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
  unsigned listed = 8;     // kList: how many symbols are listed (1..8)
  unsigned depth = 3;      // kMerge: merge depth 0..3 (symbol must be representable)
};
SymbolMapSpec IdentityMap();
SymbolMapSpec ListMap(unsigned table, std::vector<uint8_t> listed);
SymbolMapSpec MergeMap(unsigned table, std::array<uint8_t, 16> symbol, unsigned depth);

void WriteSymbolMap(BitWriter& out, const SymbolMapSpec& map);
void PutSymbol(BitWriter& out, const SymbolMapSpec& map, unsigned symbol);

// Coefficients 1..63 in block order (position 0 is the caller's DC): the number of bit planes
// (smallest that holds every magnitude, or `planes` when larger) and the planes.
void PutCoefficients(BitWriter& out, const std::array<int16_t, 64>& block, unsigned planes = 0);
// A residue (block order, magnitudes below 2^(top+1)) with its event limit; returns the block
// the decoder reconstructs, which the limit may cut short.
std::array<int8_t, 64> PutResidue(BitWriter& out, const std::array<int8_t, 64>& block,
                                  unsigned top, unsigned eventLimit);

// One block as the block loop sees it: its type, what it takes from each value stream, and
// the bits it reads directly, in order.
struct BlockSpec {
  uint8_t type = 0;
  uint8_t subType = 0;  // scaled blocks in even rows
  bool takesSubType = false;
  std::vector<uint8_t> colours, patterns, runs;
  std::vector<int8_t> dx, dy;
  std::vector<int16_t> intraDc, interDc;
  BitWriter bits;
};

struct RunSegment {
  bool same = true;              // one colour repeated, or literal colours
  unsigned length = 1;           // 1..16 positions
  std::vector<uint8_t> colours;  // 1 colour, or `length` colours
};

BlockSpec SkipBlock();
BlockSpec IgnoredBlock(uint8_t type);  // 10..15
BlockSpec MotionBlock(int dx, int dy);
BlockSpec FillBlock(uint8_t colour);
BlockSpec RawBlock(const std::array<uint8_t, 64>& colours);
BlockSpec PatternBlock(uint8_t c0, uint8_t c1, const std::array<uint8_t, 8>& rows);
// `last` is the colour written at scan position 63 when the segments end at 63.
BlockSpec RunBlock(unsigned scanTable, const std::vector<RunSegment>& segments, uint8_t last = 0);
BlockSpec IntraBlock(int16_t dc, const std::array<int16_t, 64>& ac, unsigned q);
BlockSpec InterBlock(int dx, int dy, int16_t dc, const std::array<int16_t, 64>& ac, unsigned q);
BlockSpec ResidueBlock(int dx, int dy, const std::array<int8_t, 64>& residue, unsigned top,
                       unsigned eventLimit);
// A scaled block in an even row from the 8x8 block `inner` (its type becomes the sub-type).
BlockSpec ScaledBlock(BlockSpec inner);
BlockSpec ScaledSubType(uint8_t subType);  // a sub-type that draws nothing
BlockSpec ScaledContinuation();            // the odd-row type 1 below a scaled block

struct ChunkPolicy {
  bool wholePlane = false;  // one chunk for all remaining rows (as far as capacity allows)
  bool fill = true;         // the fill form where every element of a chunk is equal
  bool runs = true;         // run symbols for block types
};

struct PlaneSpec {
  uint32_t width = 8, height = 8;  // coded size, multiples of 8
  bool older = false;              // older colour mapping (colours 1..255 only)
  SymbolMapSpec blockTypes, subTypes, colourHigh[16], colourLow, patterns, xOffsets, yOffsets,
      runs;
  ChunkPolicy policy[9];
  std::vector<std::vector<BlockSpec>> rows;  // block rows, each its blocks left to right
};

// Relative frequencies of the block kinds in a generated plane.
struct BlockMix {
  unsigned skip = 1, motion = 1, run = 1, residue = 1, intra = 1, fill = 1, inter = 1, pattern = 1,
           raw = 1, ignored = 1, scaled = 1;
};
// A plane of `mix` blocks with values from a seeded generator. Vectors stay inside the coded
// area, and every scaled block has its continuation in the odd row below.
PlaneSpec MixedPlane(uint32_t width, uint32_t height, uint32_t seed, const BlockMix& mix = {});

// The plane's bits (header, chunks at row starts, blocks), not yet padded.
BitWriter WritePlaneBits(const PlaneSpec& plane);
std::vector<uint8_t> WritePlane(const PlaneSpec& plane);

// Frame video data: optional alpha (size word + plane), version i's luma size word, planes.
struct FrameData {
  bool alpha = false;
  std::vector<uint8_t> alphaPlane;
  std::vector<uint8_t> luma, chroma1, chroma2;  // chroma empty for grayscale
  bool older = false;
};
std::vector<uint8_t> WriteFrame(const FrameData& frame);

}  // namespace quortest

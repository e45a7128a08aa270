// Bit reader, symbol maps, coefficient and residue bit planes, and the inverse transforms.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <random>
#include <vector>

#include "bitstream_writer.h"
#include "quor_blocks.h"
#include "video/bit_reader.h"
#include "video/symbol_map.h"
#include "video/tables.h"

namespace {

using quortest::BitWriter;

QuorBitReader ReaderOver(const std::vector<uint8_t>& bytes) {
  QuorBitReader r;
  QuorBitReaderInit(&r, bytes.data(), bytes.size());
  return r;
}

// Appends a marker after a primitive's bits: reading it back proves the primitive read exactly
// the bits the writer wrote.
constexpr uint32_t kMarker = 0x5A3;
void PutMarker(BitWriter& w) { w.Put(kMarker, 12); }

TEST(VideoBitReader, TakesBitsLowFirstAndCountsWordsOnlyWhenConsumed) {
  const std::vector<uint8_t> bytes = {0x01, 0x00, 0x00, 0x80, 0xF0, 0x0F};  // a word and a half
  QuorBitReader r = ReaderOver(bytes);
  EXPECT_EQ(quorvideo::GetBit(r), 1u);
  EXPECT_EQ(quorvideo::GetBits(r, 30), 0u);
  EXPECT_EQ(quorvideo::GetBit(r), 1u);
  EXPECT_EQ(QuorBitReaderWordEnd(&r), 4u);
  EXPECT_EQ(quorvideo::Peek(r, 8), 0xF0u);  // a peek loads nothing
  EXPECT_EQ(QuorBitReaderWordEnd(&r), 4u);
  EXPECT_EQ(quorvideo::GetBits(r, 12), 0xFF0u);
  EXPECT_EQ(QuorBitReaderWordEnd(&r), 8u);
  EXPECT_EQ(quorvideo::GetBits(r, 20), 0u);  // past the data: zeros
  EXPECT_EQ(quorvideo::GetBits(r, 32), 0u);
  EXPECT_EQ(QuorBitReaderWordEnd(&r), 12u);
  EXPECT_EQ(quorvideo::GetSigned(r, 4), 0);
}

TEST(VideoSymbolMap, EveryFormDecodesToItsPermutation) {
  std::vector<quortest::SymbolMapSpec> maps = {
      quortest::IdentityMap(),
      quortest::ListMap(3, {7}),
      quortest::ListMap(15, {15, 0, 14, 1, 13, 2, 12, 3}),
      quortest::MergeMap(1, {1, 0, 3, 2, 4, 5, 7, 6, 9, 8, 10, 11, 13, 12, 15, 14}, 0),
      quortest::MergeMap(6, {2, 0, 3, 1, 7, 6, 5, 4, 8, 9, 10, 11, 12, 15, 13, 14}, 1),
      quortest::MergeMap(9, {7, 0, 5, 2, 3, 6, 1, 4, 15, 8, 14, 9, 13, 10, 12, 11}, 2),
      quortest::MergeMap(14, {15, 0, 14, 1, 13, 2, 12, 3, 11, 4, 10, 5, 9, 6, 8, 7}, 3),
  };
  for (size_t m = 0; m < maps.size(); ++m) {
    BitWriter w;
    quortest::WriteSymbolMap(w, maps[m]);
    PutMarker(w);
    const std::vector<uint8_t> bytes = w.Words();
    QuorBitReader r = ReaderOver(bytes);
    const quorvideo::SymbolMap map = quorvideo::ReadSymbolMap(r);
    EXPECT_EQ(map.table, maps[m].table) << "map " << m;
    EXPECT_TRUE(std::equal(map.symbol, map.symbol + 16, maps[m].symbol.begin())) << "map " << m;
    EXPECT_EQ(quorvideo::GetBits(r, 12), kMarker) << "map " << m;
  }
}

TEST(VideoSymbolMap, MergeReadsOneBitPerChoiceAndAppendsTheRest) {
  BitWriter w;
  w.Put(5, 4);  // table 5
  w.PutBit(false);
  w.Put(1, 2);  // depth 1
  w.PutBit(true);  // first pair swapped: P = 1 0 2 3 4 5 ...
  for (int i = 0; i < 7; ++i) w.PutBit(false);
  for (bool b : {true, false, true}) w.PutBit(b);  // 2 (B), 1 (A), 3 (B); then 0 without a bit
  for (int i = 0; i < 6; ++i) w.PutBit(false);     // three merges taking A, A
  PutMarker(w);
  const std::vector<uint8_t> bytes = w.Words();
  QuorBitReader r = ReaderOver(bytes);
  const quorvideo::SymbolMap map = quorvideo::ReadSymbolMap(r);
  const uint8_t expected[16] = {2, 1, 3, 0, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
  EXPECT_TRUE(std::equal(expected, expected + 16, map.symbol));
  EXPECT_EQ(quorvideo::GetBits(r, 12), kMarker);
  // Symbols decode through the table and the map.
  BitWriter s;
  quortest::SymbolMapSpec spec = quortest::MergeMap(5, {2, 1, 3, 0, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}, 1);
  for (unsigned v = 0; v < 16; ++v) quortest::PutSymbol(s, spec, v);
  const std::vector<uint8_t> symbols = s.Words();
  QuorBitReader sr = ReaderOver(symbols);
  const quorvideo::SymbolCode code = quorvideo::MakeSymbolCode(map);
  for (unsigned v = 0; v < 16; ++v) EXPECT_EQ(quorvideo::DecodeSymbol(sr, code), v);
}

std::array<int16_t, 64> Decode(const std::vector<uint8_t>& bytes, QuorBitReader& r) {
  std::array<int16_t, 64> c;
  c.fill(77);
  QuorDecodeCoefficients(c.data(), &r);
  EXPECT_EQ(c[0], 77) << "the DC position is the caller's";
  c[0] = 0;
  (void)bytes;
  return c;
}

TEST(VideoCoefficients, HandTracedPasses) {
  {  // b = 1: the single at coded index 2 (block position 8) is -1.
    BitWriter w;
    w.Put(1, 4);
    for (bool b : {false, false, false, false, true, true, false}) w.PutBit(b);
    PutMarker(w);
    const auto bytes = w.Words();
    QuorBitReader r = ReaderOver(bytes);
    const auto c = Decode(bytes, r);
    for (unsigned i = 1; i < 64; ++i) EXPECT_EQ(c[i], i == 8 ? -1 : 0) << i;
    EXPECT_EQ(quorvideo::GetBits(r, 12), kMarker);
  }
  {  // b = 1, the quad 4..7 decoded: 4 = +1, 5 and 6 prepended in the last pass stay 0, 7 = -1.
    BitWriter w;
    w.Put(1, 4);
    for (bool b : {true, false, false, true, true, false, true, false, false, false, false, false, false})
      w.PutBit(b);
    PutMarker(w);
    const auto bytes = w.Words();
    QuorBitReader r = ReaderOver(bytes);
    const auto c = Decode(bytes, r);
    for (unsigned i = 1; i < 64; ++i) EXPECT_EQ(c[i], i == 2 ? 1 : i == 11 ? -1 : 0) << i;
    EXPECT_EQ(quorvideo::GetBits(r, 12), kMarker);
  }
  {  // b = 0: four bits, nothing else.
    BitWriter w;
    w.Put(0, 4);
    PutMarker(w);
    const auto bytes = w.Words();
    QuorBitReader r = ReaderOver(bytes);
    const auto c = Decode(bytes, r);
    for (unsigned i = 1; i < 64; ++i) EXPECT_EQ(c[i], 0);
    EXPECT_EQ(quorvideo::GetBits(r, 12), kMarker);
  }
}

TEST(VideoCoefficients, RandomBlocksRoundTrip) {
  std::mt19937 rng(7);
  for (int trial = 0; trial < 300; ++trial) {
    std::array<int16_t, 64> block{};
    const int maxBits = 1 + trial % 15;
    const int density = 1 + trial % 6;
    for (unsigned i = 1; i < 64; ++i) {
      if (int(rng() % 8) >= density) continue;
      const int32_t magnitude = int32_t(rng() % (1u << maxBits));
      block[i] = int16_t(rng() & 1 ? -magnitude : magnitude);
    }
    BitWriter w;
    quortest::PutCoefficients(w, block);
    PutMarker(w);
    const auto bytes = w.Words();
    QuorBitReader r = ReaderOver(bytes);
    const auto c = Decode(bytes, r);
    ASSERT_EQ(c, block) << "trial " << trial;
    ASSERT_EQ(quorvideo::GetBits(r, 12), kMarker) << "trial " << trial;
  }
}

std::array<int8_t, 64> DecodeResidue(const BitWriter& w, uint32_t limit, bool marker = true) {
  BitWriter all = w;
  if (marker) PutMarker(all);
  const auto bytes = all.Words();
  QuorBitReader r = ReaderOver(bytes);
  std::array<int8_t, 64> out;
  QuorDecodeResidue(out.data(), &r, limit);
  if (marker) {
    EXPECT_EQ(quorvideo::GetBits(r, 12), kMarker);
  }
  return out;
}

TEST(VideoResidue, OnlyAddedMagnitudesAreEventsAndTheLimitStopsAtOnce) {
  {  // limit 0: decoding ends with the first value, the reader right after its sign bit.
    BitWriter w;
    w.Put(0, 3);
    for (bool b : {false, false, false, true, false, false}) w.PutBit(b);
    const auto out = DecodeResidue(w, 0);
    for (unsigned i = 0; i < 64; ++i) EXPECT_EQ(out[i], i == 0 ? 1 : 0);
  }
  {  // limit 1: a refinement bit of 0 is no event, so the next value is still decoded.
    BitWriter w;
    w.Put(1, 3);
    for (bool b : {false, false, false, true, false, false, true, true, true}) w.PutBit(b);  // m = 2
    for (bool b : {false, false, false, true, false}) w.PutBit(b);  // refine 0; 3, 2 no; 1 = +1
    const auto out = DecodeResidue(w, 1);
    for (unsigned i = 0; i < 64; ++i) EXPECT_EQ(out[i], i == 0 ? 2 : i == 1 ? 1 : 0) << i;
  }
  {  // +128 is stored as -128, so its refinement subtracts: -128 - 64 wraps to 64.
    BitWriter w;
    w.Put(7, 3);
    for (bool b : {false, false, false, true, false, false, true, true, true}) w.PutBit(b);
    w.PutBit(true);  // refinement at m = 64
    for (int i = 0; i < 6; ++i) w.PutBit(false);
    for (int pass = 0; pass < 6; ++pass)
      for (int i = 0; i < 7; ++i) w.PutBit(false);
    const auto out = DecodeResidue(w, 127);
    EXPECT_EQ(out[0], 64);
  }
}

TEST(VideoResidue, RandomBlocksRoundTripUnderEveryLimit) {
  std::mt19937 rng(11);
  for (int trial = 0; trial < 300; ++trial) {
    const unsigned top = trial % 7;
    std::array<int8_t, 64> block{};
    for (unsigned i = 0; i < 64; ++i) {
      if (rng() % 4) continue;
      const int magnitude = int(rng() % (2u << top));
      block[i] = int8_t(rng() & 1 ? -magnitude : magnitude);
    }
    const unsigned limit = trial % 3 == 0 ? 127 : rng() % 24;
    BitWriter w;
    const auto expected = quortest::PutResidue(w, block, top, limit);
    if (limit == 127) {
      EXPECT_EQ(expected, block);
    }
    ASSERT_EQ(DecodeResidue(w, limit), expected) << "trial " << trial;
  }
}

// A plain reference of the transform: separate column and row loops over block positions.
int64_t M(int64_t x, int64_t k) { return (x * k) >> 11; }
void Reference1D(const int64_t s[8], int64_t out[8]) {
  const int64_t a = s[0] + s[4], b = s[0] - s[4], g = s[2] + s[6];
  const int64_t d = M(s[2] - s[6], 2896) - g;
  const int64_t e0 = a + g, e3 = a - g, e1 = b + d, e2 = b - d;
  const int64_t z13 = s[3] + s[5], z10 = s[5] - s[3], z11 = s[1] + s[7], z12 = s[1] - s[7];
  const int64_t o7 = z11 + z13, z5 = M(z12 + z10, 3784);
  const int64_t o6 = M(z10, -5352) - o7 + z5, o5 = M(z11 - z13, 2896) - o6;
  const int64_t o4 = M(z12, 2217) - z5 + o5;
  const int64_t r[8] = {e0 + o7, e1 + o6, e2 + o5, e3 - o4, e3 + o4, e2 - o5, e1 - o6, e0 - o7};
  std::copy(r, r + 8, out);
}
std::array<uint8_t, 64> ReferenceIdct(const std::array<int16_t, 64>& c, const uint32_t* table) {
  int64_t d[64], col[64], out[64];
  for (int i = 0; i < 64; ++i) d[i] = (int64_t(c[i]) * table[i]) >> 11;
  for (int x = 0; x < 8; ++x) {
    int64_t s[8], r[8];
    for (int y = 0; y < 8; ++y) s[y] = d[y * 8 + x];
    Reference1D(s, r);
    for (int y = 0; y < 8; ++y) col[y * 8 + x] = r[y];
  }
  for (int y = 0; y < 8; ++y) Reference1D(col + y * 8, out + y * 8);
  std::array<uint8_t, 64> pixels;
  for (int i = 0; i < 64; ++i) pixels[i] = uint8_t((out[i] + 127) >> 8);
  return pixels;
}

TEST(VideoIdct, AllFormsMatchThePlainReference) {
  std::mt19937 rng(3);
  for (int trial = 0; trial < 200; ++trial) {
    std::array<int16_t, 64> c{};
    const unsigned q = trial % 16;
    c[0] = int16_t(rng() % 2048);
    const int count = trial % 12;
    for (int k = 0; k < count; ++k) c[1 + rng() % 63] = int16_t(int(rng() % 129) - 64);
    const auto intra = ReferenceIdct(c, quorvideo::kIntraQuant[q]);
    const auto inter = ReferenceIdct(c, quorvideo::kInterQuant[q]);
    uint8_t plane[16 * 20];
    QuorIdctPut(plane, 20, c.data(), q);
    for (int i = 0; i < 64; ++i) ASSERT_EQ(plane[(i / 8) * 20 + i % 8], intra[i]) << trial << " " << i;
    QuorIdctPutDouble(plane, 20, c.data(), q);
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) ASSERT_EQ(plane[y * 20 + x], intra[(y / 2) * 8 + x / 2]);
    uint8_t prediction[64];
    for (int i = 0; i < 64; ++i) prediction[i] = uint8_t(rng());
    QuorIdctAdd(plane, 20, c.data(), q, prediction);
    for (int i = 0; i < 64; ++i)
      ASSERT_EQ(plane[(i / 8) * 20 + i % 8], uint8_t(prediction[i] + inter[i])) << trial << " " << i;
  }
}

TEST(VideoIdct, FlatBlocksAndWrapping) {
  std::array<int16_t, 64> c{};
  uint8_t out[64];
  c[0] = 1024;
  QuorIdctPut(out, 8, c.data(), 0);
  for (uint8_t v : out) EXPECT_EQ(v, 128);
  c[0] = 2047;  // (2047 * 65536 / 2048 + 127) / 256 = 256: stored as its low 8 bits
  QuorIdctPut(out, 8, c.data(), 0);
  for (uint8_t v : out) EXPECT_EQ(v, 0);
  c[0] = 1024;
  uint8_t prediction[64];
  std::memset(prediction, 200, 64);
  QuorIdctAdd(out, 8, c.data(), 0, prediction);  // inter q0 DC also 65536
  for (uint8_t v : out) EXPECT_EQ(v, uint8_t(200 + 128));
  // Products that overflow 32 bits wrap like machine arithmetic (the sanitizer build checks
  // that nothing here is undefined).
  c.fill(-32768);
  QuorIdctPut(out, 8, c.data(), 15);
}

TEST(VideoResidueAdd, AddsModulo256AtScanPositions) {
  std::array<int8_t, 64> residue{};
  residue[0] = 100;
  residue[9] = -3;
  residue[63] = 1;
  BitWriter w;
  quortest::PutResidue(w, residue, 6, 127);
  const auto bytes = w.Words();
  QuorBitReader r = ReaderOver(bytes);
  uint8_t prediction[64];
  for (int i = 0; i < 64; ++i) prediction[i] = uint8_t(200 + i);
  uint8_t plane[8 * 10];
  QuorResidueAdd(plane, 10, &r, 127, prediction);
  for (int i = 0; i < 64; ++i)
    EXPECT_EQ(plane[(i / 8) * 10 + i % 8], uint8_t(prediction[i] + residue[i])) << i;
}

}  // namespace

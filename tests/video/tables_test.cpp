// The constant tables re-derived from their defining rules.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <numeric>
#include <string>
#include <vector>

#include "bitstream_writer.h"
#include "video/tables.h"

namespace {

using namespace quorvideo;

TEST(VideoTables, QuantisationFollowsFormulaAndExceptions) {
  const double s[16] = {1, 4.0 / 3, 5.0 / 3, 2, 8.0 / 3, 3.5, 4, 5, 6, 8, 12, 17, 22, 28, 34, 44};
  const int intraM[64] = {16, 16, 16, 19, 16, 19, 22, 22, 22, 22, 26, 24, 26, 22, 22, 27,
                          27, 27, 26, 26, 26, 29, 29, 29, 27, 27, 27, 26, 34, 34, 34, 29,
                          29, 29, 27, 27, 37, 34, 34, 32, 32, 29, 29, 38, 37, 35, 35, 34,
                          35, 40, 40, 40, 38, 38, 48, 48, 46, 46, 58, 56, 56, 69, 69, 83};
  const int interM[64] = {16, 17, 17, 18, 18, 18, 19, 19, 19, 19, 20, 20, 20, 20, 20, 21,
                          21, 21, 21, 21, 21, 22, 22, 22, 22, 22, 22, 22, 23, 23, 23, 23,
                          23, 23, 23, 23, 24, 24, 24, 25, 24, 24, 24, 25, 26, 26, 26, 26,
                          25, 27, 27, 27, 27, 27, 28, 28, 28, 28, 30, 30, 30, 31, 31, 33};
  const std::map<int, std::vector<int>> intraPlusOne = {
      {5, {33}}, {6, {48, 53}}, {7, {10, 21, 42}}, {9, {8, 24, 35}}, {10, {25, 48}},
      {11, {2, 6, 20, 24, 28, 33, 35}}, {12, {37, 40, 51, 59}}, {13, {2, 11, 12, 20, 29, 31, 48, 60}},
      {14, {1, 10, 11, 17, 18, 19, 21, 25, 26, 29, 42}}, {15, {21, 42, 44, 46, 48}}};
  const std::map<int, std::vector<int>> interPlusOne = {
      {0, {18}}, {1, {27}}, {3, {33}}, {4, {34}}, {7, {18}}, {8, {33}}, {9, {34, 61}},
      {10, {3, 37, 40}}, {11, {13, 16, 18, 20, 25, 43}}, {12, {14, 19, 26, 30, 33}},
      {13, {43, 48, 49}}, {14, {10, 19, 22, 26, 33, 54}}, {15, {12, 17, 22, 25, 27, 41, 55}}};
  auto a = [](int k) { return k == 0 ? 1.0 : std::sqrt(2.0) * std::cos(k * M_PI / 16); };
  auto check = [&](const uint32_t (*table)[64], const int* m,
                   const std::map<int, std::vector<int>>& plusOne, const char* family) {
    for (int q = 0; q < 16; ++q) {
      for (int i = 0; i < 64; ++i) {
        uint32_t expected = uint32_t(std::llround(s[q] * m[i] / 16 * a(i / 8) * a(i % 8) * 65536));
        auto it = plusOne.find(q);
        if (it != plusOne.end() && std::count(it->second.begin(), it->second.end(), i)) ++expected;
        EXPECT_EQ(table[q][i], expected) << family << " q" << q << " position " << i;
      }
    }
  };
  check(kIntraQuant, intraM, intraPlusOne, "intra");
  check(kInterQuant, interM, interPlusOne, "inter");
  // The rows the definition quotes.
  const uint32_t intra0[8] = {65536, 90901, 85627, 91511, 65536, 61146, 48768, 24862};
  const uint32_t inter0[8] = {65536, 96582, 90979, 86695, 73728, 57928, 42118, 21472};
  const uint32_t intra15[4] = {2883584, 3999646, 3767584, 4026499};
  EXPECT_TRUE(std::equal(intra0, intra0 + 8, kIntraQuant[0]));
  EXPECT_TRUE(std::equal(inter0, inter0 + 8, kInterQuant[0]));
  EXPECT_TRUE(std::equal(intra15, intra15 + 4, kIntraQuant[15]));
}

TEST(VideoTables, CodeLookupMatchesTheCodeListing) {
  unsigned offset = 0;
  for (unsigned t = 0; t < 16; ++t) {
    unsigned longest = 0;
    for (unsigned i = 0; i < 16; ++i)
      longest = std::max(longest, unsigned(std::string(quortest::CodeText(t, i)).size()));
    ASSERT_EQ(kCodeLongest[t], longest) << "table " << t;
    ASSERT_EQ(kCodeOffset[t], offset) << "table " << t;
    std::vector<int> expected(1u << longest, -1);
    for (unsigned i = 0; i < 16; ++i) {
      const std::string code = quortest::CodeText(t, i);
      unsigned value = 0;
      for (size_t k = 0; k < code.size(); ++k) value |= unsigned(code[k] == '1') << k;
      for (unsigned rest = 0; rest < (1u << (longest - code.size())); ++rest) {
        const unsigned peek = value | rest << code.size();
        ASSERT_EQ(expected[peek], -1) << "codes overlap in table " << t;
        expected[peek] = int(code.size() * 16 + i);
      }
    }
    for (unsigned p = 0; p < expected.size(); ++p)
      EXPECT_EQ(int(kCodeLookup[offset + p]), expected[p]) << "table " << t << " peek " << p;
    offset += 1u << longest;
  }
  EXPECT_EQ(offset, 976u);
}

TEST(VideoTables, ScanOrdersArePermutationsAndCoefficientScanWalksRegions) {
  auto isPermutation = [](const uint8_t* scan) {
    std::vector<uint8_t> v(scan, scan + 64);
    std::sort(v.begin(), v.end());
    for (unsigned i = 0; i < 64; ++i)
      if (v[i] != i) return false;
    return true;
  };
  EXPECT_TRUE(isPermutation(kCoefficientScan));
  for (unsigned s = 0; s < 16; ++s) EXPECT_TRUE(isPermutation(kRunScan[s])) << "run scan " << s;
  // Coded order: regions (row, column, rows, columns), each walked in 2x2 squares in reading
  // order, each square top-left, top-right, bottom-left, bottom-right.
  struct Region { unsigned row, column, rows, columns; };
  const Region regions[] = {{0, 0, 2, 2}, {0, 2, 2, 2}, {0, 4, 4, 4}, {2, 0, 2, 2},
                            {4, 0, 4, 4}, {2, 2, 2, 2}, {4, 4, 4, 4}};
  std::vector<uint8_t> derived;
  for (const Region& r : regions)
    for (unsigned sr = r.row; sr < r.row + r.rows; sr += 2)
      for (unsigned sc = r.column; sc < r.column + r.columns; sc += 2)
        for (unsigned k = 0; k < 4; ++k) derived.push_back(uint8_t((sr + k / 2) * 8 + sc + k % 2));
  EXPECT_TRUE(std::equal(derived.begin(), derived.end(), kCoefficientScan));
}

}  // namespace

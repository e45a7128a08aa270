// Number operations: fractions, reduction, decimal text both ways, grouped digits, frame-rate
// codes and durations in words.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "jov_strings.h"
#include "text_buffer.h"

namespace {

TEST(Atofr, ReadsExactReducedFractions) {
  const struct {
    const char* text;
    int32_t numerator;
    int32_t denominator;
    std::size_t consumed;
  } cases[] = {
      {"2.50", 5, 2, 4},
      {"-0.5", -1, 2, 4},
      {"24;1.001", 24000, 1001, 8},
      {"30000;1001", 30000, 1001, 10},
      {"29.97", 2997, 100, 5},
      {".5x", 1, 2, 2},
      {"12.5;", 25, 2, 4},      // ';' needs a digit directly behind it
      {"7;.5", 7, 1, 1},
      {"5;0", 5, 1, 3},         // a zero divisor leaves a zero denominator, returned as 1
      {"0.000", 0, 1000, 5},    // zero is not reduced
      {"x12", 0, 1, 0},         // a letter: nothing consumed
      {"+3", 0, 1, 0},
      {"", 0, 1, 0},
      {"1.25;2.5", 1, 2, 8},    // (5/4) / (5/2)
      // 10^32 wraps to 0 modulo 2^32: the denominator comes back as 1.
      {"0.00000000000000000000000000000001", 1, 1, 34},
  };
  for (const auto& c : cases) {
    int32_t n = 99;
    int32_t d = 99;
    const char* end = atofr(c.text, &n, &d);
    EXPECT_EQ(n, c.numerator) << c.text;
    EXPECT_EQ(d, c.denominator) << c.text;
    EXPECT_EQ(static_cast<std::size_t>(end - c.text), c.consumed) << c.text;
  }
}

TEST(Atofr, WrapsLongDigitRunsModulo2To32) {
  const struct {
    const char* text;
    uint64_t numerator;
    uint64_t denominator;
  } cases[] = {
      {"4294967302", 6, 1},                                  // 2^32 + 6
      {"99999999999", 99999999999ull % (1ull << 32), 1},
      {"1.0000000000", 1, 1},                                // 10^10 wraps to 1410065408
      {"3.0000000000", 3, 1},
  };
  for (const auto& c : cases) {
    int32_t n = 0;
    int32_t d = 0;
    atofr(c.text, &n, &d);
    EXPECT_EQ(static_cast<uint32_t>(n), c.numerator) << c.text;
    EXPECT_EQ(static_cast<uint32_t>(d), c.denominator) << c.text;
  }
}

TEST(GCDNums, ReducesAsUnsignedAndLeavesZeroAlone) {
  const struct {
    int32_t n, d, reducedN, reducedD;
  } cases[] = {
      {12, 18, 2, 3},
      {1001, 1001, 1, 1},
      {0, 5, 0, 5},
      {7, 0, 7, 0},
      {-2, 4, 0x7FFFFFFF, 2},  // 0xFFFFFFFE and 4 share the divisor 2
      {-1, 3, 0x55555555, 1},  // 0xFFFFFFFF is 3 x 0x55555555
  };
  for (const auto& c : cases) {
    int32_t n = c.n;
    int32_t d = c.d;
    GCDNums(&n, &d);
    EXPECT_EQ(n, c.reducedN) << c.n << "/" << c.d;
    EXPECT_EQ(d, c.reducedD) << c.n << "/" << c.d;
  }
}

TEST(Decimal, WritesSignedAndReadsBack) {
  const struct {
    uint32_t value;
    const char* text;
  } cases[] = {
      {0, "0"}, {7, "7"}, {2147483647u, "2147483647"}, {0x80000000u, "-2147483648"},
      {0xFFFFFFFFu, "-1"}, {1000000u, "1000000"},
  };
  for (const auto& c : cases) {
    char text[16];
    std::memset(text, 'z', sizeof text);
    char* end = u32toa(text, c.value);
    EXPECT_STREQ(text, c.text);
    EXPECT_EQ(end, text + std::strlen(c.text));
    EXPECT_EQ(atou32(text), c.value) << c.text;
  }
  EXPECT_EQ(atou32(" \t-42x"), static_cast<uint32_t>(-42));
  EXPECT_EQ(atou32("+17"), 17u);
  EXPECT_EQ(atou32("x1"), 0u);
  EXPECT_EQ(atou32("4294967296"), 0u);  // wraps instead of overflowing
}

TEST(CommaNum, GroupsOfThreeFromTheRight) {
  const struct {
    uint32_t value;
    const char* text;
  } cases[] = {
      {0, "0"}, {999, "999"}, {1000, "1,000"}, {12345, "12,345"}, {100000, "100,000"},
      {1000000, "1,000,000"}, {4294967295u, "4,294,967,295"},
  };
  for (const auto& c : cases) {
    char text[16];
    CommaNum(text, c.value);
    EXPECT_STREQ(text, c.text);
  }
}

TEST(MakeFrameRate, CodesToHundredths) {
  const struct {
    int32_t code;
    uint32_t rate;
  } cases[] = {
      {0, 0},        {-15, 1500},     {-1, 100},        {-1500, 150000}, {-1501, 1501},
      {-3000, 3000}, {100, 1000},     {1, 100000},      {33, 3030},      {1000000, 5},
      {30000, 5},    {20000, 5},      {19999, 5},       {INT32_MIN, 2147483648u},
  };
  for (const auto& c : cases) EXPECT_EQ(MakeFrameRate(c.code), c.rate) << c.code;
}

TEST(GetElapsedTime, DurationsInWords) {
  const struct {
    uint32_t ms;
    const char* text;
  } cases[] = {
      {0, "0 milliseconds"},
      {1, "1 millisecond"},
      {999, "999 milliseconds"},
      {1000, "1 second"},
      {1999, "1 second"},
      {59999, "59 seconds"},
      {60000, "1 minute 0 seconds"},
      {61000, "1 minute 1 second"},
      {150000, "2 minutes 30 seconds"},
      {3600000, "1 hour 0 minutes"},
      {7260000, "2 hours 1 minute"},
      {4294967295u, "1193 hours 2 minutes"},
  };
  for (const auto& c : cases) {
    char text[64];
    EXPECT_EQ(GetElapsedTime(text, c.ms), text);
    EXPECT_STREQ(text, c.text) << c.ms;
  }
}

}  // namespace

// StretchSize: target sizes and the stretch kinds they record.
#include <gtest/gtest.h>

#include "stretch_size.h"

namespace quorplay {
namespace {

TEST(StretchSize, TargetsAndKinds) {
  const struct {
    int32_t numerator, denominator;
    uint32_t size, target, kind;  // kind as a multiple of the kind bit
  } cases[] = {
      {0, 0, 320, 320, 0},    {0, 1, 320, 320, 0},     {640, 0, 320, 320, 0},   // absent
      {-1, 1, 320, 1024, 4},  // the screen: an enlargement by no whole factor
      {-2, 1, 320, 640, 8},   {-3, 2, 320, 480, 4},    {-1, 2, 320, 160, 2},
      {-1, 3, 320, 106, 1},   {960, 1, 320, 960, 8},   {160, 1, 320, 160, 2},
      {400, 1, 320, 400, 4},  {300, 1, 320, 300, 1},   {320, 1, 320, 320, 0},
      {1, 2, 320, 320, 0},    // less than a pixel: the size stays
  };
  for (const auto& c : cases) {
    for (const uint32_t kindBit : {kWidthKind, kHeightKind}) {
      uint32_t flags = 0x5;  // other bits stay
      EXPECT_EQ(StretchSize(c.numerator, c.denominator, c.size, 1024, kindBit, flags), c.target)
          << c.numerator << "/" << c.denominator;
      EXPECT_EQ(flags, 0x5 | kindBit * c.kind) << c.numerator << "/" << c.denominator;
    }
  }
}

TEST(StretchSize, LargeScalesDoNotOverflow) {
  uint32_t flags = 0;
  EXPECT_EQ(StretchSize(-2000000000, 1000000000, 3000000, 1024, kWidthKind, flags), 6000000u);
}

}  // namespace
}  // namespace quorplay

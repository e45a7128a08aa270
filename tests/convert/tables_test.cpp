// The constant tables against their defining formulas and the published telling values.
#include <gtest/gtest.h>

#include <algorithm>

#include "tables.h"

namespace quor::convert {
namespace {

TEST(ConversionTables, MatchTheirFormulas) {
  for (int i = 0; i < 256; ++i) {
    SCOPED_TRACE(i);
    // Integer division in C++ rounds towards zero, as the formulas ask.
    EXPECT_EQ(kLuma[i], std::min(std::max(i - 16, 0), 219) * 38154 / 32768);
    EXPECT_EQ(kBlueFromU[i], (66101 * i - 8460928) / 32768);
    EXPECT_EQ(kGreenFromU[i], (1643136 - 12837 * i) / 32768);
    EXPECT_EQ(kGreenFromV[i], (3409792 - 26639 * i) / 32768);
    EXPECT_EQ(kRedFromV[i], (52299 * i - 6694272) / 32768);
    EXPECT_EQ(kGray[i], i <= 16 ? 0 : i >= 235 ? 255 : 255 * (i - 16) / 219);
  }
}

TEST(ConversionTables, TellingValues) {
  EXPECT_EQ(kLuma[16], 0);
  EXPECT_EQ(kLuma[128], 130);
  EXPECT_EQ(kLuma[235], 254);
  EXPECT_EQ(kLuma[255], 254);
  EXPECT_EQ(kLuma[89], 84);
  EXPECT_EQ(kBlueFromU[0], -258);
  EXPECT_EQ(kBlueFromU[128], 0);
  EXPECT_EQ(kBlueFromU[255], 256);
  EXPECT_EQ(kGreenFromU[0], 50);
  EXPECT_EQ(kGreenFromV[0], 104);
  EXPECT_EQ(kRedFromV[0], -204);
  EXPECT_EQ(kRedFromV[255], 202);
  EXPECT_EQ(kGray[89], 85);
}

}  // namespace
}  // namespace quor::convert

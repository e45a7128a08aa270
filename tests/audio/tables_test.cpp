#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "audio_tables.h"
#include "block_layout.h"

namespace quor::audio {
namespace {

TEST(AudioTables, BandScalesFollowTheirFormula) {
  const double factor = static_cast<double>(0.0664f);
  for (int index = 0; index < 256; ++index) {
    EXPECT_EQ(kBandScales[index], static_cast<float>(std::pow(10.0, factor * index))) << index;
  }
}

TEST(AudioTables, BandsAndRunsAscend) {
  for (size_t k = 1; k < kCriticalBandHz.size(); ++k) EXPECT_LT(kCriticalBandHz[k - 1], kCriticalBandHz[k]);
  for (size_t k = 1; k < kRunLengthEighths.size(); ++k) EXPECT_LT(kRunLengthEighths[k - 1], kRunLengthEighths[k]);
  EXPECT_EQ(kCriticalBandHz.front(), 0u);
  EXPECT_EQ(kCriticalBandHz.back(), 15500u);
  EXPECT_EQ(kRunLengthEighths.front(), 2);
  EXPECT_EQ(kRunLengthEighths.back(), 64);  // the longest run: 512 coefficients
}

std::vector<uint32_t> Boundaries(const BlockLayout& layout) {
  return {layout.boundaries.begin(), layout.boundaries.begin() + layout.bandCount + 1};
}

TEST(AudioLayout, BandBoundariesOfTheWorkedExamples) {
  const std::vector<uint32_t> stereo44 = {1,   4,   9,   13,  18,  23,  29,  35,  42,  50,  58,  68,  79,
                                          92,  107, 125, 146, 171, 204, 246, 297, 357, 441, 557, 719, 2048};
  const auto full = MakeBlockLayout(44100, 2);
  ASSERT_TRUE(full);
  EXPECT_EQ(full->length, 4096u);
  EXPECT_EQ(full->overlap, 256u);
  EXPECT_EQ(full->bandCount, 25u);
  EXPECT_EQ(Boundaries(*full), stereo44);

  std::vector<uint32_t> mono22(stereo44.begin(), stereo44.begin() + 23);
  mono22.push_back(512);
  const auto half = MakeBlockLayout(22050, 1);
  ASSERT_TRUE(half);
  EXPECT_EQ(half->length, 1024u);
  EXPECT_EQ(half->bandCount, 23u);
  EXPECT_EQ(Boundaries(*half), mono22);

  const auto quarter = MakeBlockLayout(11025, 1);
  ASSERT_TRUE(quarter);
  EXPECT_EQ(quarter->length, 512u);
  EXPECT_EQ(quarter->bandCount, 20u);
  EXPECT_EQ(quarter->boundaries[19], 246u);
  EXPECT_EQ(quarter->boundaries[20], 256u);
}

TEST(AudioLayout, LengthsAndBandCoverageForEveryRate) {
  struct Row {
    uint32_t rate, channels, length;
  };
  for (const Row row : {Row{8000, 1, 512}, Row{11025, 2, 1024}, Row{22049, 1, 512}, Row{22050, 2, 2048},
                        Row{44099, 1, 1024}, Row{44100, 1, 2048}, Row{48000, 2, 4096}, Row{1, 1, 512},
                        Row{65535, 2, 4096}}) {
    const auto layout = MakeBlockLayout(row.rate, row.channels);
    ASSERT_TRUE(layout) << row.rate;
    EXPECT_EQ(layout->length, row.length) << row.rate;
    EXPECT_EQ(layout->overlap, row.length / 16);
    // Bands start at bin 1, never descend and end at n / 2: every coefficient 2..n-1 is covered.
    ASSERT_GE(layout->bandCount, 1u);
    EXPECT_EQ(layout->boundaries[0], 1u) << row.rate;
    for (uint32_t k = 0; k < layout->bandCount; ++k) EXPECT_LE(layout->boundaries[k], layout->boundaries[k + 1]);
    EXPECT_EQ(layout->boundaries[layout->bandCount], row.length / 2);
  }
}

TEST(AudioLayout, RejectsUnusableFormats) {
  EXPECT_FALSE(MakeBlockLayout(0, 1));  // would take no band at all
  EXPECT_FALSE(MakeBlockLayout(22050, 0));
  EXPECT_FALSE(MakeBlockLayout(22050, 3));
  EXPECT_FALSE(MakeBlockLayout(70000, 1));
}

}  // namespace
}  // namespace quor::audio

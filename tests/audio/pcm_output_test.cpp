#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "pcm_output.h"

namespace quor::audio {
namespace {

TEST(AudioPcm, RoundsTiesToEvenAndSaturates) {
  struct Row {
    float value;
    int16_t expected;
  };
  const float inf = std::numeric_limits<float>::infinity();
  const std::vector<Row> rows = {
      {0.5f, 0},         {1.5f, 2},          {2.5f, 2},          {-0.5f, 0},         {-1.5f, -2},
      {-2.5f, -2},       {0.49999997f, 0},   {1.2f, 1},          {-1.7f, -2},        {32766.5f, 32766},
      {32767.4f, 32767}, {32767.5f, 32767},  {32768.0f, 32767},  {1e25f, 32767},     {inf, 32767},
      {-32767.5f, -32768}, {-32768.5f, -32768}, {-1e30f, -32768}, {-inf, -32768},
      {std::numeric_limits<float>::quiet_NaN(), 32767},
  };
  // Nine copies of each value: eight go through the wide path, the ninth through the narrow one.
  for (const Row& row : rows) {
    std::vector<int16_t> out(9);
    ConvertToPcm(std::vector<float>(9, row.value), 1.0f, out);
    EXPECT_EQ(out, std::vector<int16_t>(9, row.expected)) << row.value;
  }

  // The scale applies before rounding.
  std::vector<int16_t> scaled(1);
  ConvertToPcm(std::vector<float>{5.0f}, 0.5f, scaled);
  EXPECT_EQ(scaled[0], 2);
}

TEST(AudioPcm, CrossFadeFloorsTheWeightedMean) {
  const uint32_t v = 16;
  std::vector<int16_t> tail(v), head(v);
  for (uint32_t i = 0; i < v; ++i) {
    tail[i] = static_cast<int16_t>(i % 2 ? -32768 : 32767);
    head[i] = static_cast<int16_t>(-7 * static_cast<int>(i) + 3);
  }
  std::vector<int16_t> expected(v);
  for (uint32_t i = 0; i < v; ++i) {
    const double mean = (static_cast<double>(v - i) * tail[i] + static_cast<double>(i) * head[i]) / v;
    expected[i] = static_cast<int16_t>(std::floor(mean));
  }
  CrossFade(head, tail);
  EXPECT_EQ(head, expected);
  EXPECT_EQ(head[0], tail[0]);  // starts fully on the tail
}

}  // namespace
}  // namespace quor::audio

// Converted colours of uniform pictures, per format: the ends of every channel's range, gray
// output, alpha handling and the older chroma roles.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "convert.h"
#include "test_picture.h"

namespace quor {
namespace {

using test::Surface;
using test::TestPicture;

struct ColourCase {
  const char* what;
  uint8_t y, p1, p2;  // luma, plane 1 (V for new streams), plane 2 (U)
  bool alpha;         // the picture has an alpha plane of value 0x9C
  uint32_t flags;     // format code and flag bits
  std::vector<uint8_t> pixel;  // the bytes of two neighbouring output pixels
};

class ColourTest : public ::testing::TestWithParam<ColourCase> {};

TEST_P(ColourTest, UniformPictureGivesExpectedPixels) {
  const ColourCase& c = GetParam();
  // Wide enough for the vector routines' full steps and their plain tails.
  constexpr uint32_t kPairs = 37;
  TestPicture picture(2 * kPairs, 2, c.alpha);
  picture.Fill(c.y, c.p1, c.p2, 0x9C);
  const uint32_t bytesPerPair = static_cast<uint32_t>(c.pixel.size());
  Surface surface(kPairs * bytesPerPair, 2);
  // Run once through the plain path and once through the vector path: same pixels.
  for (uint32_t scalar : {0u, uint32_t{kConvertScalarOnly}}) {
    ASSERT_EQ(ConvertPicture(picture.Source(), surface.bytes.data(), surface.pitch, 2, 0, 0,
                             c.flags | scalar),
              1);
    for (uint32_t row = 0; row < 2; ++row)
      for (uint32_t pair = 0; pair < kPairs; ++pair)
        EXPECT_EQ(std::vector<uint8_t>(surface.Row(row) + pair * bytesPerPair,
                                       surface.Row(row) + (pair + 1) * bytesPerPair),
                  c.pixel)
            << "row " << row << " pair " << pair << (scalar ? " plain" : " vector");
  }
}

std::vector<uint8_t> Word2(uint16_t w) {
  const auto lo = static_cast<uint8_t>(w), hi = static_cast<uint8_t>(w >> 8);
  return {lo, hi, lo, hi};
}

std::vector<uint8_t> Twice(std::vector<uint8_t> p) {
  auto q = p;
  q.insert(q.end(), p.begin(), p.end());
  return q;
}

const uint32_t kGray = kConvertGrayscale;
const uint32_t kOlder = kConvertOlderStream;

INSTANTIATE_TEST_SUITE_P(
    Formats, ColourTest,
    ::testing::Values(
        ColourCase{"black", 16, 128, 128, false, 3, Twice({0, 0, 0, 0})},
        ColourCase{"white", 235, 128, 128, false, 3, Twice({254, 254, 254, 0})},
        ColourCase{"luma above white", 255, 128, 128, false, 3, Twice({254, 254, 254, 0})},
        ColourCase{"gray white", 235, 0, 0, false, 3 | kGray, Twice({255, 255, 255, 0})},
        ColourCase{"gray black", 16, 0, 255, false, 3 | kGray, Twice({0, 0, 0, 0})},
        ColourCase{"gray mid", 89, 10, 240, false, 4 | kGray, Twice({85, 85, 85, 0})},
        // Lowest sums: blue 0 - 258, red 0 - 204; green 0 + 50 + 104.
        ColourCase{"lowest blue and red", 0, 0, 0, false, 3, Twice({0, 154, 0, 0})},
        // Highest sums: blue 254 + 256, red 254 + 202; green 254 - 49 - 103.
        ColourCase{"highest blue and red", 255, 255, 255, false, 3, Twice({255, 102, 255, 0})},
        ColourCase{"lowest green", 0, 255, 255, false, 3, Twice({255, 0, 202, 0})},
        ColourCase{"highest green", 255, 0, 0, false, 3, Twice({0, 255, 50, 0})},
        ColourCase{"R G B order", 0, 255, 255, false, 4, Twice({202, 0, 255, 0})},
        ColourCase{"24-bit B G R", 0, 255, 255, false, 1, Twice({255, 0, 202})},
        ColourCase{"24-bit R G B", 0, 255, 255, false, 2, Twice({202, 0, 255})},
        ColourCase{"alpha byte", 0, 255, 255, true, 5, Twice({255, 0, 202, 0x9C})},
        ColourCase{"alpha byte R G B", 0, 255, 255, true, 6, Twice({202, 0, 255, 0x9C})},
        ColourCase{"5 without alpha is 3", 0, 255, 255, false, 5, Twice({255, 0, 202, 0})},
        ColourCase{"6 without alpha is 4", 0, 255, 255, false, 6, Twice({202, 0, 255, 0})},
        // r 202, g 0, b 255 in each 16-bit layout.
        ColourCase{"4-4-4-4", 0, 255, 255, true, 7, Word2(0x9C0F)},
        ColourCase{"4-4-4 without alpha", 0, 255, 255, false, 7, Word2(0x0C0F)},
        ColourCase{"1-5-5-5", 0, 255, 255, true, 8, Word2(0xE41F)},
        ColourCase{"8 without alpha is 5-5-5", 0, 255, 255, false, 8, Word2(0x641F)},
        ColourCase{"5-5-5", 0, 255, 255, true, 9, Word2(0x641F)},
        ColourCase{"5-6-5", 0, 255, 255, false, 10, Word2(0xC81F)},
        ColourCase{"6-5-5", 0, 255, 255, false, 11, Word2(0xC81F)},
        ColourCase{"6-6-4", 0, 255, 255, false, 12, Word2(0xC80F)},
        // Gray 130 in the 16-bit layouts tells the green field's width and place.
        ColourCase{"gray 5-6-5", 128, 128, 128, false, 10, Word2(0x8410)},
        ColourCase{"gray 6-5-5", 128, 128, 128, false, 11, Word2(0x8210)},
        ColourCase{"gray 6-6-4", 128, 128, 128, false, 12, Word2(0x8208)},
        ColourCase{"gray 5-5-5", 128, 128, 128, false, 9, Word2(0x4210)},
        ColourCase{"gray 4-4-4", 128, 128, 128, false, 7, Word2(0x0888)},
        ColourCase{"YUY2", 50, 80, 70, false, 13, {50, 70, 50, 80}},
        ColourCase{"UYVY", 50, 80, 70, false, 14, {70, 50, 80, 50}},
        ColourCase{"YUY2 gray", 50, 80, 70, false, 13 | kGray, {50, 128, 50, 128}},
        ColourCase{"UYVY gray", 50, 80, 70, false, 14 | kGray, {128, 50, 128, 50}},
        ColourCase{"YUY2 older roles", 50, 80, 70, false, 13 | kOlder, {50, 80, 50, 70}},
        // Older streams: plane 1 takes the 1.596 and 0.813 coefficients for blue and green.
        ColourCase{"new roles", 128, 200, 128, false, 3, Twice({130, 72, 244, 0})},
        ColourCase{"older roles", 128, 200, 128, false, 3 | kOlder, Twice({244, 72, 130, 0})},
        ColourCase{"older roles 5-6-5", 128, 200, 128, false, 10 | kOlder,
                   Word2((244 >> 3) | (72 >> 2) << 5 | (130 >> 3) << 11)}),
    [](const auto& info) {
      std::string name = info.param.what;
      for (char& ch : name)
        if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
      return name;
    });

TEST(Convert, FormatZeroWritesNothing) {
  TestPicture picture(8, 8);
  picture.Randomize(1);
  Surface surface(32, 8);
  EXPECT_EQ(ConvertPicture(picture.Source(), surface.bytes.data(), 32, 8, 0, 0, 0), 1);
  EXPECT_EQ(surface.bytes, std::vector<uint8_t>(surface.bytes.size(), Surface::kSentinel));
}

TEST(Convert, RejectsUnusableArguments) {
  TestPicture picture(8, 8);
  Surface surface(32, 8);
  ConvertSource src = picture.Source();
  EXPECT_EQ(ConvertPicture(src, nullptr, 32, 8, 0, 0, 3), 0);
  ConvertSource tooWide = src;
  tooWide.width = src.lumaStride + 1;
  EXPECT_EQ(ConvertPicture(tooWide, surface.bytes.data(), 32, 8, 0, 0, 3), 0);
  ConvertSource tooHigh = src;
  tooHigh.height = src.lumaRows + 2;
  EXPECT_EQ(ConvertPicture(tooHigh, surface.bytes.data(), 32, 8, 0, 0, 3), 0);
  ConvertSource noChroma = src;
  noChroma.plane2 = nullptr;
  EXPECT_EQ(ConvertPicture(noChroma, surface.bytes.data(), 32, 8, 0, 0, 3), 0);
  EXPECT_EQ(surface.bytes, std::vector<uint8_t>(surface.bytes.size(), Surface::kSentinel));
}

}  // namespace
}  // namespace quor

// Changed-area conversion: the changed 16x16 areas match the whole-picture conversion and
// nothing else is written.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "convert.h"
#include "test_picture.h"

namespace quor {
namespace {

using test::Surface;
using test::TestPicture;

struct MapCase {
  uint32_t code, bytes, mode, fx, fy;
};

TEST(ChangeMap, OnlyChangedAreasAreWritten) {
  // 70 x 45: the last column and row of areas are partly outside the coded picture.
  constexpr uint32_t kW = 70, kH = 45;
  const MapCase cases[] = {{3, 4, 0, 1, 1}, {1, 3, 0, 1, 1},  {10, 2, 0, 1, 1}, {13, 2, 0, 1, 1},
                           {3, 4, 4, 2, 2}, {14, 2, 3, 2, 1}, {9, 2, 6, 1, 1},  {6, 4, 5, 2, 2}};
  for (const MapCase& c : cases) {
    SCOPED_TRACE("format " + std::to_string(c.code) + " mode " + std::to_string(c.mode));
    TestPicture picture(kW, kH, true);
    picture.Randomize(c.code * 10 + c.mode);
    const uint32_t blocks = picture.blocksPerRow();
    const uint32_t mapRows = picture.rows() / 16;
    // A scattered pattern: single areas, neighbours, the right and bottom edges.
    for (uint32_t i = 0; i < blocks * mapRows; ++i) picture.map()[i] = (i * 7 + i / blocks) % 3 == 0;
    picture.map()[blocks * mapRows - 1] = 1;

    const uint32_t flags = c.code | (c.mode << kConvertModeShift);
    Surface whole(kW * c.fx * c.bytes, kH * c.fy);
    ConvertSource full = picture.Source();
    full.changeMap = nullptr;
    ASSERT_EQ(ConvertPicture(full, whole.bytes.data(), whole.pitch, whole.rows, 0, 0, flags), 1);
    Surface part(whole.pitch, whole.rows);
    ASSERT_EQ(ConvertPicture(picture.Source(), part.bytes.data(), part.pitch, part.rows, 0, 0,
                             flags),
              1);
    size_t changedBytes = 0;
    for (uint32_t line = 0; line < part.rows; ++line) {
      const uint32_t mapRow = line / c.fy / 16;
      for (uint32_t px = 0; px < kW * c.fx; ++px) {
        const bool changed = picture.map()[mapRow * blocks + px / c.fx / 16] != 0;
        for (uint32_t b = 0; b < c.bytes; ++b) {
          const size_t at = size_t{line} * part.pitch + px * c.bytes + b;
          ASSERT_EQ(part.bytes[at], changed ? whole.bytes[at] : Surface::kSentinel)
              << "line " << line << " pixel " << px;
          changedBytes += changed && whole.bytes[at] != Surface::kSentinel;
        }
      }
    }
    EXPECT_GT(changedBytes, 0u);
  }
}

TEST(ChangeMap, FullMapOrForceFullConvertsEverything) {
  TestPicture picture(40, 24);
  picture.Randomize(3);
  Surface whole(40 * 4, 24);
  ConvertSource noMap = picture.Source();
  noMap.changeMap = nullptr;
  ASSERT_EQ(ConvertPicture(noMap, whole.bytes.data(), whole.pitch, 24, 0, 0, 3), 1);

  // Every area changed (the fixture's map starts so).
  Surface all(whole.pitch, 24);
  ASSERT_EQ(ConvertPicture(picture.Source(), all.bytes.data(), all.pitch, 24, 0, 0, 3), 1);
  EXPECT_EQ(all.bytes, whole.bytes);

  // Nothing changed, but the force-full bit.
  std::fill(picture.map(), picture.map() + picture.blocksPerRow() * (picture.rows() / 16), 0);
  Surface none(whole.pitch, 24);
  ASSERT_EQ(ConvertPicture(picture.Source(), none.bytes.data(), none.pitch, 24, 0, 0, 3), 1);
  EXPECT_EQ(none.bytes, std::vector<uint8_t>(none.bytes.size(), Surface::kSentinel));
  Surface forced(whole.pitch, 24);
  ASSERT_EQ(ConvertPicture(picture.Source(), forced.bytes.data(), forced.pitch, 24, 0, 0,
                           3 | kConvertForceFull),
            1);
  EXPECT_EQ(forced.bytes, whole.bytes);
}

}  // namespace
}  // namespace quor

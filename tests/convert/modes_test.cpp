// Display modes, bottom-up buffers, destination offsets and clipping, each checked against the
// plain single-size conversion of the same picture.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "convert.h"
#include "test_picture.h"

namespace quor {
namespace {

using test::Surface;
using test::TestPicture;

struct Format {
  uint32_t code;
  uint32_t bytes;  // per pixel
};

constexpr Format kFormats[] = {{3, 4}, {1, 3}, {10, 2}, {7, 2}, {13, 2}, {14, 2}};
constexpr uint32_t kWidth = 37, kHeight = 13;

uint32_t Flags(uint32_t code, uint32_t mode) { return code | (mode << kConvertModeShift); }

// The mode-0 conversion, one vector of bytes per line.
std::vector<std::vector<uint8_t>> Reference(TestPicture& picture, Format f, uint32_t extra = 0) {
  Surface s(picture.width() * f.bytes, picture.height());
  EXPECT_EQ(ConvertPicture(picture.Source(), s.bytes.data(), s.pitch, s.rows, 0, 0,
                           f.code | extra | kConvertForceFull),
            1);
  std::vector<std::vector<uint8_t>> lines;
  for (uint32_t r = 0; r < s.rows; ++r) lines.emplace_back(s.Row(r), s.Row(r) + s.pitch);
  return lines;
}

// A reference line with every pixel twice; packed YUV pairs (Y0 U Y1 V) become (Y0 U Y0 V)
// (Y1 U Y1 V), UYVY likewise.
std::vector<uint8_t> Widen(const std::vector<uint8_t>& line, Format f) {
  std::vector<uint8_t> out;
  if (f.code == 13 || f.code == 14) {
    const int y0 = f.code == 13 ? 0 : 1, y1 = y0 + 2;
    for (size_t i = 0; i + 4 <= line.size(); i += 4) {
      uint8_t pair[4];
      std::memcpy(pair, &line[i], 4);
      pair[y1] = line[i + y0];
      out.insert(out.end(), pair, pair + 4);
      pair[y0] = pair[y1] = line[i + y1];
      out.insert(out.end(), pair, pair + 4);
    }
    out.resize(line.size() * 2, Surface::kSentinel);  // an odd last pixel is not converted
    return out;
  }
  for (size_t i = 0; i < line.size(); i += f.bytes)
    for (int k = 0; k < 2; ++k) out.insert(out.end(), line.begin() + i, line.begin() + i + f.bytes);
  return out;
}

std::vector<uint8_t> Untouched(size_t n) { return std::vector<uint8_t>(n, Surface::kSentinel); }

std::vector<uint8_t> Line(Surface& s, uint32_t r) {
  return std::vector<uint8_t>(s.Row(r), s.Row(r) + s.pitch);
}

TEST(DisplayModes, LinesAndColumnsFollowTheModeTable) {
  for (Format f : kFormats) {
    TestPicture picture(kWidth, kHeight);
    picture.Randomize(f.code);
    const auto ref = Reference(picture, f);
    // Mode 6 takes source line 2j's chroma from chroma row 2 x (j / 2): the reference for it is
    // the same picture with chroma row c replaced by row 2 x (c / 2).
    TestPicture mode6Picture = picture;
    for (uint32_t c = 0; c < mode6Picture.rows() / 2; ++c)
      for (uint32_t x = 0; x < mode6Picture.chromaStride(); ++x) {
        mode6Picture.P1(x, c) = picture.P1(x, c / 2 * 2);
        mode6Picture.P2(x, c) = picture.P2(x, c / 2 * 2);
      }
    const auto ref6 = Reference(mode6Picture, f);

    struct ModeCase {
      uint32_t mode, fx, fy;
    };
    for (ModeCase m : {ModeCase{1, 1, 2}, {2, 1, 2}, {3, 2, 1}, {4, 2, 2}, {5, 2, 2}, {6, 1, 1}}) {
      for (uint32_t scalar : {0u, uint32_t{kConvertScalarOnly}}) {
        SCOPED_TRACE("format " + std::to_string(f.code) + " mode " + std::to_string(m.mode) +
                     (scalar ? " plain" : " vector"));
        Surface s(kWidth * f.bytes * m.fx, kHeight * m.fy);
        ASSERT_EQ(ConvertPicture(picture.Source(), s.bytes.data(), s.pitch, s.rows, 0, 0,
                                 Flags(f.code, m.mode) | scalar | kConvertForceFull),
                  1);
        for (uint32_t line = 0; line < s.rows; ++line) {
          const uint32_t k = line / m.fy;
          std::vector<uint8_t> want = m.fx == 2 ? Widen(ref[k], f) : ref[k];
          if ((m.mode == 2 || m.mode == 5) && line % 2 == 1) want = Untouched(s.pitch);
          if (m.mode == 6) want = line % 2 == 1 ? Untouched(s.pitch) : ref6[line];
          ASSERT_EQ(Line(s, line), want) << "line " << line;
        }
      }
    }
  }
}

TEST(Destination, BottomUpPitchWalksRowsUpwards) {
  const Format f{3, 4};
  TestPicture picture(kWidth, kHeight);
  picture.Randomize(7);
  const auto ref = Reference(picture, f);
  for (int32_t destY : {0, 2}) {
    const uint32_t rows = kHeight + 3;
    Surface s(kWidth * 4, rows);
    ASSERT_EQ(ConvertPicture(picture.Source(), s.bytes.data(), -static_cast<int32_t>(s.pitch),
                             rows, 0, destY, f.code),
              1);
    for (uint32_t r = 0; r < rows; ++r) {
      // Picture line k lands on buffer row rows - 1 - destY - k.
      const int32_t k = static_cast<int32_t>(rows) - 1 - destY - static_cast<int32_t>(r);
      const bool inside = k >= 0 && k < static_cast<int32_t>(kHeight);
      EXPECT_EQ(Line(s, r), inside ? ref[k] : Untouched(s.pitch)) << "destY " << destY << " row " << r;
    }
  }
}

// The picture at (destX, destY) in a buffer that is too small on some side: whole pixels inside
// the buffer are written, nothing outside.
TEST(Destination, OffsetsPlaceThePictureAndClipToTheBuffer) {
  struct Case {
    int32_t x, y;
    uint32_t widthPixels, rows;
    uint32_t mode;
  };
  const Case cases[] = {
      {5, 3, kWidth + 5, kHeight + 3, 0},      // fits exactly
      {5, 3, kWidth + 1, kHeight - 1, 0},      // cut right and bottom
      {-3, -2, kWidth - 3, kHeight - 2, 0},    // cut left and top
      {-3, -3, 2 * kWidth, 2 * kHeight, 4},    // doubled, cut left and top by odd amounts
      {4, 1, 2 * kWidth - 1, 2 * kHeight, 4},  // a half-visible doubled pixel is not written
  };
  for (Format f : kFormats) {
    TestPicture picture(kWidth, kHeight);
    picture.Randomize(11 + f.code);
    for (const Case& c : cases) {
      SCOPED_TRACE("format " + std::to_string(f.code) + " at " + std::to_string(c.x) + "," +
                   std::to_string(c.y) + " mode " + std::to_string(c.mode));
      // Expected: the same conversion into a buffer large enough, then cut by hand.
      const int32_t margin = 8;
      Surface big((2 * kWidth + 2 * margin) * f.bytes, 2 * kHeight + 2 * margin);
      ASSERT_EQ(ConvertPicture(picture.Source(), big.bytes.data(), big.pitch, big.rows,
                               c.x + margin, c.y + margin, Flags(f.code, c.mode)),
                1);
      Surface s(c.widthPixels * f.bytes, c.rows);
      ASSERT_EQ(ConvertPicture(picture.Source(), s.bytes.data(), s.pitch, s.rows, c.x, c.y,
                               Flags(f.code, c.mode)),
                1);
      const uint32_t fx = c.mode == 4 ? 2 : 1;
      for (uint32_t r = 0; r < s.rows; ++r) {
        for (uint32_t px = 0; px < c.widthPixels; ++px) {
          const uint8_t* got = s.Row(r) + px * f.bytes;
          const uint8_t* full = big.Row(r + margin) + (px + margin) * f.bytes;
          // Written only when all the destination pixels of its source pixel fit; packed YUV
          // writes pixel pairs from an even column, an odd offset rounding up.
          const bool packed = f.code == 13 || f.code == 14;
          const int32_t x0 = packed ? c.x + (c.x & 1) : c.x;
          const int32_t group = packed ? 2 * int32_t(fx) : int32_t(fx);
          const int32_t rel = static_cast<int32_t>(px) - x0;
          const int32_t start = static_cast<int32_t>(px) - ((rel % group) + group) % group;
          const bool whole = start >= 0 && start + group <= int32_t(c.widthPixels);
          const bool lineWhole = c.mode != 4 ? true
                                             : (int32_t(r) - c.y) % 2 == 0
                                                   ? int32_t(r) + 1 < int32_t(c.rows)
                                                   : int32_t(r) >= 1;
          const bool written = whole && lineWhole;
          for (uint32_t b = 0; b < f.bytes; ++b)
            ASSERT_EQ(got[b], written ? full[b] : Surface::kSentinel)
                << "row " << r << " pixel " << px << " byte " << b;
        }
      }
    }
  }
}

}  // namespace
}  // namespace quor

// A small bitmap font for the statistics line: 5 x 7 glyphs in cells of 6 x 12 pixels.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "jov_display.h"

namespace quorplay {

inline constexpr int32_t kGlyphWidth = 5, kGlyphHeight = 7;
inline constexpr int32_t kCellWidth = 6, kLineHeight = 12;

// Rows of a glyph, top first; bit 4 is the leftmost column. Characters without a glyph are blank.
std::array<uint8_t, kGlyphHeight> Glyph(char c);

inline int32_t TextWidth(std::string_view text) { return int32_t(text.size()) * kCellWidth; }

// Fills `line` of the pixels with `back` and draws `text` in `ink` centred in it (colours as
// 0xRRGGBB); nothing outside the pixels is touched.
void DrawTextLine(const JovPixels& pixels, JovRect line, std::string_view text, uint32_t ink, uint32_t back);

}  // namespace quorplay

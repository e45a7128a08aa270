#include "layout.h"

#include <utility>

namespace quor::convert {

namespace {

Layout Rgb(Family family, uint8_t bytes, bool redFirst, bool alpha) {
  Layout l;
  l.family = family;
  l.bytesPerPixel = bytes;
  l.xByte = redFirst ? 0 : 2;
  l.zByte = redFirst ? 2 : 0;
  l.alpha = alpha;
  return l;
}

Layout Word(Field red, Field green, Field blue, uint16_t alphaMask) {
  Layout l;
  l.family = Family::kRgb16;
  l.bytesPerPixel = 2;
  l.xField = red;
  l.gField = green;
  l.zField = blue;
  l.alphaMask = alphaMask;
  return l;
}

}  // namespace

Layout LayoutFor(uint32_t code, bool hasAlpha, bool older) {
  Layout l;
  switch (code) {
    case 1: l = Rgb(Family::kRgb24, 3, false, false); break;
    case 2: l = Rgb(Family::kRgb24, 3, true, false); break;
    case 3: l = Rgb(Family::kRgb32, 4, false, false); break;
    case 4: l = Rgb(Family::kRgb32, 4, true, false); break;
    case 5: l = Rgb(Family::kRgb32, 4, false, hasAlpha); break;
    case 6: l = Rgb(Family::kRgb32, 4, true, hasAlpha); break;
    case 7: l = Word({4, 8}, {4, 4}, {4, 0}, hasAlpha ? 0xF0 : 0); break;
    case 8: l = Word({5, 10}, {5, 5}, {5, 0}, hasAlpha ? 0x80 : 0); break;
    case 9: l = Word({5, 10}, {5, 5}, {5, 0}, 0); break;
    case 10: l = Word({5, 11}, {6, 5}, {5, 0}, 0); break;
    // Codes 11 and 12 follow the screen masks that display surfaces report for them:
    // 6-5-5 (red 0xFC00, green 0x03E0, blue 0x001F) and 6-6-4 (red 0xFC00, green 0x03F0,
    // blue 0x000F), so that the words written are the ones the screen shows.
    case 11: l = Word({6, 10}, {5, 5}, {5, 0}, 0); break;
    case 12: l = Word({6, 10}, {6, 4}, {4, 0}, 0); break;
    case 13:
    case 14:
      l.family = Family::kPackedYuv;
      l.bytesPerPixel = 2;
      l.uyvy = code == 14;
      break;
    case 15:
      l.family = Family::kYv12;
      l.bytesPerPixel = 1;
      break;
    default: break;
  }
  if (older) {
    std::swap(l.xByte, l.zByte);
    std::swap(l.xField, l.zField);
  }
  return l;
}

}  // namespace quor::convert

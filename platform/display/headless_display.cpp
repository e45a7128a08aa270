// The headless display: the memory screen, its modes, messages and events.
#include <cstdio>

#include "jov_headless.h"
#include "pixel_codec.h"

namespace {

JovPixelFormat FormatOfDepth(uint32_t bits) {
  switch (bits) {
    case 8: return {0, 8, 0, 0, 0, 0};
    case 16: return kJovRgb565;
    case 24: return {0, 24, 0xFF0000, 0xFF00, 0xFF, 0};
    default: return kJovXrgb8888;
  }
}

}  // namespace

JovHeadlessDisplay::JovHeadlessDisplay(JovHeadlessConfig config) : config_(std::move(config)) { restoreMode(); }

JovHeadlessDisplay::~JovHeadlessDisplay() = default;

uint32_t JovHeadlessDisplay::rgbAt(int32_t x, int32_t y) const {
  if (x < 0 || y < 0 || x >= current_.width || y >= current_.height) return 0;
  return pixels_[size_t(y) * size_t(current_.width) + size_t(x)];
}

void JovHeadlessDisplay::store(int32_t x, int32_t y, uint32_t rgb) {
  if (x < 0 || y < 0 || x >= current_.width || y >= current_.height) return;
  pixels_[size_t(y) * size_t(current_.width) + size_t(x)] = rgb & 0xFFFFFF;
}

void JovHeadlessDisplay::noteShown(JovRect area) {
  area = jov::Intersect(area, {0, 0, current_.width, current_.height});
  if (area.width > 0 && area.height > 0) shown_.push_back(area);
}

std::vector<JovDisplayMode> JovHeadlessDisplay::modes() const {
  std::vector<JovDisplayMode> all{{config_.screen.width, config_.screen.height, config_.screen.format.bitsPerPixel}};
  all.insert(all.end(), config_.modes.begin(), config_.modes.end());
  return all;
}

bool JovHeadlessDisplay::setMode(const JovDisplayMode& mode) {
  for (const JovDisplayMode& m : modes()) {
    if (m.width != mode.width || m.height != mode.height) continue;
    if (mode.bitsPerPixel != 0 && m.bitsPerPixel != mode.bitsPerPixel) continue;
    current_ = {m.width, m.height,
                m.bitsPerPixel == config_.screen.format.bitsPerPixel ? config_.screen.format : FormatOfDepth(m.bitsPerPixel)};
    pixels_.assign(size_t(m.width) * size_t(m.height), 0);
    return true;
  }
  return false;
}

void JovHeadlessDisplay::restoreMode() {
  current_ = config_.screen;
  pixels_.assign(size_t(current_.width) * size_t(current_.height), 0);
}

void JovHeadlessDisplay::messageBox(const std::string& caption, const std::string& text, JovMessageKind) {
  messages_.emplace_back(caption, text);
  std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
}

bool JovHeadlessDisplay::askYesNo(const std::string& caption, const std::string& text) {
  messageBox(caption, text, JovMessageKind::kInformation);
  return config_.answerYes;
}

bool JovHeadlessDisplay::nextEvent(JovEvent& event) {
  if (events_.empty()) return false;
  event = events_.front();
  events_.erase(events_.begin());
  return true;
}

#include "png_frames.h"

#include <png.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "output_file.h"
#include "quor.h"
#include "quor_convert.h"

namespace {

// Takes "%%" as a percent sign and exactly one "%d" with an optional 0 flag and width.
bool SplitPattern(const std::string& p, std::string& before, std::string& after, bool& zero, int& width) {
  std::string* out = &before;
  bool found = false;
  for (size_t i = 0; i < p.size(); ++i) {
    if (p[i] != '%') {
      *out += p[i];
      continue;
    }
    if (i + 1 < p.size() && p[i + 1] == '%') {
      *out += '%';
      ++i;
      continue;
    }
    if (found) return false;
    size_t j = i + 1;
    zero = j < p.size() && p[j] == '0';
    if (zero) ++j;
    width = 0;
    while (j < p.size() && p[j] >= '0' && p[j] <= '9' && width < 100) width = width * 10 + (p[j++] - '0');
    if (j >= p.size() || p[j] != 'd') return false;
    i = j;
    found = true;
    out = &after;
  }
  return found;
}

}  // namespace

PngFrames::PngFrames(std::string pattern) {
  if (!SplitPattern(pattern, before_, after_, zeroPad_, width_))
    Fail("--png needs a pattern with one frame number such as frame%04d.png, not \"" + pattern + "\"");
}

std::string PngFrames::NameOf(uint32_t frame) const {
  std::string number = std::to_string(frame);
  if (int(number.size()) < width_) number.insert(0, size_t(width_) - number.size(), zeroPad_ ? '0' : ' ');
  return before_ + number + after_;
}

void PngFrames::Write(QuorMovie* movie, uint32_t frame) {
  const uint32_t w = movie->width, h = movie->height;
  const bool alpha = (movie->flags & QUOR_OPEN_ALPHA) != 0;
  pixels_.assign(size_t(w) * h * 4, 0);
  // Bytes R, G, B, A; without an alpha plane the fourth byte is made opaque.
  QuorConvertFrame(movie, pixels_.data(), int32_t(w * 4), int32_t(h), 0, 0, 6 | QUOR_CONVERT_FORCE_FULL);
  if (!alpha)
    for (size_t i = 3; i < pixels_.size(); i += 4) pixels_[i] = 255;

  const std::string name = NameOf(frame);
  FILE* file = std::fopen(name.c_str(), "wb");
  if (!file) Fail(name + ": " + std::strerror(errno));
  std::unique_ptr<FILE, int (*)(FILE*)> closer(file, std::fclose);
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info) Fail("out of memory");
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    Fail(name + ": the picture could not be written");
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, w, h, 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_set_compression_level(png, 3);
  png_write_info(png, info);
  for (uint32_t y = 0; y < h; ++y) png_write_row(png, pixels_.data() + size_t(y) * w * 4);
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  if (std::fclose(closer.release()) != 0) Fail(name + ": write failed");
}

// A decoded picture with the decoder's plane geometry, and destination buffers, for the tests.
#ifndef QUOR_TESTS_CONVERT_TEST_PICTURE_H
#define QUOR_TESTS_CONVERT_TEST_PICTURE_H

#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

#include "convert.h"

namespace quor::test {

class TestPicture {
 public:
  TestPicture(uint32_t width, uint32_t height, bool withAlpha = false)
      : width_(width), height_(height) {
    const uint32_t chromaWidth = ((width + 1) / 2 + 7) / 8 * 8;
    const uint32_t chromaRows = ((height + 1) / 2 + 7) / 8 * 8;
    stride_ = 2 * chromaWidth;
    rows_ = 2 * chromaRows;
    buffer_.assign(size_t{stride_} * rows_ + 2 * size_t{chromaWidth} * chromaRows, 0);
    if (withAlpha) alpha_.assign(size_t{stride_} * rows_, 0);
    map_.assign(size_t{stride_ / 16} * (rows_ / 16) + 1, 1);
    map_.back() = 0;
  }

  uint32_t width() const { return width_; }
  uint32_t height() const { return height_; }
  uint32_t stride() const { return stride_; }
  uint32_t rows() const { return rows_; }
  uint32_t chromaStride() const { return stride_ / 2; }
  uint32_t blocksPerRow() const { return stride_ / 16; }
  uint8_t* buffer() { return buffer_.data(); }
  uint8_t* luma() { return buffer_.data(); }
  uint8_t* plane1() { return luma() + size_t{stride_} * rows_; }
  uint8_t* plane2() { return plane1() + size_t{chromaStride()} * (rows_ / 2); }
  uint8_t* alpha() { return alpha_.empty() ? nullptr : alpha_.data(); }
  uint8_t* map() { return map_.data(); }

  uint8_t& Y(uint32_t x, uint32_t y) { return luma()[size_t{y} * stride_ + x]; }
  uint8_t& P1(uint32_t cx, uint32_t cy) { return plane1()[size_t{cy} * chromaStride() + cx]; }
  uint8_t& P2(uint32_t cx, uint32_t cy) { return plane2()[size_t{cy} * chromaStride() + cx]; }

  // Every sample random, alpha too.
  void Randomize(uint32_t seed) {
    std::mt19937 rng(seed);
    for (auto& b : buffer_) b = static_cast<uint8_t>(rng());
    for (auto& b : alpha_) b = static_cast<uint8_t>(rng());
  }

  // Every sample of each plane the same value.
  void Fill(uint8_t y, uint8_t p1, uint8_t p2, uint8_t a = 0) {
    std::memset(luma(), y, size_t{stride_} * rows_);
    std::memset(plane1(), p1, size_t{chromaStride()} * (rows_ / 2));
    std::memset(plane2(), p2, size_t{chromaStride()} * (rows_ / 2));
    for (auto& b : alpha_) b = a;
  }

  ConvertSource Source() {
    ConvertSource s;
    s.luma = luma();
    s.plane1 = plane1();
    s.plane2 = plane2();
    s.alpha = alpha();
    s.lumaStride = stride_;
    s.lumaRows = rows_;
    s.width = width_;
    s.height = height_;
    s.changeMap = map_.data();
    s.blocksPerRow = blocksPerRow();
    return s;
  }

 private:
  uint32_t width_, height_, stride_ = 0, rows_ = 0;
  std::vector<uint8_t> buffer_, alpha_, map_;
};

// A destination of exactly rows x pitch bytes (so that the sanitizer sees any overrun), filled
// with a sentinel.
struct Surface {
  static constexpr uint8_t kSentinel = 0xA5;
  Surface(uint32_t pitchBytes, uint32_t rowCount)
      : pitch(pitchBytes), rows(rowCount), bytes(size_t{pitchBytes} * rowCount, kSentinel) {}
  uint8_t* Row(uint32_t r) { return bytes.data() + size_t{r} * pitch; }
  uint32_t pitch, rows;
  std::vector<uint8_t> bytes;
};

}  // namespace quor::test

#endif

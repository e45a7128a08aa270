// Buffers as a movie holds them, and helpers to decode crafted planes and frames into them.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "bitstream_writer.h"
#include "quor_blocks.h"
#include "quor_video.h"
#include "seeds.h"

namespace videotest {

// The nine value-stream buffers sized for a luma stride, zeroed like the library's allocations.
struct StreamStore {
  explicit StreamStore(uint32_t lumaStride) {
    uint32_t sizes[QUOR_STREAM_COUNT];
    QuorStreamSizes(lumaStride, sizes);
    for (unsigned i = 0; i < QUOR_STREAM_COUNT; ++i) {
      storage[i].assign(sizes[i], 0);
      buffers.buffer[i] = storage[i].data();
      buffers.size[i] = sizes[i];
    }
  }
  std::vector<uint8_t> storage[QUOR_STREAM_COUNT];
  QuorStreamBuffers buffers{};
};

// One plane with its previous plane and change map.
struct PlaneBuffers {
  PlaneBuffers(uint32_t width, uint32_t height, uint32_t stride, uint32_t rows, uint32_t scale = 1)
      : width(width), height(height), stride(stride), rows(rows), scale(scale),
        plane(size_t(stride) * rows, 0), previous(size_t(stride) * rows, 0),
        map(size_t(stride) * scale / 16 * (rows * scale / 16) + 1, 0),
        streams(scale == 2 ? stride * 2 : stride) {}

  // Decodes the plane; returns the decoder's end position.
  size_t Decode(const std::vector<uint8_t>& data, uint32_t movieFlags = 0) {
    return QuorDecodePlane(plane.data(), previous.data(), width, height, stride, rows, data.data(),
                           data.size(), map.data(), scale, &streams.buffers, movieFlags);
  }
  void FillPrevious() {
    for (size_t i = 0; i < previous.size(); ++i) previous[i] = uint8_t(i * 7 + i / stride * 13);
  }
  std::array<uint8_t, 64> Block(const std::vector<uint8_t>& from, uint32_t x, uint32_t y) const {
    std::array<uint8_t, 64> b;
    for (unsigned r = 0; r < 8; ++r) std::memcpy(&b[r * 8], &from[(y + r) * stride + x], 8);
    return b;
  }
  std::array<uint8_t, 64> Block(uint32_t x, uint32_t y) const { return Block(plane, x, y); }
  uint8_t At(uint32_t x, uint32_t y) const { return plane[y * stride + x]; }

  uint32_t width, height, stride, rows, scale;
  std::vector<uint8_t> plane, previous, map;
  StreamStore streams;
};

inline quortest::PlaneSpec PlaneOf(uint32_t width, uint32_t height,
                                   std::vector<std::vector<quortest::BlockSpec>> rows) {
  quortest::PlaneSpec p;
  p.width = width;
  p.height = height;
  p.rows = std::move(rows);
  return p;
}

}  // namespace videotest

namespace videotest {

// Hands a crafted plane (luma geometry of width x height) or frame to the fuzz target's corpus
// in its input layout: width byte, height byte, mode byte, data.
inline void WriteVideoSeed(const std::string& name, uint32_t width, uint32_t height, uint8_t mode,
                           const std::vector<uint8_t>& data) {
  std::vector<uint8_t> seed(3 + data.size());
  seed[0] = uint8_t(width - 1);
  seed[1] = uint8_t(height - 1);
  seed[2] = mode;
  if (!data.empty()) std::memcpy(seed.data() + 3, data.data(), data.size());
  quortest::WriteSeed("video", name, seed);
}
constexpr uint8_t kSeedPlane = 16;

}  // namespace videotest

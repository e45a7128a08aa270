// Random video data for a decoder of random small size. Input: width byte, height byte, mode
// byte, then the data. Mode bit 0: older stream; 1: alpha in the file; 2: alpha asked for;
// 3: grayscale; 4: a single plane (luma geometry) instead of a frame; 5: one shared picture
// buffer (a movie of key frames only). Each input is decoded twice, the second time over the
// first result, so that skip and motion blocks read a decoded picture.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "quor_video.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* input, size_t size) {
  if (size < 3) return 0;
  const uint32_t width = 1 + input[0] % 72, height = 1 + input[1] % 72;
  const uint8_t mode = input[2];
  // The exact bytes in their own allocation, so any read past them is caught.
  const std::vector<uint8_t> data(input + 3, input + size);
  const uint32_t chromaWidth = ((width + 1) / 2 + 7) & ~7u;
  const uint32_t chromaHeight = ((height + 1) / 2 + 7) & ~7u;
  const uint32_t stride = 2 * chromaWidth, rows = 2 * chromaHeight;

  uint32_t sizes[QUOR_STREAM_COUNT];
  QuorStreamSizes(stride, sizes);
  std::vector<uint8_t> storage[QUOR_STREAM_COUNT];
  QuorStreamBuffers streams{};
  for (unsigned i = 0; i < QUOR_STREAM_COUNT; ++i) {
    storage[i].assign(sizes[i], 0);
    streams.buffer[i] = storage[i].data();
    streams.size[i] = sizes[i];
  }
  const size_t lumaBytes = size_t(stride) * rows;
  std::vector<uint8_t> pictures[2] = {std::vector<uint8_t>(lumaBytes * 3 / 2),
                                      std::vector<uint8_t>(lumaBytes * 3 / 2)};
  std::vector<uint8_t> alpha[2] = {std::vector<uint8_t>(lumaBytes), std::vector<uint8_t>(lumaBytes)};
  std::vector<uint8_t> map(stride / 16 * (rows / 16) + 1);
  const uint32_t movieFlags = (mode & 1 ? 0x8000u : 0) | (mode & 4 ? 0x100000u : 0) |
                              (mode & 8 ? 0x20000u : 0);
  const uint32_t videoFlags = mode & 2 ? 0x100000u : 0;
  const bool shared = (mode & 32) != 0;
  for (int frame = 0; frame < 2; ++frame) {
    const int back = shared ? 0 : (frame + 1) & 1, front = shared ? 0 : frame & 1;
    map.assign(map.size(), 0);
    if (mode & 16) {
      const size_t end = QuorDecodePlane(pictures[back].data(), pictures[front].data(),
                                         (width + 7) & ~7u, (height + 7) & ~7u, stride, rows,
                                         data.data(), data.size(), map.data(), 1, &streams,
                                         movieFlags);
      if (end % 4 != 0) __builtin_trap();
    } else {
      QuorDecodeVideo(pictures[back].data(), pictures[front].data(), alpha[back].data(),
                      alpha[front].data(), map.data(), width, height, stride, rows, data.data(),
                      data.size(), 0, &streams, movieFlags, videoFlags);
    }
    if (map.back() != 0) __builtin_trap();  // the terminating byte is never marked
  }
  return 0;
}

// Video decode speed on streams of mixed block types (intra, inter, residue, motion, run,
// pattern, fill, raw, scaled) at 640 x 480 and 1280 x 720, beside memcpy of the same picture
// bytes in the same run. Counters: frames/s and megapixels/s (coded luma pixels).
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "bitstream_writer.h"
#include "quor_video.h"

namespace {

struct Stream {
  uint32_t width, height, stride, rows;
  std::vector<uint8_t> frame;
};

Stream MakeStream(uint32_t width, uint32_t height, uint32_t seed) {
  Stream s{width, height, 0, 0, {}};
  const uint32_t cw = ((width + 1) / 2 + 7) & ~7u, ch = ((height + 1) / 2 + 7) & ~7u;
  s.stride = 2 * cw;
  s.rows = 2 * ch;
  quortest::BlockMix mix;
  mix.skip = 4;
  mix.motion = 4;
  mix.fill = 3;
  mix.ignored = 0;
  mix.scaled = 2;
  quortest::FrameData f;
  f.luma = quortest::WritePlane(quortest::MixedPlane((width + 7) & ~7u, (height + 7) & ~7u, seed, mix));
  f.chroma1 = quortest::WritePlane(quortest::MixedPlane(cw, ch, seed + 1, mix));
  f.chroma2 = quortest::WritePlane(quortest::MixedPlane(cw, ch, seed + 2, mix));
  s.frame = quortest::WriteFrame(f);
  return s;
}

const Stream& StreamFor(int64_t width) {
  static const Stream vga = MakeStream(640, 480, 21);
  static const Stream hd = MakeStream(1280, 720, 22);
  return width == 640 ? vga : hd;
}

void BM_DecodeMixed(benchmark::State& state) {
  const Stream& s = StreamFor(state.range(0));
  uint32_t sizes[QUOR_STREAM_COUNT];
  QuorStreamSizes(s.stride, sizes);
  std::vector<std::vector<uint8_t>> storage;
  QuorStreamBuffers streams{};
  for (unsigned i = 0; i < QUOR_STREAM_COUNT; ++i) {
    storage.emplace_back(sizes[i], 0);
    streams.buffer[i] = storage.back().data();
    streams.size[i] = sizes[i];
  }
  const size_t pictureBytes = size_t(s.stride) * s.rows * 3 / 2;
  std::vector<uint8_t> pictures[2] = {std::vector<uint8_t>(pictureBytes, 0),
                                      std::vector<uint8_t>(pictureBytes, 0)};
  std::vector<uint8_t> map(s.stride / 16 * (s.rows / 16) + 1);
  int front = 0;
  for (auto _ : state) {
    std::memset(map.data(), 0, map.size());
    QuorDecodeVideo(pictures[front ^ 1].data(), pictures[front].data(), nullptr, nullptr,
                    map.data(), s.width, s.height, s.stride, s.rows, s.frame.data(),
                    s.frame.size(), 0, &streams, 0, 0);
    front ^= 1;
    benchmark::DoNotOptimize(pictures[front].data());
  }
  state.counters["frames/s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
  state.counters["Mpixel/s"] = benchmark::Counter(double(state.iterations()) * s.width * s.height / 1e6,
                                                  benchmark::Counter::kIsRate);
  state.counters["bytes/frame"] = double(s.frame.size());
}

// The baseline: copying the same picture bytes (luma and both chroma planes).
void BM_MemcpyPicture(benchmark::State& state) {
  const Stream& s = StreamFor(state.range(0));
  const size_t pictureBytes = size_t(s.stride) * s.rows * 3 / 2;
  std::vector<uint8_t> from(pictureBytes, 1), to(pictureBytes, 0);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), pictureBytes);
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
  state.counters["frames/s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
  state.counters["Mpixel/s"] = benchmark::Counter(double(state.iterations()) * s.width * s.height / 1e6,
                                                  benchmark::Counter::kIsRate);
}

BENCHMARK(BM_DecodeMixed)->Arg(640)->Arg(1280);
BENCHMARK(BM_MemcpyPicture)->Arg(640)->Arg(1280);

}  // namespace

BENCHMARK_MAIN();

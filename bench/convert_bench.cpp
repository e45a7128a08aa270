// Pixel conversion of a 1280 x 720 picture, in megapixels per second, beside a general-purpose
// conversion library's I420-to-BGRA routine on the same planes and beside a plain copy of the
// destination bytes. Compare the figures of one run.
#include <benchmark/benchmark.h>
#include <libyuv/convert_argb.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <random>

#include "convert/convert.h"
#include "convert/dispatch.h"
#include "quor_memory.h"

namespace {

constexpr uint32_t kWidth = 1280, kHeight = 720;
constexpr uint32_t kPixels = kWidth * kHeight;

struct Block {
  void operator()(void* p) const { QuorFree(p); }
};
using Buffer = std::unique_ptr<uint8_t, Block>;

Buffer Allocate(size_t bytes) { return Buffer(static_cast<uint8_t*>(QuorAlloc(bytes))); }

// A picture with the decoder's geometry (luma stride 1280, 720 rows; chroma 640 x 360), filled
// with a smooth gradient plus noise so that all channel ranges, clamping included, occur.
struct Picture {
  Buffer planes = Allocate(kPixels * 3 / 2);
  Picture() {
    std::mt19937 rng(1);
    uint8_t* y = planes.get();
    for (uint32_t r = 0; r < kHeight; ++r)
      for (uint32_t x = 0; x < kWidth; ++x)
        y[r * kWidth + x] = static_cast<uint8_t>((x / 5 + r / 3) + (rng() & 15));
    uint8_t* c = y + kPixels;
    for (uint32_t i = 0; i < kPixels / 2; ++i) c[i] = static_cast<uint8_t>(i / 7 + (rng() & 31));
  }
  const uint8_t* luma() const { return planes.get(); }
  const uint8_t* plane1() const { return planes.get() + kPixels; }
  const uint8_t* plane2() const { return planes.get() + kPixels + kPixels / 4; }
  quor::ConvertSource Source() const {
    quor::ConvertSource s;
    s.luma = luma();
    s.plane1 = plane1();
    s.plane2 = plane2();
    s.lumaStride = kWidth;
    s.lumaRows = kHeight;
    s.width = kWidth;
    s.height = kHeight;
    return s;
  }
};

const Picture& ThePicture() {
  static const Picture picture;
  return picture;
}

void Rates(benchmark::State& state, size_t bytesPerFrame) {
  state.counters["Mpix/s"] = benchmark::Counter(double(kPixels) * double(state.iterations()) / 1e6,
                                                benchmark::Counter::kIsRate);
  state.SetBytesProcessed(int64_t(bytesPerFrame) * state.iterations());
}

// args: format code, bytes per pixel, implementation (0 plain, 1 SSE2, 2 AVX2)
void Convert(benchmark::State& state) {
  const auto code = static_cast<uint32_t>(state.range(0));
  const auto bytes = static_cast<uint32_t>(state.range(1));
  const auto isa = static_cast<quor::convert::Isa>(state.range(2));
  if (static_cast<int>(isa) > static_cast<int>(quor::convert::BestIsa())) {
    state.SkipWithError("processor lacks this vector unit");
    return;
  }
  quor::convert::LimitIsa(isa);
  const quor::ConvertSource src = ThePicture().Source();
  Buffer dest = Allocate(size_t{kPixels} * bytes);
  const uint32_t flags = code | quor::kConvertForceFull |
                         (isa == quor::convert::Isa::kPlain ? uint32_t{quor::kConvertScalarOnly} : 0u);
  for (auto _ : state) {
    quor::ConvertPicture(src, dest.get(), int32_t(kWidth * bytes), kHeight, 0, 0, flags);
    benchmark::DoNotOptimize(dest.get());
    benchmark::ClobberMemory();
  }
  quor::convert::LimitIsa(quor::convert::Isa::kAvx2);
  Rates(state, size_t{kPixels} * bytes);
}

void Baseline(benchmark::State& state) {
  const Picture& p = ThePicture();
  Buffer dest = Allocate(size_t{kPixels} * 4);
  for (auto _ : state) {
    // Plane 2 plays U and plane 1 V, as in the conversion above.
    libyuv::I420ToARGB(p.luma(), kWidth, p.plane2(), kWidth / 2, p.plane1(), kWidth / 2,
                       dest.get(), kWidth * 4, kWidth, kHeight);
    benchmark::DoNotOptimize(dest.get());
    benchmark::ClobberMemory();
  }
  Rates(state, size_t{kPixels} * 4);
}

// args: bytes per pixel of the destination copied
void Copy(benchmark::State& state) {
  const size_t size = size_t{kPixels} * static_cast<size_t>(state.range(0));
  Buffer from = Allocate(size), to = Allocate(size);
  std::memset(from.get(), 1, size);
  for (auto _ : state) {
    std::memcpy(to.get(), from.get(), size);
    benchmark::DoNotOptimize(to.get());
    benchmark::ClobberMemory();
  }
  Rates(state, size);
}

BENCHMARK(Baseline)->Name("BaselineI420ToARGB");
BENCHMARK(Copy)->Name("MemcpyDestination/bytes_per_pixel")->Arg(4)->Arg(2);
BENCHMARK(Convert)
    ->Name("Convert/format/bytes/isa")
    ->Args({3, 4, 2})   // 32-bit B G R 0, AVX2
    ->Args({13, 2, 2})  // YUY2, AVX2
    ->Args({10, 2, 2})  // 16-bit 5-6-5, AVX2
    ->Args({3, 4, 1})   // SSE2
    ->Args({13, 2, 1})
    ->Args({10, 2, 1})
    ->Args({3, 4, 0})   // table arithmetic
    ->Args({10, 2, 0});

}  // namespace

BENCHMARK_MAIN();

// Stepping through a 2000-frame movie through the read-ahead ring and the read worker, beside
// reading the same packets with plain read() calls. The ratio is printed at the end.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>

#include "movie.h"
#include "movie_writer.h"

namespace {

struct Fixture {
  std::string path;
  std::vector<uint32_t> offsets;  // packet offsets, frame count + 1 of them
  Fixture() {
    quortest::MovieSpec spec = quortest::PatternMovie(2000, 6000, 2);
    const auto bytes = quortest::BuildMovie(spec);
    path = (std::filesystem::temp_directory_path() / ("quor-reader-bench-" + std::to_string(::getpid()) + ".qor")).string();
    quortest::WriteFile(path, bytes);
    const size_t indexAt = 44 + 12 * spec.tracks.size();
    for (size_t i = 0; i <= spec.frames.size(); ++i) offsets.push_back(quortest::GetWord(bytes, indexAt + 4 * i) & ~1u);
  }
  ~Fixture() { std::filesystem::remove(path); }
};

Fixture& Movie() {
  static Fixture fixture;
  return fixture;
}

void BM_PlainRead(benchmark::State& state) {
  Fixture& f = Movie();
  std::vector<uint8_t> buffer(1 << 20);
  for (auto _ : state) {
    const int fd = ::open(f.path.c_str(), O_RDONLY);
    ::lseek(fd, f.offsets[0], SEEK_SET);
    for (size_t i = 0; i + 1 < f.offsets.size(); ++i) {
      const size_t n = f.offsets[i + 1] - f.offsets[i];
      if (::read(fd, buffer.data(), n) != static_cast<ssize_t>(n)) state.SkipWithError("short read");
      benchmark::DoNotOptimize(buffer[n - 1]);
    }
    ::close(fd);
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * (f.offsets.back() - f.offsets.front()));
}

void BM_QuorReader(benchmark::State& state, uint32_t flags) {
  Fixture& f = Movie();
  for (auto _ : state) {
    QuorMovie* m = QuorOpen(f.path.c_str(), flags);
    if (!m) {
      state.SkipWithError(QuorErrorText());
      break;
    }
    const quor::Movie& in = *quor::AsMovie(m);
    for (uint32_t i = 1; i < m->frameCount; ++i) {
      QuorStepFrame(m);
      benchmark::DoNotOptimize(in.frameData[in.frameSize - 1]);
    }
    QuorClose(m);
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * (f.offsets.back() - f.offsets.front()));
}

BENCHMARK(BM_PlainRead)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_QuorReader, ring_and_worker, 0u)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_QuorReader, ring_without_worker, uint32_t(QUOR_OPEN_NO_READ_THREAD))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_QuorReader, preloaded, uint32_t(QUOR_OPEN_PRELOAD))->Unit(benchmark::kMillisecond);

// Prints each benchmark's time as a ratio to the plain reads of the same run.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& r : runs)
      if (r.run_type == Run::RT_Iteration) times_[r.benchmark_name()] = r.GetAdjustedRealTime();
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    const double base = times_["BM_PlainRead"];
    for (const auto& [name, t] : times_)
      if (base > 0) std::printf("%-32s %.2fx the plain reads\n", name.c_str(), t / base);
  }

 private:
  std::map<std::string, double> times_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
}

// Audio block decoding of a 44100 Hz stereo track, in times real time on one core, beside the
// bare inverse transform of the same length (the share of a block's time spent in the FFT).
#include <benchmark/benchmark.h>
#include <quor_audio.h>

#include <cstddef>
#include <random>
#include <vector>

#include "audio/block_layout.h"
#include "audio/inverse_rdft.h"
#include "audio_block_writer.h"

namespace {

constexpr uint32_t kRate = 44100;
constexpr uint32_t kChannels = 2;
constexpr int kBlocks = 64;

// A packet of blocks. Dense: every coefficient coded, magnitudes falling with frequency.
// Sparse: the upper half of the spectrum zero, as a coder at a modest rate leaves it.
std::vector<uint8_t> MakeTrack(bool sparse) {
  const auto layout = *quor::audio::MakeBlockLayout(kRate, kChannels);
  std::mt19937 random(1);
  quortest::AudioBitWriter writer;
  for (int b = 0; b < kBlocks; ++b) {
    quortest::AudioBlock block;
    block.raw0 = quortest::AudioRawField(20, random() % 100000, false);
    block.raw1 = quortest::AudioRawField(20, random() % 1000, true);
    for (uint32_t k = 0; k < layout.bandCount; ++k) block.scales.push_back(static_cast<uint8_t>(40 - k));
    std::vector<int32_t> q(layout.length, 0);
    const uint32_t coded = sparse ? layout.length / 2 : layout.length;
    for (uint32_t i = 2; i < coded; ++i) {
      const int32_t limit = static_cast<int32_t>(2 + 3000 / (8 + i / 4));
      q[i] = static_cast<int32_t>(random() % (2 * limit + 1)) - limit;
    }
    block.groups = quortest::AudioGroupsOf(q);
    quortest::WriteAudioBlock(writer, block);
  }
  return writer.Finish();
}

void DecodeTrack(benchmark::State& state) {
  const std::vector<uint8_t> track = MakeTrack(state.range(0) != 0);
  QuorAudioDecoder* decoder = QuorAudioDecoderOpen(kRate, kChannels, 1);
  const uint32_t n = quor::audio::SamplesPerChannel(kRate) * kChannels;
  for (auto _ : state) {
    const uint8_t* position = track.data();
    const uint8_t* const end = track.data() + track.size();
    while (position < end) {
      const int16_t* samples = nullptr;
      uint32_t bytes = 0;
      QuorAudioDecodeBlock(decoder, &samples, &bytes, position, end, &position);
      benchmark::DoNotOptimize(samples);
    }
  }
  // Each block advances the track by n - n/16 sample values, i.e. that many / channels frames.
  const double secondsPerIteration = kBlocks * (n - n / 16) / kChannels / static_cast<double>(kRate);
  state.counters["x_realtime"] = benchmark::Counter(secondsPerIteration * state.iterations(), benchmark::Counter::kIsRate);
  state.counters["per_block"] = benchmark::Counter(
      static_cast<double>(state.iterations()) * kBlocks, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  QuorAudioDecoderClose(decoder);
}
BENCHMARK(DecodeTrack)->ArgName("sparse")->Arg(0)->Arg(1);

// The inverse transform alone, per block, for each transform length.
void BareInverseRdft(benchmark::State& state) {
  const auto n = static_cast<uint32_t>(state.range(0));
  std::vector<std::byte> memory(quor::audio::InverseRdft::StateBytes(n));
  const quor::audio::InverseRdft transform(n, memory);
  std::mt19937 random(2);
  std::vector<float> bins(n + 2), signal(n);
  for (float& bin : bins) bin = static_cast<float>(random() % 2001) - 1000.0f;
  for (auto _ : state) {
    for (int b = 0; b < kBlocks; ++b) {
      transform.Run(bins, signal);
      benchmark::DoNotOptimize(signal.data());
    }
  }
  state.counters["per_block"] = benchmark::Counter(
      static_cast<double>(state.iterations()) * kBlocks, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BareInverseRdft)->ArgName("n")->Arg(512)->Arg(1024)->Arg(2048)->Arg(4096);

}  // namespace

BENCHMARK_MAIN();

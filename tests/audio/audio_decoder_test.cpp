#include <gtest/gtest.h>
#include <quor_audio.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "audio_block_writer.h"
#include "audio_tables.h"
#include "block_coefficients.h"
#include "block_layout.h"
#include "reference_dft.h"
#include "seeds.h"

namespace {

using quortest::AudioBlock;
using quortest::AudioGroup;
using quortest::AudioRawField;

// The track formats of the fuzz target, chosen there by the first byte of its input.
struct Format {
  uint32_t rate, channels;
};
constexpr Format kFormats[] = {{11025, 1}, {11025, 2}, {22050, 1}, {22050, 2}, {44100, 1}, {44100, 2}};

void Seed(const std::string& name, size_t format, const std::vector<uint8_t>& block) {
  std::vector<uint8_t> bytes(1, static_cast<uint8_t>(format));
  bytes.insert(bytes.end(), block.begin(), block.end());
  quortest::WriteSeed("audio_block", name, bytes);
}

struct CloseDecoder {
  void operator()(QuorAudioDecoder* decoder) const { QuorAudioDecoderClose(decoder); }
};
using Decoder = std::unique_ptr<QuorAudioDecoder, CloseDecoder>;

Decoder Open(Format format, uint32_t option = 1) {
  return Decoder(QuorAudioDecoderOpen(format.rate, format.channels, option));
}

quor::audio::BlockLayout Layout(Format format) { return *quor::audio::MakeBlockLayout(format.rate, format.channels); }

struct Result {
  std::vector<int16_t> samples;
  size_t consumed = 0;
};

// Decodes one block from an exact-size heap copy (so ASan sees any read past the packet).
Result DecodeOne(QuorAudioDecoder* decoder, const std::vector<uint8_t>& packet) {
  auto copy = std::make_unique<uint8_t[]>(std::max<size_t>(packet.size(), 1));
  std::copy(packet.begin(), packet.end(), copy.get());
  const int16_t* samples = nullptr;
  uint32_t bytes = 0;
  const uint8_t* next = nullptr;
  QuorAudioDecodeBlock(decoder, &samples, &bytes, copy.get(), copy.get() + packet.size(), &next);
  Result result;
  result.samples.assign(samples, samples + bytes / 2);
  result.consumed = static_cast<size_t>(next - copy.get());
  return result;
}

// A whole block's expected samples from the definition in double precision, before blending.
std::vector<double> ExpectedSamples(Format format, const AudioBlock& block, const std::vector<int32_t>& q) {
  const auto layout = Layout(format);
  const uint32_t n = layout.length;
  std::vector<double> a(n);
  a[0] = quor::audio::RawCoefficientValue(block.raw0);
  a[1] = quor::audio::RawCoefficientValue(block.raw1);
  for (uint32_t k = 0; k < layout.bandCount; ++k) {
    const double scale = quor::audio::kBandScales[block.scales[k]];
    for (uint32_t j = layout.boundaries[k]; j < layout.boundaries[k + 1]; ++j) {
      a[2 * j] = q[2 * j] * scale;
      a[2 * j + 1] = q[2 * j + 1] * scale;
    }
  }
  std::vector<double> x = quortest::ReferenceSignal(a);
  const double scale = 2.0 / std::sqrt(static_cast<double>(n));
  for (double& value : x) value = std::clamp(std::nearbyint(value * scale), -32768.0, 32767.0);
  return x;
}

// A block with random content that fills the 16-bit range: larger values at low frequencies.
AudioBlock RandomBlock(Format format, uint32_t seed, std::vector<int32_t>& q) {
  const auto layout = Layout(format);
  std::mt19937 random(seed);
  AudioBlock block;
  block.raw0 = AudioRawField(23, random() % 200000, random() % 2);
  block.raw1 = AudioRawField(20, random() % 200000, random() % 2);
  for (uint32_t k = 0; k < layout.bandCount; ++k) block.scales.push_back(static_cast<uint8_t>(30 - k));
  q.assign(layout.length, 0);
  for (uint32_t i = 2; i < layout.length; ++i) {
    const int32_t limit = static_cast<int32_t>(4 + 2000 / (1 + i / 8));
    q[i] = static_cast<int32_t>(random() % (2 * limit + 1)) - limit;
    if (random() % 4 == 0) q[i] = 0;
  }
  block.groups = quortest::AudioGroupsOf(q);
  return block;
}

int WorstDifference(const std::vector<int16_t>& got, const std::vector<double>& expected) {
  int worst = 0;
  for (size_t t = 0; t < got.size(); ++t) worst = std::max(worst, static_cast<int>(std::abs(got[t] - expected[t])));
  return worst;
}

// The first block of each format against the definition: block length, band scaling, grouping,
// transform scaling and rounding together. Floating-point rounding may move a sample by one.
TEST(AudioDecoder, FirstBlocksMatchTheDefinitionInEveryFormat) {
  for (size_t f = 0; f < std::size(kFormats); ++f) {
    const Format format = kFormats[f];
    const auto layout = Layout(format);
    std::vector<int32_t> q;
    const AudioBlock block = RandomBlock(format, static_cast<uint32_t>(f + 1), q);
    const std::vector<uint8_t> bytes = quortest::WriteAudioBlock(block);
    Seed("random_" + std::to_string(format.rate) + "_" + std::to_string(format.channels), f, bytes);

    const Decoder decoder = Open(format);
    ASSERT_TRUE(decoder);
    const uint32_t yielded = layout.length - layout.overlap;
    EXPECT_EQ(QuorAudioDecoderBlockBytes(decoder.get()), yielded * 2);
    const Result result = DecodeOne(decoder.get(), bytes);
    ASSERT_EQ(result.samples.size(), yielded) << format.rate;
    EXPECT_EQ(result.consumed, bytes.size());
    const std::vector<double> expected = ExpectedSamples(format, block, q);
    EXPECT_LE(WorstDifference(result.samples, expected), 1) << format.rate << "/" << format.channels;
    // The content really spans the range, so scale errors would show.
    const auto [low, high] = std::minmax_element(result.samples.begin(), result.samples.end());
    EXPECT_LT(*low, -5000);
    EXPECT_GT(*high, 5000);
  }
}

TEST(AudioDecoder, YieldsTheBlockLengthOfEachRate) {
  struct Row {
    Format format;
    uint32_t samples;
  };
  for (const Row row : {Row{{11025, 1}, 480}, Row{{8000, 2}, 960}, Row{{22050, 1}, 960}, Row{{32000, 2}, 1920},
                        Row{{44100, 1}, 1920}, Row{{44100, 2}, 3840}, Row{{48000, 2}, 3840}}) {
    const Decoder decoder = Open(row.format);
    ASSERT_TRUE(decoder);
    EXPECT_EQ(DecodeOne(decoder.get(), std::vector<uint8_t>(4, 0)).samples.size(), row.samples) << row.format.rate;
  }
}

TEST(AudioDecoder, SilenceFromAllZeroFields) {
  const Format format{22050, 2};
  AudioBlock block;
  block.scales.assign(Layout(format).bandCount, 255);  // scales do not matter for zeros
  block.groups.push_back({.runIndex = 15, .width = 0, .values = {}});
  block.groups.push_back({.runIndex = 15, .width = 0, .values = {}});
  block.groups.push_back({.runIndex = 15, .width = 0, .values = {}});
  block.groups.push_back({.runIndex = 15, .width = 0, .values = {}});
  const std::vector<uint8_t> bytes = quortest::WriteAudioBlock(block);
  Seed("silence", 3, bytes);
  const Decoder decoder = Open(format);
  const Result result = DecodeOne(decoder.get(), bytes);
  EXPECT_EQ(result.consumed, bytes.size());
  EXPECT_EQ(result.samples, std::vector<int16_t>(1920, 0));
}

// A single raw coefficient: a[0] alone is a constant a[0] / sqrt(n), a[1] alone alternates.
TEST(AudioDecoder, SingleRawCoefficient) {
  struct Row {
    Format format;
    uint32_t raw0, raw1;
    int16_t even, odd;
  };
  const std::vector<Row> rows = {
      {{44100, 2}, AudioRawField(23, 6400, false), 0, 100, 100},            // 6400 / 64
      {{22050, 1}, AudioRawField(21, 12800, true), 0, -100, -100},          // -3200 / 32
      {{11025, 1}, AudioRawField(23, 1000, false), 0, 44, 44},              // 1000 / sqrt(512) = 44.19
      {{44100, 2}, 0, AudioRawField(24, 3200, false), 100, -100},           // 6400 (-1)^t / 64
      {{22050, 1}, AudioRawField(23, 3200, false), AudioRawField(22, 3200, false), 150, 50},  // (a0 ± a1) / 32
      {{44100, 1}, AudioRawField(0, 0x7FFFFF, false), 0, 0, 0},             // 1 - 2^-23: rounds to 0
  };
  for (const Row& row : rows) {
    AudioBlock block{.raw0 = row.raw0, .raw1 = row.raw1, .scales = {}, .groups = {}};
    block.scales.assign(Layout(row.format).bandCount, 0);
    block.groups.assign(Layout(row.format).length / 512, {.runIndex = 15, .width = 0, .values = {}});
    const std::vector<uint8_t> bytes = quortest::WriteAudioBlock(block);
    const Decoder decoder = Open(row.format);
    const Result result = DecodeOne(decoder.get(), bytes);
    ASSERT_FALSE(result.samples.empty());
    EXPECT_EQ(result.consumed, bytes.size());
    for (size_t t = 0; t < result.samples.size(); ++t) {
      ASSERT_EQ(result.samples[t], t % 2 ? row.odd : row.even) << row.format.rate << " t=" << t;
    }
  }
}

// Groups of every kind placing single coefficients: zero groups of 8, zero runs of each run
// length, a run with values and a last group cut at n. Wrong run lengths or a group not cut at n
// would move a coefficient or consume a different number of bits.
TEST(AudioDecoder, RunGroupsPlaceCoefficientsAndStopAtTheEnd) {
  const Format format{44100, 2};  // n = 4096
  const auto layout = Layout(format);
  const uint32_t n = layout.length;
  AudioBlock block;
  block.scales.assign(layout.bandCount, 10);
  std::vector<int32_t> q(n, 0);
  uint32_t i = 2;
  // The run lengths of the format, in eighths, written out here independently of the decoder's table.
  const uint32_t runEighths[16] = {2, 3, 4, 5, 6, 8, 9, 10, 11, 12, 13, 14, 15, 16, 32, 64};
  auto zeros = [&](int runIndex) {
    block.groups.push_back({.runIndex = runIndex, .width = 0, .values = {}});
    i += 8 * (runIndex < 0 ? 1 : runEighths[runIndex]);
  };
  auto one = [&](int32_t value) {  // a run-index-0 group (16 coefficients) with one value in its middle
    AudioGroup group{.runIndex = 0, .width = 6, .values = std::vector<int32_t>(16, 0)};
    group.values[7] = value;
    q[i + 7] = value;
    block.groups.push_back(group);
    i += 16;
  };
  zeros(-1);
  one(-33);
  for (int run = 0; run < 16; ++run) {
    zeros(run);
    one(run % 2 ? 21 - run : run - 40);
  }
  while (n - i >= 512) zeros(15);
  // The last group: a run of 512 from i, cut at n, with exactly n - i values.
  AudioGroup last{.runIndex = 15, .width = 2, .values = std::vector<int32_t>(n - i, 0)};
  last.values.back() = -3;
  q[n - 1] = -3;
  last.values[0] = 1;
  q[i] = 1;
  block.groups.push_back(last);

  std::vector<uint8_t> bytes = quortest::WriteAudioBlock(block);
  Seed("run_groups", 5, bytes);
  // A marker word after the block: the next block must start exactly there.
  const size_t blockBytes = bytes.size();
  bytes.insert(bytes.end(), {0x12, 0x34, 0x56, 0x78});
  const Decoder decoder = Open(format);
  const Result result = DecodeOne(decoder.get(), bytes);
  EXPECT_EQ(result.consumed, blockBytes);
  std::vector<int16_t> got = result.samples;
  EXPECT_LE(WorstDifference(got, ExpectedSamples(format, block, q)), 1);
}

TEST(AudioDecoder, SaturatesAtBothEnds) {
  struct Row {
    bool negative;
    int16_t expected;
  };
  for (const Row row : {Row{false, 32767}, Row{true, -32768}}) {
    const Format format{22050, 1};
    AudioBlock block;
    block.raw0 = AudioRawField(23, 40000 * 32, row.negative);  // a constant of 40000
    block.scales.assign(Layout(format).bandCount, 0);
    block.groups.assign(2, {.runIndex = 15, .width = 0, .values = {}});
    const Decoder decoder = Open(format);
    const Result result = DecodeOne(decoder.get(), quortest::WriteAudioBlock(block));
    EXPECT_EQ(result.samples, std::vector<int16_t>(960, row.expected));
  }
}

AudioBlock ConstantBlock(Format format, int32_t value) {
  const uint32_t n = Layout(format).length;
  const uint32_t root = static_cast<uint32_t>(std::lround(std::sqrt(n)));
  EXPECT_EQ(root * root, n) << "a constant needs a square transform length";
  AudioBlock block;
  block.raw0 = AudioRawField(23, static_cast<uint32_t>(std::abs(value)) * root, value < 0);
  block.scales.assign(Layout(format).bandCount, 0);
  block.groups.assign(n / 512, {.runIndex = 15, .width = 0, .values = {}});
  return block;
}

// The first block is unblended; each later one fades in from the previous block's last n/16
// samples; an empty packet in between changes nothing.
TEST(AudioDecoder, CrossFadesEachBlockFromTheHeldTail) {
  const Format format{22050, 1};  // n = 1024, v = 64
  const uint32_t v = 64;
  const Decoder decoder = Open(format);
  EXPECT_EQ(DecodeOne(decoder.get(), {}).samples.size(), 0u);  // no data: no block, first stays first

  const std::vector<uint8_t> first = quortest::WriteAudioBlock(ConstantBlock(format, 300));
  const std::vector<uint8_t> second = quortest::WriteAudioBlock(ConstantBlock(format, -37));
  std::vector<uint8_t> both = first;
  both.insert(both.end(), second.begin(), second.end());
  Seed("two_blocks", 2, both);

  EXPECT_EQ(DecodeOne(decoder.get(), first).samples, std::vector<int16_t>(960, 300));
  EXPECT_EQ(DecodeOne(decoder.get(), {}).samples.size(), 0u);
  const std::vector<int16_t> faded = DecodeOne(decoder.get(), second).samples;
  ASSERT_EQ(faded.size(), 960u);
  for (uint32_t i = 0; i < v; ++i) {
    const int expected = static_cast<int>(std::floor(((v - i) * 300.0 + i * -37.0) / v));
    ASSERT_EQ(faded[i], expected) << i;
  }
  EXPECT_TRUE(std::all_of(faded.begin() + v, faded.end(), [](int16_t s) { return s == -37; }));
}

// A block cut short anywhere decodes as if zeros followed, reads nothing past its packet, and
// never reports a next block beyond the packet's end.
TEST(AudioDecoder, TruncatedBlocksReadZerosPastThePacket) {
  const Format format{22050, 2};
  std::vector<int32_t> q;
  const std::vector<uint8_t> bytes = quortest::WriteAudioBlock(RandomBlock(format, 99, q));
  for (const size_t cut : {size_t{1}, size_t{3}, size_t{4}, size_t{7}, size_t{13}, size_t{64}, size_t{501},
                           bytes.size() / 2, bytes.size() - 1}) {
    const std::vector<uint8_t> shortened(bytes.begin(), bytes.begin() + cut);
    std::vector<uint8_t> padded = shortened;
    padded.resize(bytes.size() + 64, 0);
    const Decoder a = Open(format), b = Open(format);
    const Result got = DecodeOne(a.get(), shortened);
    EXPECT_EQ(got.consumed, cut);
    EXPECT_EQ(got.samples, DecodeOne(b.get(), padded).samples) << cut;
  }
  Seed("truncated", 3, std::vector<uint8_t>(bytes.begin(), bytes.begin() + 501));
}

// Exponents above 23, the largest band scales and the widest magnitudes stay finite and
// saturate; none of it may reach the output as anything but valid samples.
TEST(AudioDecoder, HostileFieldsSaturateInsteadOfOverflowing) {
  const Format format{44100, 2};
  const auto layout = Layout(format);
  for (const bool negative : {false, true}) {
    AudioBlock block;
    block.raw0 = AudioRawField(31, 0x7FFFFF, negative);
    block.raw1 = AudioRawField(31, 0x7FFFFF, !negative);
    block.scales.assign(layout.bandCount, 255);
    // Every coefficient at full magnitude with the same sign: a huge spike at t = 0.
    block.groups.assign(layout.length / 512, {.runIndex = 15, .width = 15, .values = std::vector<int32_t>(512, 0)});
    block.groups.back().values.resize(512 - 2);  // the last group is cut at n
    for (auto& group : block.groups) std::fill(group.values.begin(), group.values.end(), negative ? -32767 : 32767);
    const std::vector<uint8_t> bytes = quortest::WriteAudioBlock(block);
    Seed(negative ? "hostile_negative" : "hostile_positive", 5, bytes);
    const Decoder decoder = Open(format);
    const Result result = DecodeOne(decoder.get(), bytes);
    EXPECT_EQ(result.consumed, bytes.size());
    ASSERT_EQ(result.samples.size(), 3840u);
    EXPECT_EQ(result.samples[0], negative ? -32768 : 32767);
  }
}

TEST(AudioDecoder, EmptyOrMisplacedInputYieldsNothing) {
  const Decoder decoder = Open({11025, 1});
  const uint8_t data[8] = {};
  const int16_t* samples = nullptr;
  uint32_t bytes = 123;
  const uint8_t* next = nullptr;
  QuorAudioDecodeBlock(decoder.get(), &samples, &bytes, data + 4, data + 4, &next);
  EXPECT_EQ(bytes, 0u);
  EXPECT_EQ(next, data + 4);
  QuorAudioDecodeBlock(decoder.get(), &samples, &bytes, data + 6, data + 4, &next);
  EXPECT_EQ(bytes, 0u);
  EXPECT_EQ(next, data + 4);  // never past the end
  QuorAudioDecodeBlock(decoder.get(), &samples, &bytes, nullptr, nullptr, &next);
  EXPECT_EQ(bytes, 0u);
  // Null destinations are allowed, and so is a null decoder.
  QuorAudioDecodeBlock(decoder.get(), nullptr, nullptr, data, data + 8, nullptr);
  QuorAudioDecodeBlock(nullptr, &samples, &bytes, data, data + 8, &next);
  EXPECT_EQ(samples, nullptr);
  EXPECT_EQ(bytes, 0u);
  EXPECT_EQ(QuorAudioDecoderBlockBytes(nullptr), 0u);
  QuorAudioDecoderClose(nullptr);
}

TEST(AudioDecoder, OpenRejectsUnusableFormatsAndHonoursTheReserve) {
  EXPECT_EQ(QuorAudioDecoderOpen(0, 1, 1), nullptr);
  EXPECT_EQ(QuorAudioDecoderOpen(22050, 0, 1), nullptr);
  EXPECT_EQ(QuorAudioDecoderOpen(22050, 3, 1), nullptr);
  const Decoder reserved = Open({44100, 2}, 0);
  ASSERT_TRUE(reserved);
  EXPECT_EQ(DecodeOne(reserved.get(), quortest::WriteAudioBlock(ConstantBlock({44100, 2}, 5))).samples,
            std::vector<int16_t>(3840, 5));
}

}  // namespace

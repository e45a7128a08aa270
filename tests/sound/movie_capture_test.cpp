// Whole movies with real audio blocks played through the capture backend: what reaches the WAV
// file against the decoder's own output, for 16-bit and 8-bit tracks, packets whose decoded size
// ends inside a block, and a ring too small for a packet.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>

#include "audio_block_writer.h"
#include "movie.h"
#include "movie_writer.h"
#include "quor_audio.h"
#include "sound_system.h"
#include "sound_test_kit.h"

namespace quortest {
namespace {

constexpr uint32_t kRate = 22050;  // mono: 1024-sample blocks of 1920 bytes, 23 bands
constexpr uint32_t kBlockBytes = 1920;

std::vector<uint8_t> RandomBlock(uint32_t seed) {
  std::mt19937 random(seed);
  AudioBlock block;
  block.raw0 = AudioRawField(23, random() % 200000, random() % 2);
  block.raw1 = AudioRawField(20, random() % 200000, random() % 2);
  for (uint8_t k = 0; k < 23; ++k) block.scales.push_back(static_cast<uint8_t>(30 - k));
  std::vector<int32_t> q(1024, 0);
  for (uint32_t i = 2; i < q.size(); ++i) {
    const int32_t limit = static_cast<int32_t>(4 + 2000 / (1 + i / 8));
    q[i] = static_cast<int32_t>(random() % (2 * limit + 1)) - limit;
  }
  block.groups = AudioGroupsOf(q);
  return WriteAudioBlock(block);
}

struct AudioMovie {
  MovieSpec spec;
  std::vector<std::vector<std::vector<uint8_t>>> blocks;  // per frame
};

// Frames whose track section holds enough blocks for `decoded[i]` bytes.
AudioMovie MakeMovie(uint32_t format, const std::vector<uint32_t>& decoded, uint32_t ringBytes) {
  AudioMovie a;
  a.spec = PatternMovie(static_cast<uint32_t>(decoded.size()), 40, 1);
  a.spec.tracks[0].format = format;
  a.spec.tracks[0].largestDecoded = ringBytes;
  a.blocks.resize(decoded.size());
  uint32_t seed = 1;
  for (size_t i = 0; i < decoded.size(); ++i) {
    TrackData& data = a.spec.frames[i].tracks[0];
    data.present = true;
    data.decodedSize = decoded[i];
    data.bytes.clear();
    for (uint32_t have = 0; have < decoded[i]; have += kBlockBytes) {
      a.blocks[i].push_back(RandomBlock(seed++));
      data.bytes.insert(data.bytes.end(), a.blocks[i].back().begin(), a.blocks[i].back().end());
    }
  }
  return a;
}

// What the ring receives when the feed empties it between frames: each packet's blocks are
// decoded while bytes of its decoded size are missing and the ring has room; what doesn't fit in
// the decoded size or the ring is dropped.
std::vector<uint8_t> ExpectedRingBytes(const AudioMovie& a, uint32_t ringSize) {
  std::unique_ptr<QuorAudioDecoder, void (*)(QuorAudioDecoder*)> decoder(
      QuorAudioDecoderOpen(kRate, 1, 1), QuorAudioDecoderClose);
  std::vector<uint8_t> out;
  for (size_t i = 0; i < a.blocks.size(); ++i) {
    uint32_t missing = a.spec.frames[i].tracks[0].decodedSize, queued = 0;
    for (const auto& block : a.blocks[i]) {
      if (missing == 0 || queued >= ringSize) break;
      const int16_t* samples = nullptr;
      uint32_t bytes = 0;
      QuorAudioDecodeBlock(decoder.get(), &samples, &bytes, block.data(), block.data() + block.size(), nullptr);
      const uint32_t take = std::min({bytes, missing, ringSize - queued});
      const auto* p = reinterpret_cast<const uint8_t*>(samples);
      out.insert(out.end(), p, p + take);
      missing -= std::min(bytes, missing);
      queued += take;
    }
  }
  return out;
}

class MovieCapture : public ::testing::Test {
 protected:
  // Plays every frame with the queued backend capturing as fast as fed; the ring must be empty
  // after every step for the expectation above to hold.
  Wav Play(const AudioMovie& a) {
    const TempPath wav;
    const QuorCaptureOptions options{wav.path().c_str(), 0, 0};
    EXPECT_EQ(QuorSelectSoundOutput(QuorSoundUseCapture, reinterpret_cast<uintptr_t>(&options)), 1);
    const std::vector<uint8_t> image = BuildMovie(a.spec);
    QuorMovie* m = QuorOpenImage(image.data(), image.size(), 0);
    EXPECT_NE(m, nullptr) << QuorErrorText();
    if (!m) return {};
    quor::Movie& in = *quor::AsMovie(m);
    EXPECT_EQ(in.activeCount, 1u);
    for (uint32_t f = 0; f < a.spec.frames.size(); ++f) {
      EXPECT_EQ(QuorDecodeFrame(m), 0);
      QuorStepFrame(m);
    }
    EXPECT_EQ(in.soundSkips, 0u);
    QuorClose(m);
    EXPECT_EQ(quor::OpenTrackCount(), 0u);
    return ReadWav(wav.path());
  }
};

TEST_F(MovieCapture, SixteenBitTrackArrivesAsDecoded) {
  // Sizes that end inside a block, span two blocks, or fill exactly one; a short movie, so all
  // of it is lead-out and every feed empties the ring.
  const std::vector<uint32_t> decoded = {3000, 1764, 1920, 2500, 1764, 100, 3840, 1764, 1766, 1764};
  const AudioMovie a = MakeMovie(0xC0000000u | kRate, decoded, 65536);
  const Wav wav = Play(a);
  ASSERT_TRUE(wav.ok);
  EXPECT_EQ(wav.rate, kRate);
  EXPECT_EQ(wav.bits, 16u);
  EXPECT_EQ(wav.channels, 1u);
  const std::vector<uint8_t> expected = ExpectedRingBytes(a, 65536);
  uint32_t total = 0;
  for (uint32_t d : decoded) total += d;
  ASSERT_EQ(expected.size(), total);
  EXPECT_EQ(wav.data, expected);
}

TEST_F(MovieCapture, EightBitTrackGetsHighBytesWithTheTopBitInverted) {
  const std::vector<uint32_t> decoded = {1764, 2500, 1764, 1764, 1000, 1764};
  const AudioMovie a = MakeMovie(0x80000000u | kRate, decoded, 65536);
  const Wav wav = Play(a);
  ASSERT_TRUE(wav.ok);
  EXPECT_EQ(wav.bits, 8u);
  const std::vector<uint8_t> ring = ExpectedRingBytes(a, 65536);
  std::vector<uint8_t> expected;
  for (size_t i = 1; i < ring.size(); i += 2) expected.push_back(ring[i] ^ 0x80);
  EXPECT_EQ(wav.data, expected);
}

TEST_F(MovieCapture, AFullRingDropsTheRestOfAPacket) {
  // 2048 bytes of ring against packets of 2500: the second block of each packet gets 128 bytes.
  const std::vector<uint32_t> decoded(8, 2500);
  const AudioMovie a = MakeMovie(0xC0000000u | kRate, decoded, 2048);
  const Wav wav = Play(a);
  ASSERT_TRUE(wav.ok);
  const std::vector<uint8_t> expected = ExpectedRingBytes(a, 2048);
  EXPECT_EQ(expected.size(), 8u * 2048);
  EXPECT_EQ(wav.data, expected);
}

}  // namespace
}  // namespace quortest

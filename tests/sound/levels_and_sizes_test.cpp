// The backends' constant table, level rules and device sizes, against their defining formulas.
#include <gtest/gtest.h>

#include <cmath>

#include "attenuation_table.h"
#include "backends.h"
#include "jov_audio.h"
#include "sound_levels.h"
#include "sound_test_kit.h"

namespace quortest {
namespace {

using namespace quor::sound;

TEST(Attenuation, TableFollowsItsFormula) {
  EXPECT_EQ(kAttenuation[0], -10000);
  for (int i = 1; i < 128; ++i)
    EXPECT_EQ(kAttenuation[i], std::lround(2000.0 * std::log10(i / 127.0))) << "entry " << i;
}

TEST(Levels, LoopingVolumeAndPan) {
  struct Case {
    uint32_t volume;
    int32_t attenuation;
  } volumes[] = {{32767, 0}, {0, -10000}, {16384, kAttenuation[63]}, {259, kAttenuation[1]}, {258, -10000},
                 {1000000, 0} /* beyond the range counts as full, never past the table */};
  for (const Case& c : volumes) EXPECT_EQ(LoopingVolume(c.volume), c.attenuation) << c.volume;
  struct PanCase {
    uint32_t pan;
    int32_t value;
  } pans[] = {
      {32768, 0},      // centre
      {32767, 0},      // the default at open: index 63, -7 lies within the dead zone
      {0, -10000},     // full left: the right side silenced
      {65536, 10000},  // full right
      {16384, kAttenuation[64]},        // index 32: table[64]
      {49152, -kAttenuation[64]},       // index 95: -table[254 - 190]
      {31000, kAttenuation[120]},       // index 60: -49, outside the dead zone
      {1u << 30, 10000},                // beyond the range counts as full right
  };
  for (const PanCase& c : pans) EXPECT_EQ(LoopingPan(c.pan), c.value) << c.pan;
  // The dead zone: the nearest steps to the centre come out 0 on both sides.
  const uint32_t nearLeft = (63 * 65536 - 32768 + 126) / 127;  // the smallest pan of index 63
  EXPECT_EQ(LoopingPan(nearLeft), 0);
  EXPECT_EQ(LoopingPan((65 * 65536 - 32768 + 126) / 127), 0) << "index 65: -table[124] = 21";
}

TEST(Levels, QueuedVolumeAndPan) {
  struct Case {
    uint32_t volume, pan;
    uint16_t left, right;
  } cases[] = {
      {65535, 32767, 0xFFFF, 0xFFFF},  // full and centred: full scale on both sides
      {65536, 32767, 0xFFFF, 0xFFFF},
      {0, 32767, 0, 0},
      {65535, 0, 0xFFFF, 0},           // hard left
      {65535, 65536, 0, 0xFFFF},       // hard right
      {32767, 32767, 16383 * 65535 / 32767, 16383 * 65535 / 32767},
      {65535, 49152, 32767 * 16384 / 32769 * 65535 / 32767, 0xFFFF},
  };
  for (const Case& c : cases) {
    const QueueLevels l = QueuedLevels(c.volume, c.pan);
    EXPECT_EQ(l.left, c.left) << c.volume << " " << c.pan;
    EXPECT_EQ(l.right, c.right) << c.volume << " " << c.pan;
  }
}

TEST(Levels, GainsScaleTheSamplesPerSide) {
  // 16-bit stereo and 8-bit mono samples through the pan that silences the right side.
  std::vector<uint8_t> stereo = {0x00, 0x40, 0x00, 0x40};  // left 16384, right 16384
  jov::ApplyGains(stereo, {22050, 16, 2}, jov::GainsFromAttenuation(-2000, -10000));
  EXPECT_EQ(stereo, (std::vector<uint8_t>{0x66, 0x06, 0, 0})) << "left at -20 dB = 1638.4";
  std::vector<uint8_t> mono = {0xFF, 0x00, 0x80};
  jov::ApplyGains(mono, {11025, 8, 1}, jov::GainsFromLevels(0x8000, 0));
  EXPECT_EQ(mono, (std::vector<uint8_t>{0xC0, 0x40, 0x80})) << "mono plays at the louder side";
}

TEST(Sizes, BothBackendsForEveryFormat) {
  struct Case {
    uint32_t rate, bits, channels;
    uint32_t queuedBuffer, queuedStart, loopingBuffer, loopingChunk;
  } cases[] = {
      {11025, 8, 1, 704, 5536, 7168, 768},      {11025, 8, 2, 1408, 11040, 13312, 1280},
      {11025, 16, 1, 1408, 11040, 13312, 1280}, {11025, 16, 2, 2784, 22080, 26624, 2304},
      {22050, 8, 1, 1408, 11040, 13312, 1280},  {22050, 8, 2, 2784, 22080, 26624, 2304},
      {22050, 16, 1, 2784, 22080, 26624, 2304}, {22050, 16, 2, 5536, 44128, 53248, 4608},
      {44100, 8, 1, 2784, 22080, 26624, 2304},  {44100, 8, 2, 5536, 44128, 53248, 4608},
      {44100, 16, 1, 5536, 44128, 53248, 4608}, {44100, 16, 2, 11040, 88224, 106496, 8960},
  };
  const QuorMovie longMovie = MovieOf(250, 25);  // ten seconds
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.rate << " Hz, " << c.bits << " bits, " << c.channels << " ch");
    const uint32_t bps = c.rate * c.bits / 8 * c.channels;
    const QueuedSizes q = QueuedSizesFor(bps, &longMovie);
    EXPECT_EQ(q.buffer, c.queuedBuffer);
    EXPECT_EQ(q.startThreshold, c.queuedStart);
    const LoopingSizes l = LoopingSizesFor(bps, &longMovie);
    EXPECT_EQ(l.buffer, c.loopingBuffer);
    EXPECT_EQ(l.chunk, c.loopingChunk);
    EXPECT_EQ(l.startThreshold, c.loopingBuffer);
    // The tracks the backends open carry the device chunk in ring bytes (twice for 8-bit).
    const uint32_t ringBytes = c.bits == 8 ? 2 : 1;
    for (uint32_t looping : {0u, 1u}) {
      CaptureTrack track({nullptr, 0, looping}, c.rate, c.bits, c.channels, longMovie);
      ASSERT_TRUE(track.opened());
      EXPECT_EQ(track.t().deviceChunk, (looping ? c.loopingChunk : c.queuedBuffer) * ringBytes);
      EXPECT_EQ(track.t().latency, 0u);
      EXPECT_EQ(track.t().speed, 0x10000u);
      EXPECT_EQ(track.t().volume, 32767u);
      EXPECT_EQ(track.t().pan, 32767u);
      EXPECT_EQ(track.t().on, 1u);
    }
  }
  // A movie shorter than half a second: both thresholds are its whole audio (22050 Hz, 16-bit
  // mono, 10 frames at 25 per second: 17640 bytes); a stereo size not a multiple of 4 is cut to
  // whole sample frames. A movie without a frame rate: half a second, or one chunk.
  const QuorMovie shortMovie = MovieOf(10, 25);
  EXPECT_EQ(QueuedSizesFor(44100, &shortMovie).startThreshold, 17640u);
  EXPECT_EQ(LoopingSizesFor(44100, &shortMovie).startThreshold, 17640u);
  const QuorMovie odd = MovieOf(1, 30000, 1001);  // 44100 Hz 16-bit stereo: 5885 bytes
  EXPECT_EQ(LoopingSizesFor(176400, &odd).startThreshold, 5884u);
  const QuorMovie fast = MovieOf(10, 0, 0);
  EXPECT_EQ(QueuedSizesFor(44100, &fast).startThreshold, 22080u);
  EXPECT_EQ(LoopingSizesFor(44100, &fast).startThreshold, 2304u);
}

}  // namespace
}  // namespace quortest

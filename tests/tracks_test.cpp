// Choosing and opening the played tracks, and where their packets go.
#include "movie_fixture.h"
#include "sound_system.h"

namespace quortest {
namespace {

class Tracks : public ::testing::Test {
 protected:
  void SetUp() override {
    FakeSound::Get().Reset();
    FakeSound::Get().ready = false;  // the device takes nothing: rings keep what they get
    UseFakeSound();
  }
  // Tracks with ids 0, 7 and 9; `formats` overrides their format words.
  QuorMovie* Open(uint32_t flags, std::vector<uint32_t> formats = {}, uint32_t frames = 6) {
    MovieSpec spec = PatternMovie(frames, 40, 3);
    const uint32_t ids[] = {0, 7, 9};
    for (size_t t = 0; t < 3; ++t) {
      spec.tracks[t].id = ids[t];
      if (t < formats.size()) spec.tracks[t].format = formats[t];
    }
    spec_ = spec;
    image_ = BuildMovie(spec);
    QuorMovie* m = QuorOpenImage(image_.data(), image_.size(), flags);
    EXPECT_NE(m, nullptr) << QuorErrorText();
    return m;
  }
  std::vector<uint32_t> Active(QuorMovie* m) {
    auto list = Internals(m).ActiveTracks();
    return {list.begin(), list.end()};
  }
  MovieSpec spec_;
  std::vector<uint8_t> image_;
};

TEST_F(Tracks, ChosenByIdInRequestOrder) {
  struct Case {
    std::vector<uint32_t> ids;
    bool useList;
    std::vector<uint32_t> active;  // indices into the track tables
  } cases[] = {
      {{9, 0}, true, {2, 0}},
      {{7, 7}, true, {1, 1}},     // a track may be listed twice
      {{5, 6}, true, {}},          // ids that don't exist: silent
      {{9}, false, {0}},           // without the flag the list is id 0
      {{1, 2, 3, 4, 5, 6, 8, 10, 9}, true, {}},  // cut to 8 ids: 9 is the ninth
  };
  for (const Case& c : cases) {
    QuorChooseSoundTracks(static_cast<uint32_t>(c.ids.size()), c.ids.data());
    QuorMovie* m = Open(c.useList ? QUOR_OPEN_TRACK_LIST : 0);
    EXPECT_EQ(Active(m), c.active);
    EXPECT_EQ(Internals(m).soundOn, c.active.empty() ? 0u : 1u);
    QuorClose(m);
  }
  // Every open resets the request to id 0.
  QuorMovie* m = Open(QUOR_OPEN_TRACK_LIST);
  EXPECT_EQ(Active(m), std::vector<uint32_t>{0});
  QuorClose(m);
  EXPECT_EQ(quor::OpenTrackCount(), 0u);
  EXPECT_EQ(FakeSound::Get().opened, FakeSound::Get().closed);
}

TEST_F(Tracks, TracksThatCannotPlayAreDropped) {
  const uint32_t ids[] = {0, 7, 9};
  QuorChooseSoundTracks(3, ids);
  // Track 0 has no audio-present bit; track 9's decoded-size table is absurd.
  MovieSpec spec = PatternMovie(6, 40, 3);
  spec.tracks[0].format = 22050;
  spec.tracks[1].id = 7;
  spec.tracks[2].id = 9;
  spec.tracks[2].largestDecoded = 0xFFFFFFFF;
  image_ = BuildMovie(spec);
  QuorMovie* m = QuorOpenImage(image_.data(), image_.size(), QUOR_OPEN_TRACK_LIST);
  ASSERT_NE(m, nullptr);
  EXPECT_EQ(Active(m), std::vector<uint32_t>{1});
  EXPECT_EQ(FakeSound::Get().opened, 2);
  EXPECT_EQ(FakeSound::Get().closed, 1) << "the track without a ring is closed again";
  EXPECT_EQ(quor::OpenTrackCount(), 1u);
  // The skipped track's sections don't disturb the split of the others.
  for (int i = 0; i < 6; ++i) {
    ASSERT_EQ(QuorDecodeFrame(m), 0);
    QuorStepFrame(m);
  }
  QuorClose(m);
  EXPECT_EQ(quor::OpenTrackCount(), 0u);

  // No device: the movie plays silently on the wall clock.
  FakeSound::Get().failOpen = true;
  m = Open(0);
  EXPECT_TRUE(Active(m).empty());
  EXPECT_EQ(Internals(m).soundOn, 0u);
  EXPECT_EQ(Internals(m).soundTracks[0].speed, 0x10000u);
  QuorClose(m);
}

TEST_F(Tracks, RateOverrideScalesTheSoundRate) {
  QuorOverrideFrameRate(50, 1);  // the file plays at 25 frames a second
  QuorMovie* m = Open(QUOR_OPEN_RATE_OVERRIDE, {0x80000000u | 22050, 0x80000000u | 11025});
  EXPECT_EQ(FakeSound::Get().openedRates, std::vector<uint32_t>{44100});
  const QuorSoundTrack& t = Internals(m).soundTracks[0];
  EXPECT_EQ(t.bits, 8u);
  EXPECT_EQ(t.channels, 1u);
  EXPECT_EQ(t.eightBit, 1u);
  // 750 ms of 16-bit decoded audio at the played rate, within the ring.
  EXPECT_EQ(t.preloadAmount, std::min<uint32_t>(44100 * 2 * 750 / 1000 & ~3u, t.ringSize));
  EXPECT_EQ(t.ringSize % 256, 0u);
  EXPECT_EQ(t.leadOutFrame, 0u) << "shorter than three quarters of a second: all lead-out";
  QuorClose(m);
}

TEST_F(Tracks, EachPacketFeedsItsOwnTrack) {
  const uint32_t ids[] = {7};
  QuorChooseSoundTracks(1, ids);
  QuorMovie* m = Open(QUOR_OPEN_TRACK_LIST, {0xC0000000u | 22050, 0xE0000000u | 44100});
  ASSERT_EQ(Active(m), std::vector<uint32_t>{1});
  const QuorSoundTrack& t = Internals(m).soundTracks[0];
  EXPECT_EQ(t.channels, 2u);
  EXPECT_EQ(t.bits, 16u);
  uint32_t expected = 0;
  for (int i = 0; i < 6; ++i) {
    const TrackData& data = spec_.frames[i].tracks[1];
    if (data.present) expected = std::min(expected + data.decodedSize, t.ringSize);
    ASSERT_EQ(QuorDecodeFrame(m), 0);
    EXPECT_EQ(t.queued, expected) << "frame " << i;
    QuorStepFrame(m);
  }
  QuorClose(m);
}

TEST_F(Tracks, UnderrunRefillsTheRingWithSilence) {
  QuorMovie* m = Open(0, {}, 60);
  quor::Movie& in = Internals(m);
  ASSERT_EQ(in.activeCount, 1u);
  QuorSoundTrack& t = in.soundTracks[0];
  EXPECT_EQ(t.leadOutFrame, 60u - 3 * 25 / 4);
  ASSERT_EQ(QuorDecodeFrame(m), 0);
  QuorStepFrame(m);
  ASSERT_EQ(QuorDecodeFrame(m), 0);
  t.underrun = 1;
  FakeSound::Get().onOffCalls.clear();
  ASSERT_LT(t.queued, t.preloadAmount);
  QuorStepFrame(m);
  EXPECT_EQ(in.soundSkips, 1u);
  EXPECT_EQ(t.underrun, 0u);
  EXPECT_EQ(t.queued, t.preloadAmount) << "topped up with silence";
  EXPECT_EQ(FakeSound::Get().onOffCalls, (std::vector<int>{0, 1}));
  // Beyond the lead-out a short ring is no underrun.
  QuorGoto(m, 44);
  t.underrun = 1;
  QuorStepFrame(m);
  EXPECT_EQ(in.soundSkips, 1u);
  QuorClose(m);
}

}  // namespace
}  // namespace quortest

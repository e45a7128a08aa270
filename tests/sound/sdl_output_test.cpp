// The sound card path on SDL's dummy driver (no hardware), and a movie that plays silently when
// there is no audio device at all.
#include <gtest/gtest.h>

#include <cstdlib>

#include "clock.h"
#include "jov_audio.h"
#include "movie.h"
#include "movie_writer.h"
#include "sound_system.h"
#include "sound_test_kit.h"

namespace quortest {
namespace {

class SdlOutput : public ::testing::Test {
 protected:
  void TearDown() override { unsetenv("SDL_AUDIODRIVER"); }
  static QuorMovie* OpenMovie(std::vector<uint8_t>& image) {
    MovieSpec spec = PatternMovie(30, 40, 1);
    spec.tracks[0].format = 0xE0000000u | 22050;  // 16-bit stereo
    image = BuildMovie(spec);
    return QuorOpenImage(image.data(), image.size(), 0);
  }
};

TEST_F(SdlOutput, DummyDriverPlaysQueuedBuffersAndMarksThemDone) {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  ASSERT_TRUE(jov::SoundCardAvailable());
  auto queue = jov::OpenSoundCardQueue({22050, 16, 2}, 16, 5536);
  ASSERT_NE(queue, nullptr);
  EXPECT_TRUE(queue->Done(0));
  queue->Write(0, 5536);
  queue->Write(1, 100);
  EXPECT_FALSE(queue->Done(1)) << "queued behind buffer 0";
  // The dummy driver pulls at the real pace; give it up to two seconds.
  for (int i = 0; i < 2000 && !queue->Done(1); ++i) quor::Sleep(1);
  EXPECT_TRUE(queue->Done(0));
  EXPECT_TRUE(queue->Done(1));
  queue.reset();  // the dummy driver has a single device

  auto looping = jov::OpenSoundCardLooping({11025, 8, 1}, 7168);
  ASSERT_NE(looping, nullptr);
  EXPECT_FALSE(looping->Playing());
  looping->Play();
  uint32_t moved = 0;
  for (int i = 0; i < 2000 && (moved = looping->GetCursors().play) == 0; ++i) quor::Sleep(1);
  EXPECT_GT(moved, 0u) << "the play cursor runs while playing";
  looping->Stop();
  EXPECT_FALSE(looping->Playing());
}

TEST_F(SdlOutput, MoviesPlayThroughBothBackendsOnTheDummyDriver) {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  for (QuorSoundSelector selector : {QuorSoundUseDirectSound, QuorSoundUseWaveOut}) {
    ASSERT_EQ(QuorSelectSoundOutput(selector, 0), 1);
    std::vector<uint8_t> image;
    QuorMovie* m = OpenMovie(image);
    ASSERT_NE(m, nullptr) << QuorErrorText();
    EXPECT_EQ(quor::AsMovie(m)->activeCount, 1u);
    EXPECT_EQ(quor::AsMovie(m)->soundOn, 1u);
    for (int i = 0; i < 30; ++i) {
      ASSERT_EQ(QuorDecodeFrame(m), 0);
      QuorStepFrame(m);
    }
    QuorSetPaused(m, 1);
    QuorSetPaused(m, 0);
    QuorClose(m);
    EXPECT_EQ(quor::OpenTrackCount(), 0u);
  }
}

TEST_F(SdlOutput, WithoutAnAudioDeviceTheMoviePlaysSilently) {
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  EXPECT_FALSE(jov::SoundCardAvailable());
  EXPECT_EQ(QuorSelectSoundOutput(QuorSoundUseDirectSound, 0), 0) << "no sound available";
  ASSERT_EQ(QuorSelectSoundOutput(QuorSoundUseWaveOut, 0), 1);
  std::vector<uint8_t> image;
  QuorMovie* m = OpenMovie(image);
  ASSERT_NE(m, nullptr) << QuorErrorText();
  EXPECT_EQ(quor::AsMovie(m)->activeCount, 0u) << "the track's device can't open";
  EXPECT_EQ(quor::AsMovie(m)->soundOn, 0u);
  EXPECT_EQ(QuorDecodeFrame(m), 0);
  QuorClose(m);
}

}  // namespace
}  // namespace quortest

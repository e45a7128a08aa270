// A movie whose decoding falls behind its paced capture device: the device runs dry, the next
// step records the underrun and refills the ring with the preload amount of silence.
#include <gtest/gtest.h>

#include "clock.h"
#include "movie.h"
#include "movie_writer.h"
#include "sound_system.h"
#include "sound_test_kit.h"

namespace quortest {
namespace {

TEST(MovieUnderrun, ADeviceThatRanDryIsRecoveredOnceWithinTheLeadIn) {
  quor::ManualClock clock(1000, 1);
  for (uint32_t looping : {0u, 1u}) {
    SCOPED_TRACE(looping ? "looping buffer" : "queued buffers");
    const QuorCaptureOptions options{nullptr, 1, looping};
    ASSERT_EQ(QuorSelectSoundOutput(QuorSoundUseCapture, reinterpret_cast<uintptr_t>(&options)), 1);
    MovieSpec spec = PatternMovie(100, 40, 1);
    spec.tracks[0].format = 0xC0000000u | 22050;
    spec.tracks[0].largestDecoded = 65536;
    for (FrameSpec& f : spec.frames) {
      f.tracks[0].present = true;
      f.tracks[0].decodedSize = 1764;  // one frame's worth at 25 frames a second
    }
    const std::vector<uint8_t> image = BuildMovie(spec);
    QuorMovie* m = QuorOpenImage(image.data(), image.size(), 0);
    ASSERT_NE(m, nullptr) << QuorErrorText();
    quor::Movie& in = *quor::AsMovie(m);
    ASSERT_EQ(in.activeCount, 1u);
    QuorSoundTrack& t = in.soundTracks[0];
    // In step: a frame every 40 ms keeps the device fed once it has started.
    for (int i = 0; i < 40; ++i) {
      ASSERT_EQ(QuorDecodeFrame(m), 0);
      QuorStepFrame(m);
      clock.Advance(40);
    }
    EXPECT_EQ(in.soundSkips, 0u);
    // Decoding stalls for two seconds: the device plays out everything and runs dry.
    clock.Advance(2000);
    ASSERT_EQ(QuorDecodeFrame(m), 0);
    QuorStepFrame(m);
    EXPECT_EQ(in.soundSkips, 1u);
    EXPECT_EQ(t.underrun, 0u) << "cleared by the step";
    EXPECT_EQ(in.soundOn, 1u);
    QuorClose(m);
    EXPECT_EQ(quor::OpenTrackCount(), 0u);
  }
}

}  // namespace
}  // namespace quortest

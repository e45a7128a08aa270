// The playback loop on the headless screen under the manual clock: list loops, keys, focus,
// the end picture, window placement, the statistics line and failures.
#include <algorithm>

#include "end_picture.h"
#include "player_fixture.h"
#include "texts.h"

namespace quortest {
namespace {

using quorplay::Player;

class Playback : public ::testing::Test {
 protected:
  std::string movie(const std::string& name, uint32_t frames) { return folder.write(name, ShortDemo(frames)); }
  TempFolder folder;
};

TEST_F(Playback, ListLoopsPlayEveryFileInTurnThenTheEndPicture) {
  const std::string a = movie("a.qor", 3), b = movie("b.qor", 2);
  PlayerRun run("/L2 " + a + " " + b);
  ASSERT_TRUE(run.player->start());
  ASSERT_TRUE(run.until([&] { return run.player->showingEndPicture(); }));
  EXPECT_EQ(run.player->started(), (std::vector<std::string>{a, b, a, b}));
  EXPECT_EQ(run.player->framesPresented(), 10);
  EXPECT_EQ(run.player->keptSummary().framesDecoded, 2u);  // the last movie's
}

TEST_F(Playback, OneFileLoopsItselfAndNamesWithoutExtensionGetQor) {
  movie("short.qor", 4);
  PlayerRun run("/L3 " + folder.file("short"));
  ASSERT_TRUE(run.player->start());
  ASSERT_TRUE(run.until([&] { return run.player->showingEndPicture(); }));
  EXPECT_EQ(run.player->started().size(), 1u);
  EXPECT_EQ(run.player->framesPresented(), 12);
}

TEST_F(Playback, SpacePausesEnterStepsOneFrameSpaceResumes) {
  PlayerRun run(movie("a.qor", 50));
  ASSERT_TRUE(run.player->start());
  ASSERT_TRUE(run.until([&] { return run.player->framesPresented() == 3; }));
  run.key(' ');
  for (int i = 0; i < 2000; ++i) run.player->pass();
  EXPECT_TRUE(run.player->userPaused());
  EXPECT_EQ(run.player->framesPresented(), 3);
  for (int press = 1; press <= 3; ++press) {
    run.key(13);
    for (int i = 0; i < 2000; ++i) run.player->pass();
    EXPECT_EQ(run.player->framesPresented(), 3 + press);
  }
  run.key(' ');
  ASSERT_TRUE(run.until([&] { return run.player->framesPresented() == 10; }, 20000));
}

TEST_F(Playback, DisabledControlsDoNothing) {
  PlayerRun run("/U7 " + movie("a.qor", 30));
  ASSERT_TRUE(run.player->start());
  for (int32_t k : {32, 13, 46, 27}) run.key(k);
  ASSERT_TRUE(run.until([&] { return run.player->showingEndPicture(); }));
  EXPECT_EQ(run.player->framesPresented(), 30);
  EXPECT_FALSE(run.player->userPaused());
}

TEST_F(Playback, SkipMovesOnAndEscapeKeepsTheSummaryThenClosesAtOnce) {
  const std::string a = movie("a.qor", 40), b = movie("b.qor", 40);
  PlayerRun run("/L2 " + a + " " + b);
  ASSERT_TRUE(run.player->start());
  ASSERT_TRUE(run.until([&] { return run.player->framesPresented() == 5; }));
  run.key('.');
  ASSERT_TRUE(run.until([&] { return run.player->started().size() == 2; }));
  ASSERT_TRUE(run.until([&] { return run.player->framesPresented() == 8; }));
  run.key(27);
  ASSERT_TRUE(run.until([&] { return run.player->showingEndPicture(); }));
  EXPECT_EQ(run.player->started().size(), 2u);  // the rest of the list is dropped
  EXPECT_EQ(run.player->keptSummary().framesDecoded, 3u);
  run.key(27);
  const uint32_t before = JovTimerRead();
  EXPECT_TRUE(run.toTheEnd(100));
  EXPECT_LT(JovTimerRead() - before, 100u);
}

TEST_F(Playback, LosingTheFocusPausesAndRegainingRestoresTheUsersState) {
  for (const bool keepPlaying : {false, true}) {
    PlayerRun run(std::string(keepPlaying ? "/J " : "") + movie("a.qor", 60));
    ASSERT_TRUE(run.player->start());
    ASSERT_TRUE(run.until([&] { return run.player->framesPresented() == 2; }));
    run.display.post({JovEvent::kFocusLost});
    for (int i = 0; i < 1000; ++i) run.player->pass();
    EXPECT_EQ(run.player->framesPresented() > 2, keepPlaying);
    run.display.post({JovEvent::kFocusGained});
    const int now = run.player->framesPresented();
    ASSERT_TRUE(run.until([&] { return run.player->framesPresented() == now + 3; }, 20000));
  }
}

TEST_F(Playback, EndPictureShowsFor2250MsAndTheSummaryGoesOut) {
  PlayerRun run("/S " + movie("a.qor", 2));
  ASSERT_TRUE(run.player->start());
  ASSERT_TRUE(run.until([&] { return run.player->showingEndPicture(); }));
  const uint32_t shown = JovTimerRead();
  QuorMovie* picture = run.player->movie();
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->width, 224u);
  EXPECT_EQ(picture->height, 252u);
  run.key('.');  // ignored while it shows
  ASSERT_TRUE(run.toTheEnd());
  const uint32_t ended = JovTimerRead() - shown;
  EXPECT_GE(ended, quorplay::kEndPictureMs);
  EXPECT_LE(ended, quorplay::kEndPictureMs + 20);
  testing::internal::CaptureStdout();
  EXPECT_EQ(run.player->finish(), 0);
  const std::string out = testing::internal::GetCapturedStdout();
  EXPECT_EQ(out.rfind(std::string(quorplay::kSummaryCaption) + "\nVideo: 320 x 240 at 25.0 frames/sec\n", 0), 0u)
      << out;
}

TEST_F(Playback, WindowIsCentredOnAFourPixelGridAndDecoderDoublesForW2) {
  PlayerRun run("/W-2 " + movie("a.qor", 3));
  ASSERT_TRUE(run.player->start());
  const QuorSurface* s = run.player->surface();
  EXPECT_EQ(run.player->movie()->width, 640u);   // doubled by the decoder (mode 3)
  EXPECT_EQ(run.player->movie()->height, 240u);
  EXPECT_EQ(run.player->movie()->flags & QUOR_OPEN_DISPLAY_MODE_MASK, 3u << QUOR_OPEN_DISPLAY_MODE_SHIFT);
  EXPECT_EQ(s->destWidth, 640u);
  const JovRect frame = run.player->window()->frame();
  EXPECT_EQ(frame.x, ((1024 - int32_t(s->windowWidth)) / 2) & ~3);
  EXPECT_EQ(frame.y, (768 - int32_t(s->windowHeight)) / 2);
  EXPECT_EQ(run.player->window()->client().width, 640);
}

TEST_F(Playback, WindowsWidenedForTheStatisticsLineStayCentredAndBlackScreensCoverAll) {
  const std::string a = movie("a.qor", 3);
  {
    PlayerRun run("/Q " + a);
    ASSERT_TRUE(run.player->start());
    const JovRect frame = run.player->window()->frame();
    EXPECT_GT(frame.width, 320);
    EXPECT_EQ(frame.x, ((1024 - frame.width) / 2) & ~3);
    EXPECT_EQ(frame.y, (768 - frame.height) / 2);
  }
  {
    PlayerRun run("/R /X101 /Y40 " + a);
    ASSERT_TRUE(run.player->start());
    EXPECT_EQ(run.player->window()->client(), (JovRect{0, 0, 1024, 768}));
    const QuorSurface* s = run.player->surface();
    EXPECT_EQ(s->pictureY, 40);
    EXPECT_GE(s->pictureX, 101);  // aligned upwards
    EXPECT_LT(s->pictureX, 101 + 8);
    ASSERT_TRUE(run.until([&] { return run.player->framesPresented() == 1; }));
    EXPECT_EQ(run.display.rgbAt(10, 10), 0u);  // black around the picture
    EXPECT_NE(run.display.rgbAt(s->pictureX + 50, 90), 0u);
  }
}

TEST_F(Playback, FramesAppearOnTheScreenWithTheStatisticsLineAbove) {
  PlayerRun run("/Q /X100 /Y50 " + movie("a.qor", 5));
  ASSERT_TRUE(run.player->start());
  ASSERT_TRUE(run.until([&] { return run.player->framesPresented() == 2; }));
  const JovRect client = run.player->window()->client();
  const JovRect line = run.player->statisticsLine();
  // The window is wider than the movie for the line, which is centred over the picture.
  EXPECT_GT(client.width, 320);
  EXPECT_EQ(line.height, client.height - 240);
  const QuorSurface* s = run.player->surface();
  EXPECT_EQ(s->pictureY, line.height);
  EXPECT_EQ(s->pictureX, ((client.width - 320) / 2) & ~3);
  int yellow = 0;
  for (int32_t x = 0; x < client.width; ++x)
    for (int32_t y = 0; y < line.height; ++y) yellow += run.display.rgbAt(client.x + x, client.y + y) == 0xFFFF00;
  EXPECT_GT(yellow, 100);
  // The picture itself: the demo's gradient is not black anywhere.
  int black = 0;
  for (int32_t y = 0; y < 240; y += 7)
    for (int32_t x = 0; x < 320; x += 7) black += run.display.rgbAt(s->screenX + x, s->screenY + y) == 0;
  EXPECT_EQ(black, 0);
}

TEST_F(Playback, BadMoviesEndWithTheDecodersTextAndResultOne) {
  const std::string damaged = folder.write("bad.qor", {'Q', 'O', 'R', 'i', 1, 2, 3});
  for (const std::string& name : {folder.file("missing.qor"), damaged}) {
    PlayerRun run(name);
    EXPECT_FALSE(run.player->start());
    EXPECT_EQ(run.player->finish(), 1);
    ASSERT_EQ(run.display.messages().size(), 1u);
    EXPECT_EQ(run.display.messages()[0].first, quorplay::kErrorCaption);
    EXPECT_FALSE(run.display.messages()[0].second.empty());
  }
}

TEST_F(Playback, AMovieDamagedPartWayEndsLikeAFinishedOne) {
  std::vector<uint8_t> bytes = ShortDemo(20);
  bytes.resize(GetWord(bytes, 44 + 4 * 10) & ~3u);  // the file ends where frame 11 should start
  PlayerRun run(folder.write("cut.qor", bytes));
  ASSERT_TRUE(run.player->start());
  ASSERT_TRUE(run.until([&] { return run.player->showingEndPicture(); }, 50000));
  EXPECT_LT(run.player->framesPresented(), 20);
}

TEST_F(Playback, MoviesStoredInTheProgramFilePlayFromTheirOffset) {
  std::vector<uint8_t> program(4096, 0x90);
  const std::vector<uint8_t> m = ShortDemo(2);
  program.insert(program.end(), m.begin(), m.end());
  quorplay::PlayerHooks hooks;
  hooks.programPath = folder.write("program", program);
  int reminders = 0;
  hooks.versionReminder = [&] { return ++reminders, false; };
  PlayerRun run(":4096", hooks);
  ASSERT_TRUE(run.player->start()) << QuorErrorText();
  ASSERT_TRUE(run.until([&] { return run.player->showingEndPicture(); }));
  EXPECT_EQ(run.player->framesPresented(), 2);
  EXPECT_EQ(reminders, 0);  // no reminder for the program's own movies
}

TEST_F(Playback, AcceptedVersionReminderEndsBeforePlayback) {
  quorplay::PlayerHooks hooks;
  hooks.versionReminder = [] { return true; };
  PlayerRun run(movie("a.qor", 3), hooks);
  EXPECT_FALSE(run.player->start());
  EXPECT_EQ(run.player->finish(), 1);
  EXPECT_EQ(run.player->framesPresented(), 0);
}

}  // namespace
}  // namespace quortest

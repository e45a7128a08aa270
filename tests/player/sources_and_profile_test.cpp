// Movie names and where they lead, the INI profile and the version reminder.
#include <gtest/gtest.h>

#include <fstream>

#include "movie_source.h"
#include "player_fixture.h"
#include "profile.h"
#include "texts.h"
#include "version_reminder.h"

namespace quorplay {
namespace {

TEST(MovieSource, NamesChooseFileProgramOrEmbedded) {
  const struct {
    const char* name;
    SourceKind kind;
    const char* path;
    uint64_t offset;
  } cases[] = {
      {"movie", SourceKind::kFile, "movie.qor", 0},
      {"movie.avi", SourceKind::kFile, "movie.avi", 0},
      {"/home/my.movies/intro", SourceKind::kFile, "/home/my.movies/intro.qor", 0},  // dot in a folder only
      {":4096", SourceKind::kProgram, "/self", 4096},
      {"/data/pack.bin|123", SourceKind::kEmbedded, "/data/pack.bin", 123},
  };
  for (const auto& c : cases) {
    const MovieSource s = SourceOf(c.name, "/self");
    EXPECT_EQ(s.kind, c.kind) << c.name;
    EXPECT_EQ(s.path, c.path) << c.name;
    EXPECT_EQ(s.offset, c.offset) << c.name;
  }
}

TEST(MovieSource, EmbeddedMoviesOpenAtTheirOffsetAndMissingFilesSayWhy) {
  quortest::TempFolder folder;
  std::vector<uint8_t> pack(777, 0xAB);
  const std::vector<uint8_t> movie = quortest::ShortDemo(3);
  pack.insert(pack.end(), movie.begin(), movie.end());
  const std::string path = folder.write("pack.bin", pack);

  OpenedMovie opened = OpenMovie(SourceOf(path + "|777", ""), 0);
  ASSERT_NE(opened.movie, nullptr) << QuorErrorText();
  EXPECT_EQ(opened.movie->width, 320u);
  EXPECT_TRUE(opened.file.valid());
  QuorClose(opened.movie);

  EXPECT_EQ(OpenMovie(SourceOf(path + "|0", ""), 0).movie, nullptr);  // no movie there
  EXPECT_EQ(OpenMovie(SourceOf(folder.file("none.bin") + "|0", ""), 0).movie, nullptr);
  EXPECT_STREQ(QuorErrorText(), kFileErrorText);
  EXPECT_EQ(OpenMovie(SourceOf(":0", folder.file("none")), 0).movie, nullptr);
  EXPECT_STREQ(QuorErrorText(), kExeErrorText);
}

TEST(Profile, KeysAreReadWrittenAndOtherLinesKept) {
  quortest::TempFolder folder;
  const std::string path = folder.file("cfg/jov.ini");
  const Profile profile(path);
  EXPECT_EQ(profile.read(kProfileSection, "QuorQuickPlay", "none", 256), "none");
  ASSERT_TRUE(profile.write(kProfileSection, "QuorQuickPlay", "/L2 a.qor"));
  {
    std::ofstream more(path, std::ios::app);
    more << "[Other]\nQuorQuickPlay=elsewhere\n";
  }
  ASSERT_TRUE(profile.write(kProfileSection, "LastVersionCheckDate", "2024-05-01"));
  ASSERT_TRUE(profile.write("Other", "Key", "v"));
  EXPECT_EQ(profile.read(kProfileSection, "quorquickplay", "", 256), "/L2 a.qor");
  EXPECT_EQ(profile.read(kProfileSection, "QuorQuickPlay", "", 3), "/L2");
  EXPECT_EQ(profile.read(kProfileSection, "LastVersionCheckDate", "", 15), "2024-05-01");
  EXPECT_EQ(profile.read("Other", "QuorQuickPlay", "", 256), "elsewhere");
  EXPECT_EQ(profile.read("Other", "Key", "", 256), "v");
}

TEST(VersionReminder, DatesAroundMonthAndYearEnds) {
  EXPECT_EQ(FormatDate(TwoMonthsBefore({2024, 1, 31})), "2023-11-31");  // same day number
  EXPECT_EQ(FormatDate(TwoMonthsBefore({2024, 5, 10})), "2024-03-10");
  EXPECT_EQ(FormatDate(WeekBefore({2024, 5, 10})), "2024-05-03");
  EXPECT_EQ(FormatDate(WeekBefore({2024, 5, 3})), "2024-04-26");
  EXPECT_EQ(FormatDate(WeekBefore({2024, 1, 7})), "2023-12-30");
}

TEST(VersionReminder, AsksAtMostOnceAWeekAndYesEndsTheProgram) {
  quortest::TempFolder folder;
  const Profile profile(folder.file("jov.ini"));
  int asked = 0;
  bool answer = false;
  std::vector<std::string> opened;
  const ReminderActions actions{[&](const std::string& caption, const std::string& text) {
                                  EXPECT_EQ(caption, kVersionCaption);
                                  EXPECT_EQ(text, kVersionQuestion);
                                  ++asked;
                                  return answer;
                                },
                                [&](const std::string& url) { opened.push_back(url); }, [](uint32_t) {}};
  EXPECT_FALSE(RunVersionReminder({2024, 5, 20}, profile, actions));  // never checked: asks, No
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(profile.read(kProfileSection, "LastVersionCheckDate", "", 15), "2024-05-20");
  EXPECT_FALSE(RunVersionReminder({2024, 5, 26}, profile, actions));  // within the week
  EXPECT_EQ(asked, 1);
  answer = true;
  EXPECT_TRUE(RunVersionReminder({2024, 5, 28}, profile, actions));
  EXPECT_EQ(asked, 2);
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0], WebRoot() + "/scripts/quorver.asp?ver=1.2i");
  EXPECT_FALSE(RunVersionReminder({2002, 2, 20}, Profile(folder.file("fresh.ini")), actions));  // soon after the build
  EXPECT_EQ(asked, 2);
}

}  // namespace
}  // namespace quorplay

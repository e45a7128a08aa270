// Building the command text from the stored line, the arguments and /!.
#include <gtest/gtest.h>

#include "command_text.h"
#include "jov_strings.h"

namespace quorplay {
namespace {

// Words separated by single blanks.
std::string Words(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == ' ') {
      if (!out.empty() && out.back() != ' ') out += ' ';
    } else {
      out += text[i];
    }
  }
  if (!out.empty() && out.back() == ' ') out.pop_back();
  return out;
}

TEST(CommandText, StoredLineArgumentsCancellationsAndQuickPlay) {
  const struct {
    const char* stored;
    const char* arguments;
    const char* quickPlay;
    const char* expected;
  } cases[] = {
      {"~~~~~~~~", "a.qor /S", "", "a.qor /S"},
      {"intro.qor /L2~~~~~~~", "a.qor", "", "intro.qor /L2 a.qor"},
      {"/S~~", "a.qor /-S", "", "a.qor"},              // a later /-S cancels the stored /S
      {"", "a.qor /! /Q", " b.qor /L", "a.qor /Q b.qor /L"},  // appended as it stands
      {"", "a.qor", "b.qor", "a.qor"},                 // without /! the profile text stays out
  };
  for (const auto& c : cases) {
    CommandText command = BuildCommandText(c.stored, c.arguments, c.quickPlay);
    EXPECT_EQ(Words(command.str()), c.expected) << c.stored << " | " << c.arguments;
  }
}

TEST(CommandText, QuickPlayIsReadOnlyWhenAskedForAndOnlyOnce) {
  int reads = 0;
  const auto quick = [&] {
    ++reads;
    return std::string(" q.qor");
  };
  BuildCommandText("", "a.qor", quick);
  EXPECT_EQ(reads, 0);
  CommandText twice = BuildCommandText("", "a.qor /! /!", quick);
  EXPECT_EQ(reads, 1);
  EXPECT_NE(twice.str().find("/!"), std::string::npos);  // the second one is left for the help
}

TEST(CommandText, OverlongTextIsCutToTheBuffer) {
  const std::string stored(600, 'x');  // only 511 characters of it count
  const std::string arguments(2000, 'y');
  CommandText command = BuildCommandText(stored, arguments, "");
  const std::string text = command.str();
  EXPECT_EQ(text.size(), kCommandSize - 1);
  EXPECT_EQ(text.find_first_not_of('x'), 511u);
}

TEST(CommandText, ArgumentsWithBlanksAreQuoted) {
  const std::vector<std::string> args{"/L2", "/home/me/My Movies/a b.qor", "c.qor"};
  const std::string joined = JoinArguments(args);
  EXPECT_EQ(joined, "/L2 \"/home/me/My Movies/a b.qor\" c.qor");
  char list[1024];
  std::snprintf(list, sizeof list, "%s", joined.c_str() + 4);
  char item[JOV_TEXT_SIZE];
  GetAndRemoveFirstQuoted(item, list);
  EXPECT_STREQ(item, "/home/me/My Movies/a b.qor");
}

TEST(CommandText, StoredBlockIsEmptyAsShipped) { EXPECT_EQ(StoredCommandLine(), ""); }

}  // namespace
}  // namespace quorplay

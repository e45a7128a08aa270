// Switch reading and removal: the match rules per kind of switch, values and quotes, cancelling
// switches, and telling switches from file names on POSIX command lines.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "jov_strings.h"
#include "scratch_dir.h"
#include "seeds.h"
#include "text_buffer.h"

namespace {

using utiltest::OutputBuffer;
using utiltest::TextBuffer;

// The switches fuzz target reads a letter byte, then the command text.
void Seed(const std::string& name, char letter, const std::string& cmd) {
  const std::string input = letter + cmd;
  quortest::WriteSeed("switches", name, std::vector<uint8_t>(input.begin(), input.end()));
}

struct BareCase {
  const char* cmd;
  char letter;
  bool found;
  const char* left;
};

TEST(GetSwitch, MatchesOnlyWhenNothingAlphanumericFollowsTheLetter) {
  const BareCase cases[] = {
      {"/V", 'V', true, ""},                      // the terminator counts
      {"a.qor /v", 'V', true, "a.qor "},          // the letter is upper-cased
      {"/V1", 'V', false, "/V1"},                 // a digit: a number switch
      {"/Va", 'V', false, "/Va"},                 // a letter: another word
      {"/V.x", 'V', true, ".x"},                  // punctuation below '0'
      {"/V:", 'V', false, "/V:"},                 // ':' is above '0'
      {"/V\xE9", 'V', true, "\xE9"},              // 128-255 are negative bytes
      {"/Vx /V y", 'V', true, "/Vx  y"},          // the first match, not the first /V
      {"/S /S", 'S', true, " /S"},                // one at a time
      {"-Q a.qor", 'Q', true, " a.qor"},          // '-' starts a switch too
      {"/V\"x\"", 'V', true, "\"x\""},            // a quote is below '0'
      {"/! more", '!', true, " more"},
  };
  for (const BareCase& c : cases) {
    TextBuffer cmd(c.cmd);
    EXPECT_EQ(GetSwitch(cmd.get(), c.letter) != 0, c.found) << c.cmd;
    EXPECT_EQ(cmd.str(), c.left) << c.cmd;
  }
  Seed("bare", 'V', "/Vx /V y -Q a.qor");
}

struct NumberCase {
  const char* cmd;
  char letter;
  int32_t fallback;
  int32_t value;
  const char* left;
};

TEST(GetSwitchNum, ReadsSignedDecimalsAndRemovesOnlyTheDigits) {
  const NumberCase cases[] = {
      {"/L-5 a.qor", 'L', 1, -5, " a.qor"},
      {"/L-x", 'L', 7, 7, "/L-x"},     // '-' must be followed by a digit
      {"/L", 'L', -1, -1, "/L"},       // bare: the default, buffer unchanged
      {"/V1", 'V', 0, 1, ""},
      {"/l12abc", 'L', 0, 12, "abc"},  // text behind the digits stays
      {"/L /L3", 'L', 0, 3, "/L "},
      {"/Lx /L3", 'L', 0, 3, "/Lx "},
      {"/#123456 a", '#', 0, 123456, " a"},
      {"-T2", 'T', 0, 2, ""},
      {"/E2147483648", 'E', 0, INT32_MIN, ""},  // wraps, never overflows
      {"/E4294967297", 'E', 0, 1, ""},
      {"/F1 /E9", 'E', 0, 9, "/F1 "},
  };
  for (const NumberCase& c : cases) {
    TextBuffer cmd(c.cmd);
    EXPECT_EQ(GetSwitchNum(cmd.get(), c.letter, c.fallback), c.value) << c.cmd;
    EXPECT_EQ(cmd.str(), c.left) << c.cmd;
  }
  Seed("number", 'L', "/Lx /L-5 /l12abc /L-x");
}

struct FractionCase {
  const char* cmd;
  bool found;
  int32_t numerator;
  int32_t denominator;
  const char* left;
};

TEST(GetSwitchFractional, ReadsWhatAtofrReadsAndRemovesWhatItConsumed) {
  const FractionCase cases[] = {
      {"/F29.97 a", true, 2997, 100, " a"},
      {"/F30000;1001", true, 30000, 1001, ""},
      {"/f-2", true, -2, 1, ""},
      {"/F24;x", true, 24, 1, ";x"},  // ';' without a digit behind is not consumed
      {"/F", false, -1, -1, "/F"},
      {"/F-.5", false, -1, -1, "/F-.5"},  // same match rule as numbers
      {"/Fx /F2.5", true, 5, 2, "/Fx "},
  };
  for (const FractionCase& c : cases) {
    TextBuffer cmd(c.cmd);
    int32_t n = 0;
    int32_t d = 0;
    EXPECT_EQ(GetSwitchFractional(cmd.get(), 'F', &n, &d, -1, -1) != 0, c.found) << c.cmd;
    EXPECT_EQ(n, c.numerator) << c.cmd;
    EXPECT_EQ(d, c.denominator) << c.cmd;
    EXPECT_EQ(cmd.str(), c.left) << c.cmd;
  }
  Seed("fraction", 'F', "/Fx /F30000;1001 /F24;x");
}

struct TextCase {
  const char* cmd;
  bool found;
  const char* value;
  const char* left;
};

TEST(GetSwitchStr, PlainAndQuotedValues) {
  const TextCase cases[] = {
      {"/Oout.qor a", true, "out.qor", " a"},
      {"/O\"my file.qor\" a", true, "my file.qor", " a"},
      {"/O\"/home/me/a b.qor\" c", true, "/home/me/a b.qor", " c"},  // a path in quotes
      {"/O\"open end", true, "open end", ""},                        // no closing quote
      {"/O a", false, "dflt", "/O a"},                                // followed by a blank
      {"/O", false, "dflt", "/O"},
      {"/O /ox", true, "x", "/O "},
      {"a.qor", false, "dflt", "a.qor"},
  };
  for (const TextCase& c : cases) {
    TextBuffer cmd(c.cmd);
    TextBuffer value = OutputBuffer();
    EXPECT_EQ(GetSwitchStr(cmd.get(), 'O', value.get(), "dflt") != 0, c.found) << c.cmd;
    EXPECT_EQ(value.str(), c.value) << c.cmd;
    EXPECT_EQ(cmd.str(), c.left) << c.cmd;
  }
  Seed("text", 'O', "/O /O\"my file.qor\" a /Oout.qor");
}

TEST(GetSwitchStr, LongValuesAreCutToTheOutputSize) {
  const std::string longName(400, 'n');
  TextBuffer cmd("/O" + longName + " a");
  TextBuffer value = OutputBuffer();
  ASSERT_TRUE(GetSwitchStr(cmd.get(), 'O', value.get(), nullptr));
  EXPECT_EQ(value.str(), longName.substr(0, JOV_TEXT_SIZE - 1));
  EXPECT_EQ(cmd.str(), " a");  // the whole switch is gone

  TextBuffer empty("");
  EXPECT_FALSE(GetSwitchStr(empty.get(), 'O', value.get(), longName.c_str()));
  EXPECT_EQ(value.str().size(), JOV_TEXT_SIZE - 1u);
}

TEST(RemoveMinusSwitches, LaterCancelsEarlier) {
  const struct {
    const char* cmd;
    const char* left;
  } cases[] = {
      {"/F30 a.qor /-F", " a.qor "},
      {"/O\"a b\" x /-O", " x "},               // no quote left behind
      {"/F30 /L2 /-F /F24", " /L2  /F24"},      // only settings before the /-F go
      {"/f1 /F2x /-F", "  "},                   // any case, with their values
      {"/-F /F2", " /F2"},
      {"a.qor /-", "a.qor "},                   // a bare /- cuts the line there
      {"/F1 /F2 /-", "/F1 /F2 "},               // and cancels nothing
      {"-F3 --F b", "  b"},                     // the '-' forms
      {"\"x /-F\" /F1", "\"x /-F\" /F1"},        // a quoted name holds no switches
      {"/Ox /O\"p /-O q\" /-O", "  "},          // nor does a quoted value
  };
  for (const auto& c : cases) {
    TextBuffer cmd(c.cmd);
    RemoveMinusSwitches(cmd.get());
    EXPECT_EQ(cmd.str(), c.left) << c.cmd;
  }
  Seed("minus", 'F', "/F30 /L2 /-F /O\"a b\" /-O /F24 /-");
}

// A switch starts a word with '/' or '-'; a word with a further '/' or naming an existing file
// is a file name.
TEST(SwitchRule, PathsAreNeverSwitches) {
  TextBuffer cmd("/F12 /home/me/a.qor -L2 ./b.qor");
  int32_t n = 0;
  int32_t d = 0;
  EXPECT_TRUE(GetSwitchFractional(cmd.get(), 'F', &n, &d, -1, -1));
  EXPECT_EQ(n, 12);
  EXPECT_EQ(GetSwitchNum(cmd.get(), 'L', 0), 2);
  EXPECT_EQ(GetSwitchNum(cmd.get(), 'H', 0), 0);  // /home is no /H switch
  EXPECT_FALSE(GetSwitch(cmd.get(), 'H'));
  EXPECT_EQ(FindSwitch(cmd.get()), nullptr);
  EXPECT_EQ(cmd.str(), " /home/me/a.qor  ./b.qor");

  TextBuffer list(cmd.str());
  TextBuffer item = OutputBuffer();
  GetAndRemoveFirstQuoted(item.get(), list.get());
  EXPECT_EQ(item.str(), "/home/me/a.qor");
  GetAndRemoveFirstQuoted(item.get(), list.get());
  EXPECT_EQ(item.str(), "./b.qor");
  Seed("paths", 'L', "/F12 /home/me/a.qor -L2 ./b.qor");
}

TEST(SwitchRule, WhatIsAFileName) {
  const struct {
    const char* cmd;
    bool switchFound;
  } cases[] = {
      {"/tmp/x.qor", false},         // /T is a switch letter, but a further '/' makes a path
      {"/P/L2", false},              // so adjacent switches must be written apart
      {"x/T", false},                // a switch starts a word
      {"a-T", false},
      {"\"my /T file.qor\"", false},  // inside a quoted name
      {"\"a b\"/T", false},
      {"/", false},
      {"- a", false},
      {"/T", true},
      {"\t-T", true},
      {"\"a b\" /T", true},
  };
  for (const auto& c : cases) {
    TextBuffer cmd(c.cmd);
    EXPECT_EQ(FindSwitch(cmd.get()) != nullptr, c.switchFound) << c.cmd;
    EXPECT_EQ(GetSwitch(cmd.get(), 'T') != 0, c.switchFound) << c.cmd;
  }
  TextBuffer cmd("a.qor /Q b.qor");
  EXPECT_EQ(FindSwitch(cmd.get()), cmd.get() + 6);
}

TEST(SwitchRule, ExistingFilesAreFileNames) {
  utiltest::ScratchDir dir;
  dir.Touch("-L2");
  dir.Touch("-x y.qor");
  TextBuffer cmd("-L2 -L3");
  EXPECT_EQ(GetSwitchNum(cmd.get(), 'L', 0), 3);
  EXPECT_EQ(cmd.str(), "-L2 ");
  EXPECT_EQ(FindSwitch(cmd.get()), nullptr);

  // Only the word up to the blank is looked up: "-x" alone is not a file here.
  TextBuffer spaced("-x y.qor");
  EXPECT_NE(FindSwitch(spaced.get()), nullptr);
  TextBuffer quoted("\"-x y.qor\" -Q");
  EXPECT_TRUE(GetSwitch(quoted.get(), 'Q'));
  EXPECT_EQ(quoted.str(), "\"-x y.qor\" ");
}

TEST(Switches, NullCommandLinesGiveDefaults) {
  int32_t n = 0;
  int32_t d = 0;
  TextBuffer value = OutputBuffer();
  EXPECT_FALSE(GetSwitch(nullptr, 'A'));
  EXPECT_EQ(GetSwitchNum(nullptr, 'A', 9), 9);
  EXPECT_FALSE(GetSwitchFractional(nullptr, 'A', &n, &d, 3, 4));
  EXPECT_EQ(n * 10 + d, 34);
  EXPECT_FALSE(GetSwitchStr(nullptr, 'A', value.get(), "v"));
  EXPECT_EQ(value.str(), "v");
  RemoveMinusSwitches(nullptr);
  EXPECT_EQ(FindSwitch(nullptr), nullptr);
}

}  // namespace

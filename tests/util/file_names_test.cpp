// File-name operations: extensions, full forms, directories (and staying in them), pieces of a
// path, and temporary names.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "jov_strings.h"
#include "scratch_dir.h"
#include "text_buffer.h"

namespace {

using utiltest::ScratchDir;
using utiltest::TextBuffer;

TEST(HasExtension, LastDotOfTheLastElement) {
  const struct {
    const char* path;
    int dot;  // offset of the '.', or -1
  } cases[] = {
      {"a.b.qor", 3},       {"movie.qor", 5},  {"name", -1},        {"dir.x/name", -1},
      {"dir.x\\name", -1},  {"c:name", -1},    {"/home/me/a.qor", 10}, {"", -1},
      {"dir/.hidden", 4},   {"trailing.", 8},
  };
  for (const auto& c : cases) {
    const char* dot = HasExtension(c.path);
    EXPECT_EQ(dot ? static_cast<int>(dot - c.path) : -1, c.dot) << c.path;
  }
}

std::string Full(const char* path) {
  TextBuffer buffer(path, JOV_TEXT_SIZE);
  ExpandFileName(buffer.get());
  return buffer.str();
}

TEST(ExpandFileName, AbsoluteAndResolvedOnTheText) {
  ScratchDir dir;
  const std::string& cwd = dir.path();
  EXPECT_EQ(Full("a/./b/../c.qor"), cwd + "/a/c.qor");  // need not exist
  EXPECT_EQ(Full("a\\b.qor"), cwd + "/a/b.qor");         // '\' separates too
  EXPECT_EQ(Full("/x//y/"), "/x/y/");                     // a trailing separator is kept
  EXPECT_EQ(Full("/../.."), "/");
  EXPECT_EQ(Full(""), cwd);
  EXPECT_EQ(Full("sub/.."), cwd);
  // A full form that would not fit a path buffer leaves the path as it was.
  const std::string longName(JOV_TEXT_SIZE - 2, 'n');
  EXPECT_EQ(Full(longName.c_str()), longName);

  TextBuffer path("x.qor", JOV_TEXT_SIZE);
  EXPECT_EQ(GetDrive(path.get()), '/');
  EXPECT_EQ(path.str(), cwd + "/x.qor");
}

TEST(IsDirectory, RewritesTheFullFormAndStaysOnlyWhenAsked) {
  ScratchDir dir;
  std::filesystem::create_directory("sub");
  dir.Touch("file.qor");
  const struct {
    const char* path;
    bool isDirectory;
    std::string rewritten;
  } cases[] = {
      {"  sub/ ", true, dir.path() + "/sub"},
      {"sub\\..\\sub", true, dir.path() + "/sub"},
      {"file.qor", false, dir.path() + "/file.qor"},
      {"missing", false, dir.path() + "/missing"},
      {"/", true, "/"},
  };
  for (const auto& c : cases) {
    TextBuffer path(c.path, JOV_TEXT_SIZE);
    EXPECT_EQ(IsDirectory(path.get(), 0) != 0, c.isDirectory) << c.path;
    EXPECT_EQ(path.str(), c.rewritten) << c.path;
    EXPECT_EQ(std::filesystem::current_path(), dir.path()) << c.path;
  }
  TextBuffer missing("missing", JOV_TEXT_SIZE);
  EXPECT_FALSE(IsDirectory(missing.get(), 1));
  EXPECT_EQ(std::filesystem::current_path(), dir.path());
  TextBuffer sub("sub", JOV_TEXT_SIZE);
  EXPECT_TRUE(IsDirectory(sub.get(), 1));
  EXPECT_EQ(std::filesystem::current_path(), dir.path() + "/sub");
}

TEST(GetFilePieces, RebuildsFromTheKeptPieces) {
  ScratchDir dir;
  std::filesystem::create_directory("sub.d");
  const std::string& cwd = dir.path();
  const struct {
    const char* path;
    uint8_t drive, directory, name, extension;
    std::string result;
  } cases[] = {
      {"x/movie.v2.qor", 1, 1, 1, 1, cwd + "/x/movie.v2.qor"},
      {"x/movie.v2.qor", 0, 1, 0, 0, cwd + "/x/"},
      {"x/movie.v2.qor", 0, 0, 1, 1, "movie.v2.qor"},
      {"x/movie.v2.qor", 0, 0, 1, 0, "movie.v2"},
      {"x/movie.v2.qor", 0, 0, 0, 1, ".qor"},
      {" x/name ", 0, 0, 1, 1, "name"},
      {"sub.d", 1, 1, 1, 1, cwd + "/sub.d/"},  // a directory: never a name or extension
      {"sub.d/", 0, 0, 1, 1, ""},
      {"/", 1, 1, 1, 1, "/"},
      {"   ", 1, 1, 1, 1, "   "},            // a blank path is left alone
  };
  for (const auto& c : cases) {
    TextBuffer path(c.path, JOV_TEXT_SIZE);
    GetFilePieces(path.get(), c.drive, c.directory, c.name, c.extension);
    EXPECT_EQ(path.str(), c.result) << c.path << " " << int(c.directory) << int(c.name)
                                    << int(c.extension);
  }
}

TEST(GetTempName, NumberGroupsUnderThePrefix) {
  const struct {
    const char* directory;
    const char* prefix;
    uint32_t number;
    const char* name;
  } cases[] = {
      {"/tmp/", "QM", 0x12345678u, "/tmp/QMGFEDCB.AAA"},  // lowest 4-bit group first
      {"", "", 0, "AAAAAAAA.AAA"},
      {"d/", "", 0xFEDCBA98u, "d/IJKLMNOP.AAA"},
      {"", "LONGPREFIX", 1, "LONGPREF.AAA"},            // at most 8 characters of prefix
      {"", "abcdefgh", 0xFFFFFFFFu, "abcdefgh.AAA"},
  };
  for (const auto& c : cases) {
    TextBuffer name = utiltest::OutputBuffer();
    EXPECT_EQ(GetTempName(name.get(), c.directory, c.prefix, c.number), name.get());
    EXPECT_EQ(name.str(), c.name);
  }
  // The directory may be the output buffer itself, and a long one is cut to the buffer.
  TextBuffer same("/var/", JOV_TEXT_SIZE);
  GetTempName(same.get(), same.get(), "T", 0);
  EXPECT_EQ(same.str(), "/var/TAAAAAAA.AAA");
  const std::string longDir(300, 'd');
  TextBuffer cut = utiltest::OutputBuffer();
  GetTempName(cut.get(), longDir.c_str(), "T", 0);
  EXPECT_EQ(cut.str(), longDir.substr(0, JOV_TEXT_SIZE - 1));
}

}  // namespace

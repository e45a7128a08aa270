// Text operations: trimming with the signed-byte blank rule, quotes, the trailing separator, and
// taking items off a list of names.
#include <gtest/gtest.h>

#include <string>

#include "jov_strings.h"
#include "text_buffer.h"

namespace {

using utiltest::OutputBuffer;
using utiltest::TextBuffer;

struct Edit {
  const char* in;
  const char* out;
};

void ExpectEdits(void (*edit)(char*), std::initializer_list<Edit> cases) {
  for (const Edit& c : cases) {
    TextBuffer text(c.in);
    edit(text.get());
    EXPECT_EQ(text.str(), c.out) << '"' << c.in << '"';
  }
}

TEST(Trim, BlanksAreCodes1To32And128To255) {
  const std::initializer_list<Edit> both = {
      {" \t a b \r\n", "a b"}, {"\x01x\x1F", "x"}, {"\x80\xFFname\xA0", "name"},
      {"   ", ""},             {"", ""},           {"!x!", "!x!"},
  };
  ExpectEdits(Trim, both);
  ExpectEdits(TrimAscii, both);
  ExpectEdits(TrimL, {{"  a b  ", "a b  "}, {"\xE9x", "x"}, {" ", ""}});
}

TEST(RemoveQuotes, TrimsThenDropsOnePairAroundTheWhole) {
  ExpectEdits(RemoveQuotes, {{" \"a b\" ", "a b"},
                             {"\"\"", ""},
                             {"\"", "\""},
                             {"\"a", "\"a"},
                             {"a\"", "a\""},
                             {"\"\"x\"\"", "\"x\""}});
}

TEST(AddBackslash, AppendsTheSeparatorUnlessThereIsOne) {
  ExpectEdits(AddBackslash, {{" dir ", "dir/"}, {"dir/", "dir/"}, {"dir\\", "dir\\"},
                             {"c:", "c:"}, {"  ", ""}, {"/", "/"}});
  // Never beyond a path buffer: a 255-character text stays as it is.
  const std::string longest(JOV_TEXT_SIZE - 1, 'd');
  TextBuffer path(longest, JOV_TEXT_SIZE);
  AddBackslash(path.get());
  EXPECT_EQ(path.str(), longest);
  TextBuffer shorter(longest.substr(1), JOV_TEXT_SIZE);
  AddBackslash(shorter.get());
  EXPECT_EQ(shorter.str(), longest.substr(1) + "/");
}

TEST(FindChar, FindsTheFirstOccurrenceOrTheTerminator) {
  const char text[] = "a.b.c";
  EXPECT_EQ(findchar(text, '.'), text + 1);
  EXPECT_EQ(findchar(text, 'x'), nullptr);
  EXPECT_EQ(findchar(text, '\0'), text + 5);
}

struct ListCase {
  const char* list;
  const char* item;
  const char* left;
};

void ExpectItems(void (*take)(char*, char*), std::initializer_list<ListCase> cases) {
  for (const ListCase& c : cases) {
    TextBuffer list(c.list);
    TextBuffer item = OutputBuffer();
    take(item.get(), list.get());
    EXPECT_EQ(item.str(), c.item) << c.list;
    EXPECT_EQ(list.str(), c.left) << c.list;
  }
}

TEST(GetAndRemoveFirst, BlankOrCommaSeparatedItems) {
  const std::initializer_list<ListCase> shared = {
      {"  a.qor  b.qor", "a.qor", "b.qor"},
      {"a.qor , b.qor", "a.qor", "b.qor"},    // blanks, then one comma
      {"a.qor, b.qor", "a.qor", "b.qor"},     // a comma ending the item is the separator
      {"a,b.qor c", "a,b.qor", "c"},          // a comma inside a name stays
      {"a , , b", "a", ", b"},                // only one comma goes
      {"x", "x", ""},
      {" \t ", "", ""},
      {"\"a b\"", "\"a", "b\""},
  };
  ExpectItems(GetAndRemoveFirst, shared);
  ExpectItems(GetAndRemoveFirst, {{"a.qor b.qor  ", "a.qor", "b.qor  "}});  // leading only
}

TEST(GetAndRemoveFirstQuoted, QuotedNamesKeepBlanksAndCommas) {
  ExpectItems(GetAndRemoveFirstQuoted, {
      {" \"my movie, v2.qor\" b.qor", "my movie, v2.qor", "b.qor"},
      {"\"/home/me/a b.qor\"", "/home/me/a b.qor", ""},
      {"\"open a", "\"open a", ""},            // no closing quote: the whole rest
      {"\" padded \" x", "padded", "x"},       // the item is trimmed
      {"a.qor, \"b c.qor\"  ", "a.qor", "\"b c.qor\""},
      {"a.qor b.qor  ", "a.qor", "b.qor"},     // the rest is trimmed at both ends
      {"", "", ""},
  });
}

TEST(GetAndRemoveFirst, LongItemsAreCutToTheItemBuffer) {
  const std::string name(600, 'n');
  for (auto take : {GetAndRemoveFirst, GetAndRemoveFirstQuoted}) {
    TextBuffer list(name + " next");
    TextBuffer item = OutputBuffer();
    take(item.get(), list.get());
    EXPECT_EQ(item.str(), name.substr(0, JOV_TEXT_SIZE - 1));
    EXPECT_EQ(list.str(), "next");
  }
  TextBuffer list("\"" + name + "\" next");
  TextBuffer item = OutputBuffer();
  GetAndRemoveFirstQuoted(item.get(), list.get());
  EXPECT_EQ(item.str().size(), JOV_TEXT_SIZE - 1u);
  EXPECT_EQ(list.str(), "next");
}

}  // namespace

// Texts from the driver in UTF-16 as the grid keeps them, in UTF-8.
#include <gtest/gtest.h>

#include <string>

#include "db/wide_text.h"

namespace zuno {
namespace {

TEST(WideTextTest, Utf16BecomesTheSameTextInUtf8AfterWhatWasThere) {
  struct {
    const char* what;
    std::string before;  // what the output held already
    std::u16string utf16;
    std::string utf8;  // the whole output afterwards
  } cases[] = {
      {"empty", "", u"", ""},
      {"empty after text", "kept", u"", "kept"},
      {"ASCII", "", u"SYSCAT.TABLES", "SYSCAT.TABLES"},
      {"ASCII after text", "a;", u"b c", "a;b c"},
      {"the last ASCII unit", "", std::u16string(1, u'\x7F'), "\x7F"},
      {"the first two-byte unit", "", std::u16string(1, u'\x80'), "\xC2\x80"},
      {"accents after ASCII", "", u"Caf\u00E9 M\u00FCller", "Caf\xC3\xA9 M\xC3\xBC" "ller"},
      {"accent first", "x", u"\u00E9t\u00E9", "x\xC3\xA9t\xC3\xA9"},
      {"three-byte unit", "", u"\u20AC 5", "\xE2\x82\xAC 5"},
      {"surrogate pair", "", u"a\U0001F600b", "a\xF0\x9F\x98\x80" "b"},
      {"lone high surrogate", "", std::u16string{u'a', char16_t(0xD800), u'b'}, "a\xEF\xBF\xBD" "b"},
      {"lone low surrogate at the end", "", std::u16string{u'a', char16_t(0xDC00)}, "a\xEF\xBF\xBD"},
      {"swapped pair", "", std::u16string{char16_t(0xDC00), char16_t(0xD800)}, "\xEF\xBF\xBD\xEF\xBF\xBD"},
      {"NUL inside", "", std::u16string{u'a', u'\0', u'b'}, std::string("a\0b", 3)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::string out = c.before;
    AppendUtf16AsUtf8(out, c.utf16);
    EXPECT_EQ(out, c.utf8);
    EXPECT_EQ(Utf16ToUtf8(c.utf16), c.utf8.substr(c.before.size()));
  }
}

// A buffer the driver filled ends at the length it gave or at a 0 unit.
TEST(WideTextTest, ABufferEndsAtItsLengthOrItsTerminator) {
  const struct {
    std::u16string units;
    size_t max;
    std::string utf8;
  } cases[] = {
      {u"SYSCAT", 6, "SYSCAT"},
      {u"SYSCAT", 3, "SYS"},
      {std::u16string{u'a', u'b', u'\0', u'c'}, 4, "ab"},
      {std::u16string{u'\u00E9', u'x', u'\0', u'c'}, 4, "\xC3\xA9x"},
  };
  for (const auto& c : cases) {
    std::string out = "x;";
    AppendTerminatedUtf16AsUtf8(out, c.units.data(), c.max);
    EXPECT_EQ(out, "x;" + c.utf8);
  }
}

}  // namespace
}  // namespace zuno

#include "library/query_store_format.h"

#include <gtest/gtest.h>

namespace zuno {
namespace {

using namespace std::string_literals;

struct RoundTripCase {
  const char* name;
  std::string text;
};

class QueryFieldRoundTripTest : public ::testing::TestWithParam<RoundTripCase> {};

// The text is placed in each field in turn, next to neighbours that also
// hold quotes, so a field that swallows or leaks into the next one shows.
TEST_P(QueryFieldRoundTripTest, EveryFieldReadsBackUnchanged) {
  const std::string& t = GetParam().text;
  const std::vector<QueryRecord> records = {
      {t, "\"x\"", "u"},
      {"\"", t, "\""},
      {"", "", t},
      {t, t, t},
  };
  EXPECT_EQ(DecodeQueryRecords(EncodeQueryRecords(records)), records);
}

INSTANTIATE_TEST_SUITE_P(
    AwkwardTexts, QueryFieldRoundTripTest,
    ::testing::Values(
        RoundTripCase{"Empty", ""},
        RoundTripCase{"DoubleQuotes", "SELECT \"COL\" FROM \"T\""},
        RoundTripCase{"Commas", "SELECT A, B, C FROM T"},
        RoundTripCase{"QuoteCommaQuoteLooksLikeAFieldBreak", "X\",\"Y"},
        RoundTripCase{"QuoteCrLfLooksLikeARecordEnd", "A\"\r\n\"B"},
        RoundTripCase{"LineFeeds", "SELECT *\nFROM T\nWHERE A = 1\n"},
        RoundTripCase{"CrLfLineBreaks", "SELECT *\r\nFROM T\r\n"},
        RoundTripCase{"LeadingQuote", "\"A\" IS QUOTED"},
        RoundTripCase{"TrailingQuote", "ENDS WITH \""},
        RoundTripCase{"OnlyQuotes", "\"\"\"\""},
        RoundTripCase{"NonAscii", "SELECT 'Grüße', '東京', '😀' FROM T"},
        RoundTripCase{"InvalidUtf8KeptAsBytes", "A\xff\xfe" "B"}),
    [](const auto& info) { return info.param.name; });

TEST(QueryStoreEncodingTest, WritesExactBytes) {
  struct {
    const char* what;
    std::vector<QueryRecord> records;
    std::string bytes;
  } cases[] = {
      {"empty store is an empty file", {}, ""},
      {"one record", {{"q1", "SELECT 1", "db2inst1"}}, "\"q1\",\"SELECT 1\",\"db2inst1\"\r\n"},
      {"quotes doubled, LF kept, CR LF after each record",
       {{"a\"b", "SELECT \"X\"\nFROM T", ""}, {"", "", "u"}},
       "\"a\"\"b\",\"SELECT \"\"X\"\"\nFROM T\",\"\"\r\n\"\",\"\",\"u\"\r\n"},
      {"UTF-8 without byte-order mark", {{"ä", "ö", "ü"}}, "\"\xC3\xA4\",\"\xC3\xB6\",\"\xC3\xBC\"\r\n"},
      {"NUL left out so it cannot end the text early",
       {{"a\0b"s, "x", "y"}, {"next", "", ""}},
       "\"ab\",\"x\",\"y\"\r\n\"next\",\"\",\"\"\r\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(EncodeQueryRecords(c.records), c.bytes) << c.what;
}

TEST(QueryStoreDecodingTest, FindsFieldsInAnyText) {
  struct {
    const char* what;
    std::string text;
    std::vector<QueryRecord> records;
  } cases[] = {
      {"empty file", "", {}},
      {"LF instead of CR LF", "\"a\",\"b\",\"c\"\n\"d\",\"e\",\"f\"\n", {{"a", "b", "c"}, {"d", "e", "f"}}},
      {"no line end after the last record", "\"a\",\"b\",\"c\"", {{"a", "b", "c"}}},
      {"stray text between records skipped", "\"a\",\"b\",\"c\"\r\njunk here\r\n\"d\",\"e\",\"f\"\r\n",
       {{"a", "b", "c"}, {"d", "e", "f"}}},
      {"stray text between fields skipped", "xx\"a\" ; \"b\"\t\"c\"yy", {{"a", "b", "c"}}},
      {"byte-order mark is stray text", "\xEF\xBB\xBF\"a\",\"b\",\"c\"\r\n", {{"a", "b", "c"}}},
      // Without a break between them, the quote that would close "c" and open
      // "d" reads as a doubled quote, and the two fields left over are no record.
      {"records run on without separators", "\"a\",\"b\",\"c\"\"d\",\"e\",\"f\"", {{"a", "b", "c\"d"}}},
      {"last record lacks its final field", "\"a\",\"b\",\"c\"\r\n\"d\",\"e\"\r\n", {{"a", "b", "c"}}},
      {"last field never closed", "\"a\",\"b\",\"c\"\r\n\"d\",\"e\",\"f\r\n", {{"a", "b", "c"}}},
      {"NUL ends the text", "\"a\",\"b\",\"c\"\r\n\"d\",\"e\0\",\"f\"\r\n\"g\",\"h\",\"i\"\r\n"s,
       {{"a", "b", "c"}}},
      {"doubled quote at the end of a field", "\"a\"\"\",\"\"\"b\",\"\"\r\n", {{"a\"", "\"b", ""}}},
  };
  for (const auto& c : cases) EXPECT_EQ(DecodeQueryRecords(c.text), c.records) << c.what;
}

// Only a text whose every byte belongs to a whole record may be written
// back from its records: anything else would be lost by the rewrite.
TEST(QueryStoreDecodingTest, TellsWhetherTheTextReadsBackWhole) {
  struct {
    const char* what;
    std::string text;
    bool whole;
  } cases[] = {
      {"empty file", "", true},
      {"blanks and line ends only", " \r\n\t\n", true},
      {"as written", "\"a\",\"b\",\"c\"\r\n\"d\",\"\",\"\"\r\n", true},
      {"LF, lone CR and blank lines between records", "\"a\",\"b\",\"c\"\n\n\"d\",\"e\",\"f\"\r\"g\",\"h\",\"i\"", true},
      {"byte-order mark at the start", "\xEF\xBB\xBF\"a\",\"b\",\"c\"\r\n", true},
      {"doubled quotes and line feeds in fields", "\"a\"\"\",\"x\ny\",\"\"\"\"\r\n", true},
      {"byte-order mark before the second record", "\"a\",\"b\",\"c\"\r\n\xEF\xBB\xBF\"d\",\"e\",\"f\"", false},
      {"stray text between records", "\"a\",\"b\",\"c\"\r\njunk\r\n\"d\",\"e\",\"f\"\r\n", false},
      {"stray text after the last record", "\"a\",\"b\",\"c\"\r\n-- end", false},
      {"blank beside a comma", "\"a\", \"b\",\"c\"\r\n", false},
      {"quote not doubled inside a field", "\"a\",\"say \"hi\" now\",\"c\"\r\n", false},
      {"last record lacks its final field", "\"a\",\"b\",\"c\"\r\n\"d\",\"e\"\r\n", false},
      {"last field never closed", "\"a\",\"b\",\"c\"\r\n\"d\",\"e\",\"f\r\n", false},
      {"NUL after the first record", "\"a\",\"b\",\"c\"\r\n\0\"d\",\"e\",\"f\"\r\n"s, false},
      {"NUL at the very end", "\"a\",\"b\",\"c\"\r\n\0"s, false},
      {"text without any field", "meeting notes\n", false},
  };
  for (const auto& c : cases) EXPECT_EQ(DecodeStoreText(c.text).whole, c.whole) << c.what;
}

TEST(QueryStoreDecodingTest, StopsAtTheRecordLimit) {
  const std::vector<QueryRecord> records = {{"1", "", ""}, {"2", "", ""}, {"3", "", ""}};
  const std::string text = EncodeQueryRecords(records);
  EXPECT_EQ(DecodeQueryRecords(text, 2), std::vector<QueryRecord>(records.begin(), records.begin() + 2));
  EXPECT_EQ(DecodeQueryRecords(text, 3), records);
}

}  // namespace
}  // namespace zuno

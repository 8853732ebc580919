// Save Report on both drivers: the type the file's name asks for, NULL and
// the empty text read back apart, a value not fetched whole refused.
#include <gtest/gtest.h>

#include "query/run_statement.h"
#include "tests/support/data_sources.h"
#include "tests/support/handler_harness.h"
#include "tests/support/temp_dir.h"
#include "tools/report_export.h"

namespace zuno {
namespace {

// A CSV text's lines as a reader mindful of quotes takes them: an empty
// field without quotes is NULL (nullopt), "" the empty text.
std::vector<std::vector<std::optional<std::string>>> ReadCsv(const std::string& text) {
  std::vector<std::vector<std::optional<std::string>>> lines{{}};
  std::optional<std::string> field;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '"' && !field) {  // to the closing quote; a doubled one stands for one
      for (field.emplace(); text[++i] != '"' || text[i + 1] == '"';) *field += text[i] == '"' ? text[i++] : text[i];
    } else if (text[i] == ',' || text[i] == '\r') {
      lines.back().push_back(std::exchange(field, std::nullopt));
      if (text[i] == '\r' && ++i + 1 < text.size()) lines.emplace_back();
    } else {
      field = field.value_or("") + text[i];
    }
  }
  return lines;
}

struct CsvReportTest : ::testing::TestWithParam<testing::DataSource (*)()> {
  testing::HandlerHarness h;
  testing::TempDir dir;

  void SetUp() override {
    ZUNO_REQUIRE_FIXTURES();
    ASSERT_TRUE(testing::ConnectTo(h.db, GetParam()()));
  }
  // The file's text after a run of sql and Save Report with a header and ",".
  std::string Saved(const std::string& sql, const std::string& name, std::optional<SaveFileType> picked = {}) {
    h.ui.SetText(kSqlEditor, sql);
    RunStatement(h.session);
    h.ui.yesNoAnswers = {true};
    h.ui.textAnswers = {","};
    h.ui.fileAnswers = {dir.File(name)};
    if (picked) h.ui.fileTypeAnswers = {*picked};
    OnSaveReportClicked(h.session);
    return testing::ReadFileBytes(dir.File(name));
  }
};

TEST_P(CsvReportTest, ANameEndingInCsvIsACsvFileUnlessTheReportWasPicked) {
  const std::string sql = "select 'Ann' as \"NAME\"", report = "NAME,\nAnn,\n", csv = "NAME\r\nAnn\r\n";
  EXPECT_EQ(Saved(sql, "a.csv"), csv);
  EXPECT_EQ(Saved(sql, "B.Csv"), csv);
  EXPECT_EQ(Saved(sql, "c.csv", SaveFileType::Report), report);
  EXPECT_EQ(Saved(sql, "e.txt", SaveFileType::Csv), csv);
}

TEST_P(CsvReportTest, NullAndTheEmptyTextReadBackApart) {
  const auto text = Saved("select null as \"N\", '' as \"E\", 'x' as \"X\", cast(null as int) as \"I\"", "v.csv");
  const decltype(ReadCsv("")) expected{{"N", "E", "X", "I"}, {std::nullopt, "", "x", std::nullopt}};
  EXPECT_EQ(ReadCsv(text), expected) << text;
}

TEST_P(CsvReportTest, AValueNotFetchedWholeIsNeverWrittenAsIfWhole) {
  testing::WriteFileBytes(dir.File("huge.csv"), "kept");
  const char* huge = GetParam() == &testing::Sqlite ? "zeroblob(70000)" : "decode(repeat('ab', 70000), 'hex')";
  EXPECT_EQ(Saved(std::string("select 1 as \"ID\", ") + huge + " as \"HUGE\"", "huge.csv"), "kept");
  EXPECT_EQ(h.ui.messages, std::vector<std::string>{"The value in row 1, column HUGE was not fetched whole: a CSV "
                                                    "file would not hold it, so nothing was written."});
}

INSTANTIATE_TEST_SUITE_P(BothDrivers, CsvReportTest, ::testing::Values(&testing::PgPlain, &testing::Sqlite),
                         [](const auto& info) { return info.index == 0 ? "PostgreSQL" : "SQLite"; });

}  // namespace
}  // namespace zuno

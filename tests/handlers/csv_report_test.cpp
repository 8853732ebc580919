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

struct CsvReportTest : ::testing::TestWithParam<testing::DataSource (*)()> {
  testing::HandlerHarness h;
  testing::TempDir dir;

  void SetUp() override {
    ZUNO_REQUIRE_FIXTURES();
    ASSERT_TRUE(testing::ConnectTo(h.db, GetParam()()));
  }
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

// An empty field is NULL, "" the empty text.
TEST_P(CsvReportTest, NullAndTheEmptyTextReadBackApart) {
  EXPECT_EQ(Saved("select null as \"N\", '' as \"E\", 'x' as \"X\", cast(null as int) as \"I\"", "v.csv"),
            "N,E,X,I\r\n,\"\",x,\r\n");
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

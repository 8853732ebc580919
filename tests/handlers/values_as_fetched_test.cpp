// Statements built from a row, Copy and the CSV file write the values as
// fetched, not the texts the grid shows for them, on both drivers.
#include <gtest/gtest.h>

#include <fstream>

#include "query/run_statement.h"
#include "tests/support/data_sources.h"
#include "tests/support/handler_harness.h"
#include "tests/support/temp_dir.h"
#include "tools/popup_actions.h"
#include "tools/report_export.h"

namespace zuno {
namespace {

struct Source {
  const char* name;
  testing::DataSource (*source)();
  const char* columns;  // as each database spells their types
  const char* row;
};

const Source kSources[] = {
    {"PostgreSQL", testing::PgPlain,
     "d float8, r real, n numeric(15,3), big float8, tiny float8, y varchar(9), lf varchar(9), b0 bytea, b1 bytea, "
     "huge bytea",
     "3.14159265358979, 0.125, 12345678901.125, 1e300, 1e-12, 'a\xC3\xBF', E'a\\nb', '', '\\x00ff10', "
     "decode(repeat('ab', 16001), 'hex')"},
    {"SQLite", testing::Sqlite,
     "d double, r real, n decimal(15,3), big double, tiny double, y varchar(9), lf varchar(9), b0 blob, b1 blob, "
     "huge blob",
     "3.14159265358979, 0.125, 12345678901.125, 1e300, 1e-12, 'a\xC3\xBF', 'a' || char(10) || 'b', x'', x'00ff10', "
     "zeroblob(16001)"},
};

struct ValuesAsFetchedTest : ::testing::TestWithParam<Source> {
  testing::HandlerHarness h;

  void SetUp() override {
    ZUNO_REQUIRE_FIXTURES();
    ASSERT_TRUE(testing::ConnectTo(h.db, GetParam().source()));
    for (std::string sql : {std::string("create temp table vals (") + GetParam().columns +
                                ", id integer, \"Mixed\" integer, \"ORDER\" integer, \"say\"\"hi\" integer)",
                            std::string("insert into vals values (") + GetParam().row + ", 1, 2, 3, 4)"})
      ASSERT_TRUE(h.db.ExecuteUpdate(sql)) << h.db.LastError();
    h.ui.SetText(kRowsToFetchBox, "50");
    h.ui.SetText(kSqlEditor, "select * from vals");
    RunStatement(h.session);
    ASSERT_EQ(h.grid.RowCount(), 1);
    h.grid.SelectRow(0);
  }
  std::string Copied(int column) {
    h.ui.clipboard = "(nothing)";
    OnPopupItem(h.session, kCopyToClipboard);
    h.ui.SelectListItem(kQueryNamesList, column);
    OnColumnChooserSelect(h.session);
    return h.ui.clipboard;
  }
};

TEST_P(ValuesAsFetchedTest, StatementsAndCopyWriteTheValueNotItsCellText) {
  struct {
    int column;
    const char* shown;    // the cell, blanks in front aside; empty: not checked
    const char* written;  // in every generated statement
    const char* copied;
  } cases[] = {
      {0, "3.1415926536", "3.14159265358979", "3.14159265358979"}, {1, "", "0.125", "0.125"},
      {2, "12345678901.125", "12345678901.125", "12345678901.125"}, {3, "1e+300", "1e+300", "1e+300"},
      {4, "1e-12", "1e-12", "1e-12"}, {5, "a\xC3\xBF", "'a\xC3\xBF'", "a\xC3\xBF"},
      {6, "a\xC3\xBF" "b", "'a\nb'", "a\nb"}, {7, "binary Data", "X''", ""},
      {8, "binary Data", "X'00FF10'", "00FF10"},
  };
  // A value too large to keep is not written as if whole: INSERT refuses the
  // row, DELETE leaves it out of its WHERE; the rest is written as fetched.
  OnPopupItem(h.session, kGenerateInsert);
  EXPECT_EQ(h.ui.messages.back(),
            "The value of \"huge\" was not fetched whole, so it cannot be written: no statement was written.");
  OnPopupItem(h.session, kGenerateDelete);
  EXPECT_NE(h.ui.Text(kSqlEditor).find("-- \"huge\" is left out of the WHERE clause"), std::string::npos);
  EXPECT_EQ(Copied(9), "(nothing)");
  EXPECT_EQ(h.ui.messages.back(), "The value was not fetched whole: nothing was copied.");

  h.ui.SetText(kSqlEditor,
               "select d, r, n, big, tiny, y, lf, b0, b1, id, \"Mixed\", \"ORDER\", \"say\"\"hi\" from vals");
  RunStatement(h.session);
  h.grid.SelectRow(0);
  std::vector<std::string> statements;
  for (int item : {kGenerateInsert, kGenerateUpdate}) {
    OnPopupItem(h.session, item);
    statements.push_back(h.ui.Text(kSqlEditor));
  }
  for (const auto& c : cases) {
    const std::string cell = h.grid.CellText(0, c.column);
    EXPECT_TRUE(!*c.shown || cell.substr(cell.find_first_not_of(' ')) == c.shown) << cell;
    EXPECT_EQ(Copied(c.column), c.copied) << c.column;
    for (const std::string& s : statements) EXPECT_NE(s.find(c.written), std::string::npos) << c.written << " in " << s;
  }
  // Names from the database as Db2 reads them back.
  for (const std::string& s : statements) {
    for (const char* part : {"\"id\"", "\"Mixed\"", "\"ORDER\"", "\"say\"\"hi\""})
      EXPECT_NE(s.find(part), std::string::npos) << part << " in " << s;
    EXPECT_EQ(s.find("binary Data"), std::string::npos) << s;
  }
  h.grid.SelectRow(-1);
  OnPopupItem(h.session, kCopyToClipboard);
  EXPECT_FALSE(h.ui.libraryOpen);
  EXPECT_EQ(h.ui.messages.back(), "No row is selected: nothing was copied.");
}

// The row through the CSV file type, read back by Python's csv module. The
// delimiter "e" stands in the numbers with an exponent, which must be quoted.
// The value too large to keep has no place in it.
TEST_P(ValuesAsFetchedTest, PythonReadsTheCsvFileBackAsTheValues) {
  h.ui.SetText(kSqlEditor, "select d, r, n, big, tiny, y, lf, b0, b1, id, \"Mixed\", \"ORDER\", \"say\"\"hi\" from vals");
  RunStatement(h.session);
  testing::TempDir dir;
  const std::string csv = dir.File("out.csv"), read = dir.File("read.txt");
  h.ui.yesNoAnswers.push_back(true);
  h.ui.textAnswers.push_back("e");
  h.ui.fileAnswers.push_back(csv);
  h.ui.fileTypeAnswers.push_back(SaveFileType::Csv);
  OnSaveReportClicked(h.session);
  const std::string python = "import csv,sys; open(sys.argv[2], 'w', encoding='utf-8').write(repr(list(csv.reader("
                             "open(sys.argv[1], newline='', encoding='utf-8'), delimiter='e', strict=True))))";
  ASSERT_EQ(std::system(("python3 -c \"" + python + "\" " + csv + " " + read).c_str()), 0);
  std::ifstream in(read);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}),
            "[['d', 'r', 'n', 'big', 'tiny', 'y', 'lf', 'b0', 'b1', 'id', 'Mixed', 'ORDER', 'say\"hi'], "
            "['3.14159265358979', '0.125', '12345678901.125', '1e+300', '1e-12', 'a\xC3\xBF', 'a\\nb', '', "
            "'00FF10', '1', '2', '3', '4']]");
}

INSTANTIATE_TEST_SUITE_P(BothDrivers, ValuesAsFetchedTest, ::testing::ValuesIn(kSources),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace zuno

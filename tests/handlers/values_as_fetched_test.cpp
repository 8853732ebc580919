// Statements built from a row, Copy and the CSV file write the values as
// fetched, not the texts the grid shows for them, on both drivers.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "query/run_statement.h"
#include "tests/support/data_sources.h"
#include "tests/support/handler_harness.h"
#include "tests/support/temp_dir.h"
#include "tools/popup_actions.h"
#include "tools/report_export.h"

namespace zuno {
namespace {

using testing::HandlerHarness;

struct Source {
  const char* name;
  testing::DataSource (*source)();
  const char* table;  // a table of one row, as each database spells its types
  const char* row;
};

const Source kSources[] = {
    {"PostgreSQL", testing::PgPlain,
     "create temp table vals (d float8, r real, n numeric(15,3), big float8, tiny float8, y varchar(10), "
     "lf varchar(10), b0 bytea, b1 bytea, huge bytea, id integer, \"Mixed\" integer, \"ORDER\" integer, "
     "\"say\"\"hi\" integer)",
     "insert into vals values (3.14159265358979, 0.125, 12345678901.125, 1e300, 1e-12, 'a\xC3\xBF', E'a\\nb', "
     "'', '\\x00ff10', decode(repeat('ab', 16001), 'hex'), 1, 2, 3, 4)"},
    {"SQLite", testing::Sqlite,
     "create temp table vals (d double, r real, n decimal(15,3), big double, tiny double, y varchar(10), "
     "lf varchar(10), b0 blob, b1 blob, huge blob, id integer, \"Mixed\" integer, \"ORDER\" integer, "
     "\"say\"\"hi\" integer)",
     "insert into vals values (3.14159265358979, 0.125, 12345678901.125, 1e300, 1e-12, 'a\xC3\xBF', "
     "'a' || char(10) || 'b', x'', x'00ff10', zeroblob(16001), 1, 2, 3, 4)"},
};

struct ValuesAsFetchedTest : ::testing::TestWithParam<Source> {
  HandlerHarness h;

  void SetUp() override {
    ZUNO_REQUIRE_FIXTURES();
    ASSERT_TRUE(testing::ConnectTo(h.db, GetParam().source()));
    ASSERT_TRUE(h.db.ExecuteUpdate(GetParam().table)) << h.db.LastError();
    ASSERT_TRUE(h.db.ExecuteUpdate(GetParam().row)) << h.db.LastError();
    h.ui.SetText(kRowsToFetchBox, "50");
    h.ui.SetText(kSqlEditor, "select * from vals");
    RunStatement(h.session);
    ASSERT_EQ(h.grid.RowCount(), 1);
    h.grid.SelectRow(0);
  }
  int Column(const std::string& title) {
    for (int c = 0; c < h.grid.ColumnCount(); ++c)
      if (h.grid.ColumnTitle(c) == title) return c;
    ADD_FAILURE() << "no column " << title;
    return 0;
  }
  std::string Copied(const std::string& title) {
    h.ui.clipboard = "(nothing)";
    OnPopupItem(h.session, kCopyToClipboard);
    h.ui.SelectListItem(kQueryNamesList, Column(title));
    OnColumnChooserSelect(h.session);
    return h.ui.clipboard;
  }
};

TEST_P(ValuesAsFetchedTest, StatementsAndCopyWriteTheValueNotItsCellText) {
  struct {
    const char* column;
    const char* shown;    // the cell, blanks around it aside; empty: not checked
    const char* written;  // in every generated statement
    const char* copied;
  } cases[] = {
      {"d", "3.1415926536", "3.14159265358979", "3.14159265358979"},
      {"r", "", "0.125", "0.125"},
      {"n", "12345678901.125", "12345678901.125", "12345678901.125"},
      {"big", "1e+300", "1e+300", "1e+300"},
      {"tiny", "1e-12", "1e-12", "1e-12"},
      {"y", "a\xC3\xBF", "'a\xC3\xBF'", "a\xC3\xBF"},
      {"lf", "a\xC3\xBF" "b", "'a\nb'", "a\nb"},
      {"b1", "binary Data", "X'00FF10'", "00FF10"},
      {"b0", "binary Data", "X''", ""},
  };
  std::vector<std::string> statements;
  for (int item : {kGenerateInsert, kGenerateUpdate, kGenerateDelete}) {
    OnPopupItem(h.session, item);
    statements.push_back(h.ui.Text(kSqlEditor));
  }
  for (const auto& c : cases) {
    SCOPED_TRACE(c.column);
    std::string shown = h.grid.CellText(0, Column(c.column));
    shown.erase(0, shown.find_first_not_of(' '));
    if (*c.shown) EXPECT_EQ(shown, c.shown);
    for (const std::string& statement : statements) EXPECT_NE(statement.find(c.written), std::string::npos) << statement;
    EXPECT_EQ(Copied(c.column), c.copied);
  }
  for (const std::string& statement : statements) {
    EXPECT_EQ(statement.find("binary Data"), std::string::npos) << statement;
    // Names from the database are written as Db2 reads them back.
    for (const char* name : {"\"id\"", "\"Mixed\"", "\"ORDER\"", "\"say\"\"hi\""})
      EXPECT_NE(statement.find(name), std::string::npos) << name << " in " << statement;
    // A value too large to keep is left out, and the statement says so.
    EXPECT_EQ(statement.find("\"huge\" ="), std::string::npos) << statement;
    EXPECT_NE(statement.find("-- \"huge\" is left out"), std::string::npos) << statement;
  }
  EXPECT_EQ(Copied("huge"), "(nothing)");
  EXPECT_EQ(h.ui.messages.back(), "The value was not fetched whole: nothing was copied.");
}

TEST_P(ValuesAsFetchedTest, CopyWithNoRowSelectedCopiesNothingAndSaysSo) {
  h.grid.SelectRow(-1);
  h.ui.clipboard = "before";
  OnPopupItem(h.session, kCopyToClipboard);
  EXPECT_FALSE(h.ui.libraryOpen);
  EXPECT_EQ(h.ui.clipboard, "before");
  EXPECT_EQ(h.ui.messages.back(), "No row is selected: nothing was copied.");
}

// Awkward values through the CSV file type, read back by Python's csv module.
TEST(CsvExportTest, PythonReadsBackTheValues) {
  ZUNO_REQUIRE_FIXTURES();
  HandlerHarness h;
  ASSERT_TRUE(testing::ConnectTo(h.db, testing::PgPlain()));
  h.ui.SetText(kRowsToFetchBox, "50");
  h.ui.SetText(kSqlEditor,
               "select 'plain' as a, 'semi;colon' as b, 'say \"hi\"' as c, E'two\\r\\nlines' as d, "
               "null::text as e, 'a\xC3\xBF' as f, '\\x00ff'::bytea as g, 1.5::float8 as h");
  RunStatement(h.session);
  ASSERT_EQ(h.grid.RowCount(), 1);
  testing::TempDir dir;
  const std::string csv = dir.File("out.csv"), read = dir.File("read.txt");
  h.ui.yesNoAnswers.push_back(true);
  h.ui.textAnswers.push_back(";");
  h.ui.fileAnswers.push_back(csv);
  h.ui.fileTypeAnswers.push_back(SaveFileType::Csv);
  OnSaveReportClicked(h.session);

  const std::string command = "python3 -c \"import csv,sys; rows=list(csv.reader(open(sys.argv[1], newline='', "
                              "encoding='utf-8'), delimiter=';', strict=True)); open(sys.argv[2],'w',encoding='utf-8')"
                              ".write(repr(rows))\" " + csv + " " + read;
  ASSERT_EQ(std::system(command.c_str()), 0);
  std::ifstream in(read);
  const std::string rows((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(rows, "[['a', 'b', 'c', 'd', 'e', 'f', 'g', 'h'], "
                  "['plain', 'semi;colon', 'say \"hi\"', 'two\\r\\nlines', '', 'a\xC3\xBF', '00FF', '1.5']]");
}

INSTANTIATE_TEST_SUITE_P(BothDrivers, ValuesAsFetchedTest, ::testing::ValuesIn(kSources),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace zuno

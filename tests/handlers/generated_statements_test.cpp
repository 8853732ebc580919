// Statements generated from a grid row, run back through Run Statement, do
// what they say to the row they came from.
#include <gtest/gtest.h>

#include "query/run_script.h"
#include "query/run_statement.h"
#include "tests/support/data_sources.h"
#include "tests/support/handler_harness.h"
#include "tools/popup_actions.h"

namespace zuno {
namespace {

using testing::HandlerHarness;

struct GeneratedTest : ::testing::Test {
  HandlerHarness h;

  void SetUp() override {
    ZUNO_REQUIRE_FIXTURES();
    h.ui.SetText(kRowsToFetchBox, "50");
    ASSERT_TRUE(testing::ConnectTo(h.db, testing::PgPlain()));
    Setup("create temp table people (id integer, name varchar(20), note varchar(20))");
    Setup("insert into people values (1, 'Ann', 'it''s'), (2, 'Bob', null), (3, 'Cy', 'x'' or ''a''=''a')");
  }
  void Setup(const std::string& sql) { ASSERT_TRUE(h.db.ExecuteUpdate(sql)) << h.db.LastError(); }
  void Run(const std::string& text) {
    h.ui.SetText(kSqlEditor, text);
    RunStatement(h.session);
  }
  void ShowAll() { Run("select id, name, note from people order by id"); }
  std::vector<std::string> Ids() {
    std::vector<std::string> ids;
    ShowAll();
    for (int r = 0; r < h.grid.RowCount(); ++r) ids.push_back(h.grid.CellText(r, 0));
    return ids;
  }
  // Generates from a row and runs what the editor then holds.
  std::string GenerateAndRun(int row, int item, const std::string& select = "") {
    select.empty() ? ShowAll() : Run(select);
    h.grid.SelectRow(row);
    OnPopupItem(h.session, item);
    std::string statement = h.ui.Text(kSqlEditor);
    h.ui.messages.clear();  // what generating it said
    RunStatement(h.session);
    EXPECT_TRUE(h.ui.messages.empty()) << h.ui.messages.front();
    EXPECT_EQ(h.ui.notes.size(), 1u);  // the change's affected rows
    return h.ui.notes.empty() ? "" : h.ui.notes.back();
  }
};

TEST_F(GeneratedTest, DeleteRemovesExactlyItsRowAlsoWithANull) {
  EXPECT_NE(GenerateAndRun(1, kGenerateDelete).find("Affected Rows: 1"), std::string::npos);
  EXPECT_EQ(Ids(), (std::vector<std::string>{"          1", "          3"}));
  // A value made to look like a condition stays a value.
  EXPECT_NE(GenerateAndRun(1, kGenerateDelete).find("Affected Rows: 1"), std::string::npos);
  EXPECT_EQ(Ids(), std::vector<std::string>{"          1"});
}

TEST_F(GeneratedTest, UpdateFindsItsRowAndInsertCopiesAnApostropheWhole) {
  EXPECT_NE(GenerateAndRun(0, kGenerateUpdate).find("Affected Rows: 1"), std::string::npos);
  EXPECT_NE(GenerateAndRun(1, kGenerateUpdate).find("Affected Rows: 1"), std::string::npos);
  EXPECT_NE(GenerateAndRun(0, kGenerateInsert).find("Affected Rows: 1"), std::string::npos);
  Run("select count(*) from people where note = 'it''s' and name = 'Ann' and id = 1");
  EXPECT_EQ(h.grid.CellText(0, 0), "                   2");
}

// The table of a generated DELETE is the one whose rows the grid shows, on both drivers.
struct TableOfTheRowsTest : ::testing::TestWithParam<testing::DataSource (*)()> {
  HandlerHarness h;
  int Count(const std::string& table) {
    h.ui.SetText(kSqlEditor, "select count(*) from " + table);
    RunStatement(h.session);
    return std::stoi(h.grid.CellText(0, 0));
  }
};

TEST_P(TableOfTheRowsTest, DeleteAtTheCursorRemovesTheRowShownFromItsOwnTable) {
  ZUNO_REQUIRE_FIXTURES();
  h.ui.SetText(kRowsToFetchBox, "50");
  ASSERT_TRUE(testing::ConnectTo(h.db, GetParam()()));
  for (const char* table : {"people", "others"})
    for (std::string sql : {"create temp table " + std::string(table) + " (id integer, name varchar(20))",
                            "insert into " + std::string(table) + " values (1, 'Ann'), (2, 'Bob'), (3, 'Cy')"})
      ASSERT_TRUE(h.db.ExecuteUpdate(sql)) << sql << ": " << h.db.LastError();
  // Ctrl+Return with the cursor in the script's last statement: the first one names another table.
  const std::string script = "select id from people;\nselect id, name from others";
  h.ui.SetText(kSqlEditor, script);
  h.ui.editorSelection = {script.size(), script.size()};
  RunStatementAtCursor(h.session);
  ASSERT_EQ(h.grid.RowCount(), 3);
  h.grid.SelectRow(0);
  OnPopupItem(h.session, kGenerateDelete);
  RunStatement(h.session);
  ASSERT_EQ(h.ui.notes.size(), 1u);
  const std::string affected = h.ui.notes.front();
  EXPECT_EQ(Count("others"), 2) << affected;
  EXPECT_EQ(Count("people"), 3);
}

INSTANTIATE_TEST_SUITE_P(Drivers, TableOfTheRowsTest, ::testing::Values(testing::PgLuw, testing::Sqlite));

TEST_F(GeneratedTest, DeleteOfARowWithALargeTextLeavesItOut) {
  Setup("create temp table docs (id integer, body text)");
  Setup("insert into docs values (1, 'first'), (2, 'second')");
  EXPECT_NE(GenerateAndRun(1, kGenerateDelete, "select id, body from docs order by id").find("Affected Rows: 1"),
            std::string::npos);
  EXPECT_EQ(h.ui.Text(kSqlEditor).rfind("-- \"body\" is left out of the WHERE clause", 0), 0u) << h.ui.Text(kSqlEditor);
}

// A row that only its NULLs, its word "Null", its character "01", its line
// feed and a column whose name reads as SQL tell apart from its neighbours.
struct GeneratedFromKnownCellsTest : GeneratedTest {
  void SetUp() override {
    GeneratedTest::SetUp();
    Setup("create temp table items (id integer, code varchar(5), note varchar(20), \"1=1 OR ID\" varchar(5), "
          "body varchar(40))");
    Setup("insert into items values (null, '01', 'Null', 'q', E'line1\\nline2'), "
          "(null, '1', 'Null', 'q', E'line1\\nline2'), (null, '01', null, 'q', E'line1\\nline2'), "
          "(7, '01', 'Null', 'q', E'line1\\nline2'), (null, '01', 'Null', 'r', E'line1\\nline2')");
  }
  // Row 1 is the first row of the table: NULL, '01', 'Null', 'q', two lines.
  std::string GenerateAndRunOnTheRow(int item) {
    Run("select id, code, note, \"1=1 OR ID\", body from items order by \"1=1 OR ID\", code, note nulls first, "
        "id nulls first");
    EXPECT_TRUE(h.grid.CellIsNull(1, 0));
    EXPECT_EQ(h.grid.CellText(1, 2), "Null");
    h.grid.SelectRow(1);
    OnPopupItem(h.session, item);
    h.ui.messages.clear();  // what generating it said
    RunStatement(h.session);
    EXPECT_TRUE(h.ui.messages.empty()) << h.ui.messages.front();
    EXPECT_EQ(h.ui.notes.size(), 1u);  // the change's affected rows
    return h.ui.notes.empty() ? "" : h.ui.notes.back();
  }
  int Count(const std::string& where) {
    Run("select count(*) from items where " + where);
    return std::stoi(h.grid.CellText(0, 0));
  }
  static constexpr const char* kTheRow =
      "id is null and code = '01' and note = 'Null' and \"1=1 OR ID\" = 'q' and body = E'line1\\nline2'";
};

TEST_F(GeneratedFromKnownCellsTest, DeleteRemovesExactlyTheRow) {
  EXPECT_NE(GenerateAndRunOnTheRow(kGenerateDelete).find("Affected Rows: 1"), std::string::npos);
  EXPECT_EQ(Count(kTheRow), 0);
  EXPECT_EQ(Count("true"), 4);
}

TEST_F(GeneratedFromKnownCellsTest, UpdateChangesExactlyTheRow) {
  EXPECT_NE(GenerateAndRunOnTheRow(kGenerateUpdate).find("Affected Rows: 1"), std::string::npos);
  EXPECT_EQ(Count(kTheRow), 1);
  EXPECT_EQ(Count("true"), 5);
}

TEST_F(GeneratedFromKnownCellsTest, InsertWritesTheRowBackEqual) {
  EXPECT_NE(GenerateAndRunOnTheRow(kGenerateInsert).find("Affected Rows: 1"), std::string::npos);
  EXPECT_EQ(Count(kTheRow), 2);
  EXPECT_EQ(Count("true"), 6);
}

}  // namespace
}  // namespace zuno

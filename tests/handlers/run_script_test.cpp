#include "query/run_script.h"

#include <gtest/gtest.h>

#include <chrono>

#include "tests/support/data_sources.h"
#include "tests/support/handler_harness.h"

namespace zuno {
namespace {

using namespace std::chrono_literals;
using testing::DataSource;
using testing::HandlerHarness;

// The same script on both drivers: tables, a trigger or function whose body
// holds inner ";", inserts through it, and a select, all on line 9.
struct Dialect {
  DataSource source;
  std::string script;
  int statements;
};

Dialect SqliteScript() {
  return {testing::Sqlite(),
          "create temp table s_t (id integer, name varchar(20));\n"
          "create temp table s_log (n integer);\n"
          "create temp trigger s_tr after insert on s_t begin\n"
          "  insert into s_log values (new.id);\n  insert into s_log values (new.id * :F);\nend;\n"
          "insert into s_t values (1, 'a;b');\n"
          "insert into s_t values (2, 'END;');\n"
          "select n from s_log where n > :F order by n",
          6};
}

Dialect PgScript() {
  return {testing::PgPlain(),
          "create temp table s_t (id integer, name varchar(20));\n"
          "create temp table s_log (n integer);\n"
          "create function pg_temp.s_add(i integer) returns integer language sql begin atomic\n"
          "  insert into s_log values (i);\n  insert into s_log values (i * :F);\n  select i;\nend;\n"
          "insert into s_t values (pg_temp.s_add(1), 'a;b'), (pg_temp.s_add(2), 'END;');\n"
          "select n from s_log where n > :F order by n",
          5};
}

void Connect(HandlerHarness& h, const DataSource& source) {
  h.ui.SetText(kRowsToFetchBox, "50");
  ASSERT_TRUE(testing::ConnectTo(h.db, source)) << source.dsn;
}

std::string Selected(HandlerHarness& h) {
  const std::string text = h.ui.Text(kSqlEditor);
  return text.substr(h.ui.editorSelection.begin, h.ui.editorSelection.end - h.ui.editorSelection.begin);
}

struct ScriptTest : ::testing::Test {
  void SetUp() override { ZUNO_REQUIRE_FIXTURES(); }
};

// A label's colon asks for nothing, and the block it stands in stays one
// statement (which SQLite, knowing no SQL PL, refuses).
TEST_F(ScriptTest, ALabelsColonAsksNothing) {
  HandlerHarness h;
  Connect(h, testing::Sqlite());
  h.ui.SetText(kSqlEditor, "select 1;\nbegin\n  fetch_done :\n  loop leave fetch_done; end loop;\nend;\nselect 2");
  RunScript(h.session);
  EXPECT_TRUE(h.ui.prompts.empty()) << h.ui.prompts.front();
  EXPECT_EQ(h.grid.RowCount(), 3);
}

TEST_F(ScriptTest, CtrlShiftReturnRunsEveryStatementWithItsBodyWhole) {
  for (const Dialect& d : {SqliteScript(), PgScript()}) {
    SCOPED_TRACE(d.source.dsn);
    HandlerHarness h;
    Connect(h, d.source);
    h.ui.SetText(kSqlEditor, d.script);
    h.ui.textAnswers = {"10"};
    h.Click(kSqlEditor, Action::RunScript);
    EXPECT_EQ(h.ui.prompts.size(), 1u) << "a variable asked once per statement";
    EXPECT_TRUE(h.ui.messages.empty()) << h.ui.messages.front();
    ASSERT_EQ(h.grid.RowCount(), d.statements);
    for (int r = 0; r < d.statements; ++r) EXPECT_EQ(h.grid.CellText(r, 5), "ok") << "statement " << r + 1;
    const int last = d.statements - 1;
    EXPECT_EQ(h.grid.CellText(last, 1) + " " + h.grid.CellText(last, 2) + " " + h.grid.CellText(last, 3),
              "9 select n from s_log where n > :F order by n 1");
    EXPECT_EQ(h.ui.ListItems(kHistoryList).back(), "select n from s_log where n > 10 order by n");
    EXPECT_EQ(h.ui.busyOpened, 1) << "not one job for the whole script";

    // A double-click on a report row selects its statement.
    h.grid.SelectRow(2);
    h.Click(kResultGrid, Action::LeftDoubleClick);
    const std::string body = Selected(h);
    EXPECT_EQ(body.substr(0, 7) + body.substr(body.size() - 4), "create \nend") << body;

    // The report sorted: a row still names its own statement.
    h.grid.SelectRow(1);
    h.Click(kResultGrid, Action::LeftDoubleClick);
    const std::string second = Selected(h);
    h.grid.SortRows(0, SortDirection::Descending);
    ASSERT_NE(h.grid.RowOfIdentity(1), 1);
    h.grid.SelectRow(h.grid.RowOfIdentity(1));
    h.Click(kResultGrid, Action::LeftDoubleClick);
    EXPECT_EQ(Selected(h), second);
  }
}

TEST_F(ScriptTest, AFailingStatementStopsTheScriptAndIsSelected) {
  for (const DataSource& source : {testing::Sqlite(), testing::PgPlain()}) {
    SCOPED_TRACE(source.dsn);
    HandlerHarness h;
    Connect(h, source);
    h.ui.SetText(kSqlEditor,
                 "create temp table f_t (n integer);\ninsert into f_t values (1);\n\n"
                 "  insert into no_such_table values (2);\ninsert into f_t values (3);");
    h.Click(kSqlEditor, Action::RunScript);
    ASSERT_EQ(h.grid.RowCount(), 4);
    EXPECT_EQ(h.grid.CellText(1, 3) + h.grid.CellText(1, 5) + " " + h.grid.CellText(3, 5), "1ok not run");
    EXPECT_NE(h.grid.CellText(2, 5), "ok");
    ASSERT_EQ(h.ui.messages.size(), 1u);
    EXPECT_EQ(h.ui.messages[0].rfind("Statement 3 (line 4) failed:\n", 0), 0u) << h.ui.messages[0];
    EXPECT_EQ(Selected(h), "insert into no_such_table values (2)");
    EXPECT_EQ(h.ui.Text(kRowCountText), "Row Count: 1");
    EXPECT_EQ(h.ui.ListItems(kHistoryList).size(), 2u);
    ASSERT_TRUE(h.db.ExecuteQuery("select count(*) from f_t"));
    ASSERT_TRUE(h.db.NextRow());
    EXPECT_EQ(h.db.ReadLong(0), 1) << "a statement after the failing one ran";
    h.db.FinishQuery();
  }
}

TEST_F(ScriptTest, CtrlReturnRunsTheStatementAtTheCursorOrTheSelection) {
  const std::string text = "select 1 as a;\n-- the second\nselect 2 as b;select 3 as c";
  struct {
    const char* fault;
    std::size_t begin, end;
    std::vector<std::string> titles;  // of the grid afterwards
  } cases[] = {
      {"cursor at the start runs another statement", 0, 0, {"a"}},
      {"cursor after a terminator runs the next statement", 14, 14, {"a"}},
      {"cursor in a comment line runs the one before", 20, 20, {"a"}},
      {"cursor inside the second runs another", 33, 33, {"b"}},
      {"selection of one statement is not run alone", 43, 56, {"c"}},
      {"selection of two statements is not run as a script", 29, 56,
       {"No.", "Line", "Statement", "Rows", "Seconds", "Result"}},
  };
  for (const DataSource& source : {testing::Sqlite(), testing::PgPlain()}) {
    HandlerHarness h;
    Connect(h, source);
    for (const auto& c : cases) {
      SCOPED_TRACE(source.dsn + ": " + c.fault);
      h.ui.SetText(kSqlEditor, text);
      h.ui.editorSelection = {c.begin, c.end};
      h.Click(kSqlEditor, Action::RunAtCursor);
      EXPECT_TRUE(h.ui.messages.empty()) << h.ui.messages.front();
      std::vector<std::string> titles;
      for (int col = 0; col < h.grid.ColumnCount(); ++col) titles.push_back(h.grid.ColumnTitle(col));
      EXPECT_EQ(titles, c.titles);
    }
    EXPECT_EQ(h.ui.ListItems(kHistoryList),
              (std::vector<std::string>{"select 1 as a", "select 2 as b", "select 3 as c"}));
  }
}

TEST_F(ScriptTest, EveryResultSetCountsAndRunShowsEachOnAPage) {
  HandlerHarness h;
  Connect(h, testing::PgPlain());
  h.ui.SetText(kSqlEditor, "select 1 as a union select 2; select 3 as b");
  h.Click(kRunButton);
  EXPECT_EQ(h.grid.RowCount(), 2);
  EXPECT_EQ(h.pages.Count(), 2);
  EXPECT_TRUE(h.ui.notes.empty());
  EXPECT_TRUE(h.ui.messages.empty());

  h.ui.SetText(kSqlEditor, "--#SET TERMINATOR @\nselect 1 union select 2; select 3@\nselect 4@");
  h.Click(kSqlEditor, Action::RunScript);
  ASSERT_EQ(h.grid.RowCount(), 2);
  EXPECT_EQ(h.grid.CellText(0, 3), "3");
  EXPECT_EQ(h.ui.Text(kRowCountText), "Row Count: 4");
  EXPECT_TRUE(h.ui.notes.empty());  // the script closed the run's
  EXPECT_TRUE(h.ui.messages.empty());
}

TEST_F(ScriptTest, EscapeStopsTheRunningStatementAndTheScript) {
  HandlerHarness h;
  Connect(h, testing::PgPlain());
  h.ui.escapeAfter = 200ms;
  h.ui.SetText(kSqlEditor, "select 1;\nselect pg_sleep(30);\nselect 3");
  h.Click(kSqlEditor, Action::RunScript);
  ASSERT_EQ(h.grid.RowCount(), 3);
  EXPECT_EQ(h.grid.CellText(0, 5), "ok");
  EXPECT_EQ(h.grid.CellText(2, 5), "not run");
  EXPECT_FALSE(h.ui.busyOpen);
}

}  // namespace
}  // namespace zuno

#include "query/run_statement.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "grid/result_grid.h"
#include "tests/support/data_sources.h"
#include "tests/support/handler_harness.h"
#include "tests/support/temp_dir.h"

namespace zuno {
namespace {

using testing::DataSource;
using testing::HandlerHarness;

constexpr std::string_view kMarker = "\xC3\xBF";  // a line feed as the grid shows it

struct RunTest : ::testing::Test {
  HandlerHarness h;

  void SetUp() override { ZUNO_REQUIRE_FIXTURES(); }

  // The state start-up leaves: the row limit fixed at 50.
  void Connect(const DataSource& source) {
    h.ui.SetText(kRowsToFetchBox, "50");
    ASSERT_TRUE(testing::ConnectTo(h.db, source));
  }
  void Setup(const std::string& sql) { ASSERT_TRUE(h.db.ExecuteUpdate(sql)) << sql << ": " << h.db.LastError(); }
  void Run(const std::string& editorText) {
    h.ui.SetText(kSqlEditor, editorText);
    RunStatement(h.session);
  }
  std::vector<std::string> Titles() {
    std::vector<std::string> t;
    for (int c = 0; c < h.grid.ColumnCount(); ++c) t.push_back(h.grid.ColumnTitle(c));
    return t;
  }
  std::vector<std::string> Row(int r) {
    std::vector<std::string> cells;
    for (int c = 0; c < h.grid.ColumnCount(); ++c) cells.push_back(h.grid.CellText(r, c));
    return cells;
  }
  std::vector<std::string> History() { return h.ui.ListItems(kHistoryList); }
};

TEST_F(RunTest, RowsFillTheGridWithTheirCountTimeAndHistory) {
  Connect(testing::PgPlain());
  Setup("create temp table people (id integer, name varchar(12))");
  Setup("insert into people values (1, 'Ann'), (2, 'Bob'), (3, null)");

  Run("select id, name from people order by id");
  EXPECT_TRUE(h.ui.messages.empty()) << h.ui.messages.front();
  EXPECT_EQ(Titles(), (std::vector<std::string>{"id", "name"}));
  ASSERT_EQ(h.grid.RowCount(), 3);
  // INTEGER has size 10: numbers right-aligned in 11 characters.
  EXPECT_EQ(Row(0), (std::vector<std::string>{"          1", "Ann"}));
  EXPECT_EQ(Row(2), (std::vector<std::string>{"          3", "Null"}));
  EXPECT_EQ(h.ui.Text(kRowCountText), "Row Count: 3");
  EXPECT_EQ(h.ui.Text(kElapsedTimeText).rfind("SQL Sec. ", 0), 0u);
  EXPECT_EQ(h.page().mode, GridMode::Query);
  EXPECT_EQ(History(), std::vector<std::string>{"select id, name from people order by id"});
  EXPECT_FALSE(h.ui.busyOpen);
  EXPECT_EQ(h.ui.busyOpened, h.ui.busyClosed);

  // The same statement again is listed once.
  Run("select id, name from people order by id");
  EXPECT_EQ(History().size(), 1u);
}

TEST_F(RunTest, AnEmptyResultStillShowsItsColumns) {
  Connect(testing::Sqlite());
  Setup("create temp table empty_t (a integer, b varchar(30))");
  Run("select a, b from empty_t");
  EXPECT_EQ(Titles(), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(h.grid.RowCount(), 0);
  EXPECT_EQ(h.ui.Text(kRowCountText), "Row Count: 0");
  EXPECT_EQ(History().size(), 1u);
}

TEST_F(RunTest, FetchingStopsAtFiftyRowsWithANote) {
  for (const DataSource& source : {testing::PgPlain(), testing::Sqlite()}) {
    SCOPED_TRACE(source.dsn);
    HandlerHarness fresh;
    fresh.ui.SetText(kRowsToFetchBox, "50");
    ASSERT_TRUE(testing::ConnectTo(fresh.db, source));
    ASSERT_TRUE(fresh.db.ExecuteUpdate("create temp table many (n integer)"));
    for (int i = 0; i < 120; ++i) ASSERT_TRUE(fresh.db.ExecuteUpdate("insert into many values (" + std::to_string(i) + ")"));
    fresh.ui.SetText(kSqlEditor, "select n from many order by n");
    RunStatement(fresh.session);
    EXPECT_EQ(fresh.grid.RowCount(), 50);
    // It tells, and stops nothing: no message box waits for an answer.
    EXPECT_EQ(fresh.ui.notes, std::vector<std::string>{"Limit of 50 rows reached!"});
    EXPECT_TRUE(fresh.ui.messages.empty());
    EXPECT_EQ(fresh.ui.Text(kRowCountText), "Row Count: 50");
    EXPECT_FALSE(fresh.ui.busyOpen);
    EXPECT_EQ(fresh.ui.ListItems(kHistoryList).size(), 1u);
  }
}

// What only tells how a run went goes to the bar over the result area and
// stops nothing; a failure waits in a message box. Each run closes the notes
// of the one before.
TEST_F(RunTest, WhatOnlyInformsIsANoteAndAFailureAMessage) {
  Connect(testing::PgPlain());
  Setup("create temp table notes (n integer)");
  h.ui.SetText(kRowsToFetchBox, "2");
  struct {
    const char* what;
    const char* statement;
    std::vector<std::string> notes;
    std::size_t messages;
  } cases[] = {
      {"a capped run", "select g from generate_series(1, 5) g", {"Limit of 2 rows reached!"}, 0},
      {"a run within the limit", "select 1", {}, 0},
      {"a result set after the first, on a page of its own",
       "select 1 union select 2; select 3",
       {"Limit of 2 rows reached!"},
       0},
      {"a change", "insert into notes values (1)", {"insert into notes values (1)\nAffected Rows: 1"}, 0},
      {"a query that fails", "select * from no_such_table", {}, 1},
      {"a change that fails", "delete from no_such_table", {}, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    h.ui.messages.clear();
    Run(c.statement);
    EXPECT_EQ(h.ui.notes, c.notes);
    EXPECT_EQ(h.ui.messages.size(), c.messages);
  }
}

// Rows To Fetch as the user sets it: a number from its list or typed, "0"
// for every row, an empty box for 50. The limit message names the limit, and
// NULLs stay known as such beside their text.
TEST_F(RunTest, RowsToFetchLimitsTheRowsOrFetchesEveryOne) {
  constexpr int kTableRows = 1500;
  const std::string fill = " select g, case when g % 7 = 0 then null else 'row ' || g end";
  struct Source {
    DataSource source;
    std::string insert;
  } sources[] = {
      {testing::PgPlain(), "insert into many" + fill + " from generate_series(1, 1500) g"},
      {testing::Sqlite(), "insert into many with recursive s(g) as (select 1 union all select g + 1 from s where g < 1500)" +
                              fill + " from s"},
  };
  struct {
    const char* box;
    int rows;
    bool limitMessage;
  } cases[] = {
      {"0", kTableRows, false}, {"100", 100, true}, {"1000", 1000, true}, {"", 50, true}, {"1500", 1500, true},
      {"100000", kTableRows, false},
  };
  for (const Source& s : sources) {
    HandlerHarness fresh;
    ASSERT_TRUE(testing::ConnectTo(fresh.db, s.source));
    ASSERT_TRUE(fresh.db.ExecuteUpdate("create temp table many (n integer, t varchar(20))")) << fresh.db.LastError();
    ASSERT_TRUE(fresh.db.ExecuteUpdate(s.insert)) << fresh.db.LastError();
    for (const auto& c : cases) {
      SCOPED_TRACE(s.source.dsn + ", Rows to fetch \"" + c.box + "\"");
      fresh.ui.SetText(kRowsToFetchBox, c.box);
      fresh.ui.SetText(kSqlEditor, "select n, t from many order by n");
      RunStatement(fresh.session);
      ASSERT_EQ(fresh.grid.RowCount(), c.rows);
      std::vector<std::string> expected;
      if (c.limitMessage) expected.push_back("Limit of " + std::to_string(c.rows) + " rows reached!");
      EXPECT_EQ(fresh.ui.notes, expected);  // the run before closed its own
      EXPECT_TRUE(fresh.ui.messages.empty());
      EXPECT_EQ(fresh.ui.Text(kRowCountText), "Row Count: " + std::to_string(c.rows));
      EXPECT_FALSE(fresh.ui.busyOpen);
      const int last = c.rows - 1;
      const std::string number = fresh.grid.CellText(last, 0);  // right-aligned in its column's size
      EXPECT_EQ(number.substr(number.find_first_not_of(' ')), std::to_string(c.rows));
      const bool null = c.rows % 7 == 0;
      EXPECT_EQ(fresh.grid.CellText(last, 1), null ? "Null" : "row " + std::to_string(c.rows));
      EXPECT_EQ(fresh.grid.Rows().IsNull(static_cast<std::size_t>(last), 1), null);
      EXPECT_TRUE(fresh.grid.Rows().IsNull(6, 1)) << "the NULL of row 7 is not known as one";
      EXPECT_FALSE(fresh.grid.Rows().IsNull(6, 0));
    }
  }
}

TEST_F(RunTest, EachKindShowsItsTextAndColour) {
  Connect(testing::PgPlain());
  Setup(
      "create temp table kinds (i integer, b bigint, r real, d double precision, n numeric(20,5),"
      " c char(10), v varchar(20), dt date, ts timestamp(6), t text, bl bytea)");
  Setup(
      "insert into kinds values (7, 9000000000, 1.5, 1.5, 123456789012.12345, '2024-03-01', '2024-03-01',"
      " '2024-03-01', '2024-03-01 10:11:12.5', E'two\\nlines', '\\x01')");
  Setup("insert into kinds values (null, null, null, null, null, null, null, null, null, null, null)");
  h.ui.SetChecked(kColoredDatatypesCheckBox, true);
  Run("select * from kinds");
  ASSERT_EQ(h.grid.RowCount(), 2);
  std::vector<std::string> values = Row(0);
  EXPECT_EQ(values[0], "          7");                           // INTEGER, size 10
  EXPECT_EQ(values[1], "          9000000000");                  // BIGINT, size 19
  EXPECT_EQ(values[2].substr(values[2].size() - 5), " 1.50");   // REAL: two decimals
  EXPECT_EQ(values[3].substr(values[3].size() - 4), " 1.5");    // DOUBLE: Double text
  EXPECT_EQ(values[4], "   123456789012.12345");                 // NUMERIC(20,5): exact digits in 21
  EXPECT_EQ(values[5], "01.03.2024");                            // CHAR(10): a date
  EXPECT_EQ(values[6], "2024-03-01");                            // VARCHAR(20): a plain text
  EXPECT_EQ(values[7], "01.03.2024");
  EXPECT_EQ(values[8], "2024-03-01 10:11:12.5");
  EXPECT_EQ(values[9], "two" + std::string(kMarker) + "lines");
  EXPECT_EQ(values[10], "binary Data");

  std::vector<std::string> nulls = Row(1);
  EXPECT_EQ(nulls[0], "       Null");  // right-aligned in size + 1
  EXPECT_EQ(nulls[5], "Null");
  EXPECT_EQ(nulls[10], "Null");

  // The class of the last row decides; a NULL text keeps the class before it.
  struct {
    int column;
    Rgb colour;
  } tints[] = {
      {0, MakeRgb(253, 250, 204)}, {1, MakeRgb(175, 224, 254)}, {2, MakeRgb(255, 205, 205)},
      {3, MakeRgb(192, 254, 206)}, {4, MakeRgb(255, 205, 205)}, {5, MakeRgb(168, 211, 255)},
      {6, MakeRgb(250, 250, 250)}, {7, MakeRgb(168, 211, 255)}, {8, MakeRgb(255, 240, 211)},
      {9, MakeRgb(250, 250, 250)}, {10, MakeRgb(250, 223, 252)},
  };
  for (const auto& t : tints) {
    SCOPED_TRACE(h.grid.ColumnTitle(t.column));
    EXPECT_EQ(h.grid.Background(0, t.column), t.colour);
    EXPECT_EQ(h.grid.Background(1, t.column), t.colour);
  }
}

TEST_F(RunTest, UncheckedColoredDatatypesLeavesTheCellsUntinted) {
  Connect(testing::Sqlite());
  h.ui.SetChecked(kColoredDatatypesCheckBox, false);
  Run("select 1 as one, 'x' as two");
  ASSERT_EQ(h.grid.RowCount(), 1);
  EXPECT_EQ(h.grid.Background(0, 0), std::nullopt);
  EXPECT_EQ(h.grid.Background(0, 1), std::nullopt);
}

TEST_F(RunTest, ChangesReportTheirAffectedRows) {
  Connect(testing::PgPlain());
  Setup("create temp table items (n integer)");

  Run("insert into items values (1), (2), (3)");
  EXPECT_EQ(h.ui.notes, std::vector<std::string>{"insert into items values (1), (2), (3)\nAffected Rows: 3"});
  EXPECT_EQ(h.ui.Text(kRowCountText), "Affected Rows: 3");
  EXPECT_EQ(h.grid.ColumnCount(), 0);

  // Touching no row is a success with 0 rows, not an empty error box.
  Run("update items set n = 0 where n = 99");
  EXPECT_EQ(h.ui.notes.back(), "update items set n = 0 where n = 99\nAffected Rows: 0");
  EXPECT_TRUE(h.ui.messages.empty());
  EXPECT_EQ(History(), (std::vector<std::string>{"insert into items values (1), (2), (3)",
                                                 "update items set n = 0 where n = 99"}));
  EXPECT_FALSE(h.ui.busyOpen);
}

TEST_F(RunTest, AFailingStatementShowsTheDriversTextAndLeavesNoTrace) {
  Connect(testing::PgPlain());
  h.ui.SetText(kRowCountText, "Row Count: 12");
  h.ui.SetText(kElapsedTimeText, "SQL Sec. 99");
  Run("select * from no_such_table");
  ASSERT_EQ(h.ui.messages.size(), 1u);
  EXPECT_NE(h.ui.messages[0].find("no_such_table"), std::string::npos) << h.ui.messages[0];
  EXPECT_EQ(h.grid.ColumnCount(), 0);
  // The figures of the run before do not stay on show.
  EXPECT_EQ(h.ui.Text(kRowCountText), "Row Count: 0 (failed)");
  EXPECT_EQ(h.ui.Text(kElapsedTimeText).rfind("SQL Sec. ", 0), 0u);
  EXPECT_NE(h.ui.Text(kElapsedTimeText), "SQL Sec. 99");
  EXPECT_TRUE(History().empty());
  EXPECT_FALSE(h.ui.busyOpen);

  Run("delete from no_such_table");
  EXPECT_EQ(h.ui.messages.size(), 2u);
  EXPECT_EQ(h.ui.Text(kRowCountText), "Row Count: 0 (failed)");
  EXPECT_TRUE(History().empty());

  // Giving up at a prompt runs nothing, and says so.
  Run("select * from t where id = :ID");
  EXPECT_EQ(h.ui.Text(kRowCountText), "Row Count: 0 (cancelled)");
}

// Rows read through a server cursor reach the grid while the fetch goes on
// (the first hundred at once, each later one 1 ms apart, the driver's
// blocks of 512 rows each shown as it comes): the busy window
// gives way to them, Row Count counts them up, and Escape stops the fetch
// and keeps what came in the order it came.
TEST_F(RunTest, RowsShowWhileTheyAreFetchedAndEscapeKeepsThem) {
  struct {
    const char* fault;
    int rows;
    bool escape;  // once the first rows are shown
  } cases[] = {
      {"a fetch that ends shows its rows only at the end, or loses some", 1200, false},
      {"Escape during a long fetch loses the rows shown", 100000, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.fault);
    Connect(testing::PgCursor());
    h.ui.SetText(kRowsToFetchBox, "0");
    int shownWhileFetching = 0;
    int firstShown = 0;
    bool busyWhileShown = false;
    std::string countWhileFetching;
    h.ui.escapeWhen = [&] {
      if (h.grid.RowCount() > shownWhileFetching) {
        shownWhileFetching = h.grid.RowCount();
        if (firstShown == 0) firstShown = shownWhileFetching;
        busyWhileShown = busyWhileShown || h.ui.busyOpen;
        countWhileFetching = h.ui.Text(kRowCountText);
      }
      return c.escape && shownWhileFetching >= 100;
    };
    const int gaveWay = h.ui.gaveWay;
    Run("select g, g > 100 and pg_sleep(0.001) is null as late from generate_series(1, " + std::to_string(c.rows) +
        ") g");
    h.ui.escapeWhen = nullptr;
    const int rows = h.grid.RowCount();
    EXPECT_GE(shownWhileFetching, 100) << "no rows were shown before the fetch ended";
    EXPECT_LT(firstShown, c.rows) << "no rows were shown before the fetch ended";
    EXPECT_FALSE(busyWhileShown) << "the busy window covers the rows shown";
    EXPECT_EQ(h.ui.gaveWay, gaveWay + 1);
    EXPECT_EQ(countWhileFetching, "Row Count: " + std::to_string(shownWhileFetching));
    EXPECT_FALSE(h.ui.busyOpen);
    EXPECT_TRUE(h.ui.messages.empty()) << h.ui.messages.front();
    // INTEGER has size 10: right-aligned in 11 characters.
    const auto shownAs = [](int n) { return std::string(11 - std::to_string(n).size(), ' ') + std::to_string(n); };
    for (int r = 0; r < rows; r += 37)
      ASSERT_EQ(h.grid.CellText(r, 0), shownAs(r + 1)) << "row " << r << " is not the row fetched there";
    if (c.escape) {
      EXPECT_LT(rows, c.rows);
      EXPECT_GE(rows, shownWhileFetching);
      EXPECT_EQ(h.ui.notes, (std::vector<std::string>{"Fetch cancelled. Rows shown: " + std::to_string(rows) + "."}));
      EXPECT_EQ(h.ui.Text(kRowCountText), "Row Count: " + std::to_string(rows) + " (cancelled)");
    } else {
      EXPECT_EQ(rows, c.rows);
      EXPECT_TRUE(h.ui.notes.empty()) << h.ui.notes.front();
      EXPECT_EQ(h.ui.Text(kRowCountText), "Row Count: " + std::to_string(c.rows));
      EXPECT_EQ(h.grid.CellText(rows - 1, 0), shownAs(c.rows));
    }
    const std::vector<std::string> history = History();
    EXPECT_NE(std::find(history.begin(), history.end(), h.ui.Text(kSqlEditor)), history.end())
        << "a streamed result did not enter the history";
  }
}

// Rows that come after a header click go into the order it asked for.
TEST_F(RunTest, RowsFetchedAfterASortGoIntoTheirPlaces) {
  Connect(testing::PgCursor());
  h.ui.SetText(kRowsToFetchBox, "0");
  int sortedAt = 0;
  h.ui.escapeWhen = [&] {
    if (sortedAt == 0 && h.grid.RowCount() > 0) {
      sortedAt = h.grid.RowCount();
      h.grid.SortRows(0, SortDirection::Descending);
    }
    return false;
  };
  Run("select g, g > 100 and pg_sleep(0.001) is null as late from generate_series(1, 1200) g");
  h.ui.escapeWhen = nullptr;
  ASSERT_LT(sortedAt, 1200) << "the sort came after the last row";
  ASSERT_EQ(h.grid.RowCount(), 1200);
  for (int r = 0; r < 1200; ++r) ASSERT_EQ(std::stoi(h.grid.CellText(r, 0)), 1200 - r) << "row " << r;
}

// An assignment's colon asks for nothing.
TEST_F(RunTest, AColonWithoutANameAfterItAsksNothing) {
  Connect(testing::PgPlain());
  Run("do $$ declare x int; begin x := 1; end $$");
  EXPECT_TRUE(h.ui.prompts.empty()) << h.ui.prompts.front();
}

TEST_F(RunTest, VariablesAreAskedForAndAnEmptyAnswerRunsNothing) {
  Connect(testing::PgPlain());
  Setup("create temp table people (id integer, name varchar(12))");
  Setup("insert into people values (1, 'Ann'), (42, 'Zed')");

  h.ui.textAnswers = {"42"};
  Run("select name from people where id = :ID");
  EXPECT_EQ(h.ui.prompts, std::vector<std::string>{"ZUNO|Enter data for variable :ID|"});
  ASSERT_EQ(h.grid.RowCount(), 1);
  EXPECT_EQ(h.grid.CellText(0, 0), "Zed");
  EXPECT_EQ(History(), std::vector<std::string>{"select name from people where id = 42"});

  h.ui.textAnswers = {};  // the dialog closed: the empty text
  Run("select name from people where id = :ID");
  EXPECT_EQ(h.grid.ColumnCount(), 0);
  EXPECT_EQ(History().size(), 1u);
  EXPECT_EQ(h.ui.busyOpened, 1);
}

TEST_F(RunTest, CommentsAndLineEndsDoNotChangeWhatRuns) {
  Connect(testing::Sqlite());
  Setup("create temp table t (a integer)");
  Setup("insert into t values (1), (2)");
  // A commented first line, LF line ends, the first word alone on its line.
  Run("-- the rows\nselect\n* from t -- all of them\nwhere a = 2");
  ASSERT_EQ(h.grid.RowCount(), 1) << (h.ui.messages.empty() ? "" : h.ui.messages.front());
  // A comment line inside a DELETE keeps its WHERE clause; carriage returns
  // become blanks.
  Run("-- remove one\r\ndelete from t\r\n-- only this one\r\nwhere a = 1");
  EXPECT_EQ(h.ui.notes.back(), "delete from t \n \nwhere a = 1\nAffected Rows: 1");
}

// A result larger than the memory left stops at the budget with the rows
// fetched so far, whatever the row limit; under the budget nothing changes.
// The figures come from files the test writes, as the kernel's would read.
TEST_F(RunTest, FetchingStopsAtTheMemoryBudgetWithTheRowsSoFar) {
  Connect(testing::PgPlain());
  h.ui.SetText(kRowsToFetchBox, "0");
  testing::TempDir proc;
  const std::string cgroups = proc.File("cgroup"), mount = proc.File("fs");
  h.state.memoryFiles = {proc.File("meminfo"), cgroups, mount};
  struct {
    const char* what;
    std::vector<std::pair<std::string, std::string>> files;
    bool stops;
  } cases[] = {
      {"plenty available", {{"meminfo", "MemTotal: 67108864 kB\nMemAvailable: 67108864 kB\n"}}, false},
      {"little available", {{"meminfo", "MemFree: 900000 kB\nMemAvailable: 200 kB\n"}}, true},
      // The limit is the parent's: the process's own cgroup has none.
      {"a version 2 cgroup whose parent is near its limit",
       {{"cgroup", "0::/user.slice/zuno\n"}, {"fs/user.slice/zuno/memory.max", "max\n"},
        {"fs/user.slice/memory.max", "250000\n"}, {"fs/user.slice/memory.current", "50000\n"}},
       true},
      {"a version 1 cgroup near its limit",
       {{"cgroup", "5:cpu,cpuacct:/zuno\n4:memory:/zuno\n"}, {"fs/memory/zuno/memory.limit_in_bytes", "300000\n"},
        {"fs/memory/zuno/memory.usage_in_bytes", "100000\n"}},
       true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::filesystem::remove_all(mount);
    std::filesystem::remove(cgroups);
    testing::WriteFileBytes(proc.File("meminfo"), "MemAvailable: 67108864 kB\n");
    for (const auto& [file, text] : c.files) {
      std::filesystem::create_directories(std::filesystem::path(proc.File(file)).parent_path());
      testing::WriteFileBytes(proc.File(file), text);
    }
    Run("select g, repeat('x', 1000) from generate_series(1, 1000) g");
    const int rows = h.grid.RowCount();
    EXPECT_EQ(rows < 1000, c.stops) << rows;
    EXPECT_GT(rows, 0);
    EXPECT_EQ(h.ui.notes, c.stops ? std::vector<std::string>{"Limit of available memory reached at " +
                                                                 std::to_string(rows) + " rows!"}
                                     : std::vector<std::string>{});
    EXPECT_EQ(h.ui.Text(kRowCountText), "Row Count: " + std::to_string(rows));
  }
}

}  // namespace
}  // namespace zuno

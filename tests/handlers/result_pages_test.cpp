// Every result set on its own page, on PostgreSQL: the handlers work on the
// current page's grid, and a page shown again brings its own statement back.
#include <gtest/gtest.h>

#include <functional>

#include "catalog/catalog_buttons.h"
#include "catalog/drill_down.h"
#include "query/run_script.h"
#include "query/run_statement.h"
#include "session/page_switch.h"
#include "tests/support/data_sources.h"
#include "tests/support/handler_harness.h"
#include "tests/support/temp_dir.h"
#include "tools/column_autosize.h"
#include "tools/popup_actions.h"
#include "tools/report_export.h"

namespace zuno {
namespace {

using testing::HandlerHarness;

struct PagesTest : ::testing::Test {
  HandlerHarness h;
  ResultPages& pages = h.pages;
  testing::CurrentMemoryGrid& grid = h.grid;
  Session& s = h.session;

  void SetUp() override {
    ZUNO_REQUIRE_FIXTURES();
    h.ui.SetText(kRowsToFetchBox, "50");
    ASSERT_TRUE(testing::ConnectTo(h.db, testing::PgPlain()));
    for (const char* sql : {"create temp table p_first (id integer, name varchar(10))",
                            "create temp table p_second (code varchar(5), qty integer)",
                            "insert into p_first values (1, 'Ann'), (2, 'Bob')",
                            "insert into p_second values ('X1', 7)"})
      ASSERT_TRUE(h.db.ExecuteUpdate(sql)) << h.db.LastError();
  }
  std::vector<std::string> Titles() {
    std::vector<std::string> titles;
    for (int i = 0; i < pages.Count(); ++i) titles.push_back(pages.Page(i).title);
    return titles;
  }
  // The titles the windows were last told, a pinned page's marked.
  std::vector<std::string> Tabs() {
    std::vector<std::string> tabs;
    for (const PageTab& tab : h.ui.pageTabs) tabs.push_back(tab.title + (tab.pinned ? "*" : ""));
    return tabs;
  }
};

TEST_F(PagesTest, AStatementWithTwoResultSetsGivesTwoPages) {
  h.ui.SetText(kSqlEditor, "select id, name from p_first order by id; select code, qty from p_second");
  RunStatement(s);
  EXPECT_TRUE(h.ui.messages.empty()) << h.ui.messages.front();
  ASSERT_EQ(Titles(), (std::vector<std::string>{"Result", "Result 2"}));
  EXPECT_EQ(pages.CurrentIndex(), 0) << "the first result is not the one shown";
  EXPECT_EQ(grid.RowCount(), 2);
  EXPECT_EQ(h.ui.Text(kRowCountText), "Row Count: 2");
  ShowResultPage(s, 1);
  EXPECT_EQ(grid.ColumnTitle(0), "code");
  EXPECT_EQ(grid.CellText(0, 0), "X1");
  EXPECT_EQ(h.ui.Text(kRowCountText), "Row Count: 1");
}

TEST_F(PagesTest, AScriptWithTwoSelectsGivesItsReportAndAPageForEach) {
  h.ui.SetText(kSqlEditor, "update p_second set qty = 8;\nselect id, name from p_first order by id;\n"
                           "select code, qty from p_second");
  RunScript(s);
  EXPECT_TRUE(h.ui.messages.empty()) << h.ui.messages.front();
  ASSERT_EQ(Titles(), (std::vector<std::string>{"Report", "No. 2", "No. 3"}));
  EXPECT_EQ(h.page().mode, GridMode::ScriptReport) << "the report is not the page shown";
  EXPECT_EQ(grid.RowCount(), 3);

  // A statement generated on the third page names that page's table.
  ShowResultPage(s, 2);
  EXPECT_EQ(h.page().mode, GridMode::Query);
  grid.SelectRow(0);
  OnPopupItem(s, kGenerateDelete);
  EXPECT_EQ(h.ui.Text(kSqlEditor).substr(0, 24), "delete from p_second whe") << h.ui.Text(kSqlEditor);
  ShowResultPage(s, 1);
  grid.SelectRow(1);
  OnPopupItem(s, kGenerateDelete);
  EXPECT_EQ(h.ui.Text(kSqlEditor).substr(0, 23), "delete from p_first whe") << h.ui.Text(kSqlEditor);
}

TEST_F(PagesTest, AScriptShowsTwentyResultsOnPagesAndSaysWhereTheRestWent) {
  std::string script;
  for (int n = 1; n <= kScriptPageLimit + 2; ++n) script += "select " + std::to_string(n) + " as n;\n";
  h.ui.SetText(kSqlEditor, script);
  RunScript(s);
  EXPECT_EQ(pages.Count(), kScriptPageLimit + 1);
  EXPECT_EQ(h.ui.messages, std::vector<std::string>{ScriptPagesNote(kScriptPageLimit + 2)});
  EXPECT_EQ(grid.RowCount(), kScriptPageLimit + 2) << "the report lost a statement";
}

// A script's result shows its rows on its page while the script goes on.
TEST_F(PagesTest, AScriptsResultShowsItsRowsWhileTheScriptRuns) {
  ASSERT_TRUE(testing::ConnectTo(h.db, testing::PgCursor()));
  h.ui.SetText(kRowsToFetchBox, "0");
  std::string seen;
  h.ui.escapeWhen = [&] {
    if (seen.empty() && grid.RowCount() > 0 && !h.ui.busyOpen) seen = pages.Current()->title;
    return false;
  };
  h.ui.SetText(kSqlEditor,
               "select g, g > 100 and pg_sleep(0.001) is null from generate_series(1, 1200) g;\n"
               "select 2 as n");
  RunScript(s);
  h.ui.escapeWhen = nullptr;
  EXPECT_EQ(seen, "No. 1") << "no rows were shown on their page before the script ended";
  ASSERT_EQ(Titles(), (std::vector<std::string>{"Report", "No. 1", "No. 2"}));
  EXPECT_EQ(h.page().mode, GridMode::ScriptReport) << "the report is not the page shown";
  EXPECT_EQ(pages.Page(1).grid->RowCount(), 1200);
  EXPECT_EQ(pages.Page(2).grid->RowCount(), 1);
}

// The results a script keeps on its pages share the memory budget: a later
// one stops where the ones before it left the budget spent.
TEST_F(PagesTest, AScriptsResultsShareTheMemoryBudget) {
  testing::TempDir proc;
  h.state.memoryFiles = {proc.File("meminfo"), proc.File("cgroup"), proc.File("fs")};
  testing::WriteFileBytes(proc.File("meminfo"), "MemAvailable: 2000 kB\n");  // a budget of 1000 kB
  h.ui.SetText(kRowsToFetchBox, "0");
  const std::string rows = "select g, repeat('x', 1000) from generate_series(1, 600) g;\n";
  h.ui.SetText(kSqlEditor, rows + rows + rows);
  RunScript(s);
  ASSERT_EQ(pages.Count(), 4) << (h.ui.messages.empty() ? "" : h.ui.messages.front());
  std::vector<int> kept;
  for (int i = 1; i < 4; ++i) kept.push_back(pages.Page(i).grid->RowCount());
  EXPECT_EQ(kept[0], 600) << "the first result alone fits";
  EXPECT_GT(kept[1], 0);
  EXPECT_LT(kept[1], 600);
  EXPECT_LE(kept[0] + kept[1] + kept[2], 1000) << "the pages together hold more than the budget";
  EXPECT_EQ(h.ui.notes,
            (std::vector<std::string>{"Limit of available memory reached at " + std::to_string(kept[1]) + " rows!",
                                      "Limit of available memory reached at " + std::to_string(kept[2]) + " rows!"}));
}

TEST_F(PagesTest, TabsShowPinAndCloseThePagesAndTheNextRunKeepsThePinnedOnes) {
  h.ui.SetText(kSqlEditor, "select id, name from p_first order by id; select code, qty from p_second");
  RunStatement(s);
  const std::string threeRows = "select 5 as five union all select 6 union all select 7";
  const struct {
    const char* what;
    Action action;  // LeftClick: the run of threeRows
    int page;
    std::vector<std::string> tabs;
    int current;
    const char* rowCount;
  } steps[] = {
      {"show the second", Action::ShowPage, 1, {"Result", "Result 2"}, 1, "Row Count: 1"},
      {"pin it", Action::PinPage, 1, {"Result", "Result 2*"}, 1, "Row Count: 1"},
      {"a run keeps it", Action::LeftClick, 0, {"Result 2*", "Result"}, 1, "Row Count: 3"},
      {"show the pinned one again", Action::ShowPage, 0, {"Result 2*", "Result"}, 0, "Row Count: 1"},
      {"close a page not shown", Action::ClosePage, 1, {"Result 2*"}, 0, "Row Count: 1"},
      {"a page no tab has", Action::ClosePage, 4, {"Result 2*"}, 0, "Row Count: 1"},
      {"a run beside it", Action::LeftClick, 0, {"Result 2*", "Result"}, 1, "Row Count: 3"},
      {"close the shown one: the one before", Action::ClosePage, 1, {"Result 2*"}, 0, "Row Count: 1"},
      {"unpin it", Action::UnpinPage, 0, {"Result 2"}, 0, "Row Count: 1"},
      {"a run replaces it", Action::LeftClick, 0, {"Result"}, 0, "Row Count: 3"},
      {"close the last: an empty page", Action::ClosePage, 0, {"Result"}, 0, ""},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.what);
    if (step.action == Action::LeftClick) {
      h.ui.SetText(kSqlEditor, threeRows);
      RunStatement(s);
    } else {
      h.loop.Deliver(Event::PageOf(step.action, step.page));
    }
    EXPECT_EQ(Tabs(), step.tabs);
    EXPECT_EQ(h.ui.currentPageTab, step.current);
    EXPECT_EQ(pages.CurrentIndex(), step.current);
    EXPECT_EQ(h.ui.Text(kRowCountText), step.rowCount);
    EXPECT_EQ(grid.RowCount(), std::string(step.rowCount).empty() ? 0 : step.rowCount[11] - '0');
  }
  EXPECT_EQ(grid.ColumnCount(), 0);
  EXPECT_EQ(h.ui.Text(kElapsedTimeText), "");
}

// Every action on a result, done on the second of two pages, acts on that
// page's rows and its own table, on a source with a Db2 catalog.
struct PageActionsTest : ::testing::Test {
  HandlerHarness h;
  testing::TempDir dir;

  void SetUp() override {
    ZUNO_REQUIRE_FIXTURES();
    h.ui.SetText(kRowsToFetchBox, "50");
    h.Connect(testing::PgLuw());
    ASSERT_TRUE(h.db.Connected()) << h.db.LastError();
  }
  // The orders on the first page, the customers on the second, shown, with
  // the cursor on Bruno's name.
  void TwoPages() {
    h.ui.SetText(kSqlEditor,
                 "select id, item, qty from myschema.orders order by id;"
                 "select id, name from myschema.customers order by id");
    RunStatement(h.session);
    ASSERT_EQ(h.pages.Count(), 2);
    ShowResultPage(h.session, 1);
    h.grid.SelectCell(1, 1);
  }
  void Choose(int item, int column) {
    OnPopupItem(h.session, item);
    h.ui.SelectListItem(kQueryNamesList, column);
    h.Click(kLibraryDeleteButton);  // "Select Column"
  }
  std::string Generated(int item) {
    OnPopupItem(h.session, item);
    h.ui.messages.clear();  // the formatter's, where it cannot format
    return h.ui.Text(kSqlEditor);
  }
  std::string Saved(const std::string& name) {
    h.ui.yesNoAnswers = {true};
    h.ui.textAnswers = {","};
    h.ui.fileAnswers = {dir.File(name)};
    OnSaveReportClicked(h.session);
    return testing::ReadFileBytes(dir.File(name));
  }
  std::vector<int> Widths(int page) {
    auto& g = static_cast<testing::MemoryResultGrid&>(*h.pages.Page(page).grid);
    std::vector<int> widths;
    for (int c = 0; c < g.ColumnCount(); ++c) widths.push_back(g.ColumnWidth(c));
    return widths;
  }
  // What a change of the widths of the shown page left on each page.
  std::string WidthsAfter(int item, const std::vector<int>& second) {
    const std::vector<int> first = Widths(0);
    OnPopupItem(h.session, item);
    return std::string(Widths(0) == first ? "first kept" : "first changed") +
           (Widths(1) == second ? ", second as asked" : ", second not");
  }
};

TEST_F(PageActionsTest, EachActsOnTheSecondPagesRowsAndTable) {
  const struct {
    const char* what;
    std::function<std::string()> act;
    const char* expected;  // in what it gave
  } cases[] = {
      {"Copy", [&] { return Choose(kCopyToClipboard, 1), h.ui.clipboard; }, "Bruno"},
      {"Copy Cell", [&] { return OnPopupItem(h.session, kCopyCell), h.ui.clipboard; }, "Bruno"},
      {"the Column Chooser while the first page is shown",
       [&] {
         OnPopupItem(h.session, kCopyToClipboard);
         ShowResultPage(h.session, 0);
         h.ui.SelectListItem(kQueryNamesList, 1);
         h.Click(kLibraryDeleteButton);
         return h.ui.clipboard;
       },
       "Bruno"},
      {"Generate Insert", [&] { return Generated(kGenerateInsert); }, "into myschema.customers"},
      {"Generate Update", [&] { return Generated(kGenerateUpdate); }, "myschema.customers set"},
      {"Generate Delete", [&] { return Generated(kGenerateDelete); }, "delete from myschema.customers"},
      {"Autosize", [&] { return WidthsAfter(kAutosizeColumns, AutosizedColumnWidths(h.grid.Rows(), 2)); },
       "first kept, second as asked"},
      {"Save Report as CSV", [&] { return Saved("page.csv"); }, "id,name\r\n1,Ada\r\n2,Bruno\r\n"},
      {"drill-down from a list on the second page",
       [&] {
         h.pages.SetPinned(0, true);  // the orders stay
         h.state.lastCreator = "MYSCHEMA";
         OnLastCreatorClicked(h.session);
         for (int r = 0; r < h.grid.RowCount(); ++r)
           if (h.grid.CellText(r, 1) == "CUSTOMERS") h.grid.SelectRow(r);
         OnGridDoubleClick(h.session);
         return h.ui.Text(kSqlEditor) + " " + h.pages.Page(0).title;
       },
       "from MYSCHEMA.CUSTOMERS Result"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    h.ui.clipboard.clear();
    h.ui.SetText(kSqlEditor, "");
    TwoPages();
    const std::string gave = c.act();
    EXPECT_NE(gave.find(c.expected), std::string::npos) << gave;
    for (const char* first : {"apple", "orders"}) EXPECT_EQ(gave.find(first), std::string::npos) << gave;
    EXPECT_TRUE(h.ui.messages.empty()) << h.ui.messages.front();
    h.ui.messages.clear();
    h.pages.SetPinned(0, false);
  }
}

}  // namespace
}  // namespace zuno

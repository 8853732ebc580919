// Every result set on its own page, on PostgreSQL: the handlers work on the
// current page's grid, and a page shown again brings its own statement back.
#include <gtest/gtest.h>

#include "query/run_script.h"
#include "query/run_statement.h"
#include "session/current_page_grid.h"
#include "session/page_switch.h"
#include "tests/support/data_sources.h"
#include "tests/support/handler_harness.h"
#include "tools/popup_actions.h"

namespace zuno {
namespace {

using testing::HandlerHarness;

struct PagesTest : ::testing::Test {
  HandlerHarness h;
  ResultPages pages{[] { return std::make_unique<testing::MemoryResultGrid>(); }};
  CurrentPageGrid grid{pages};
  Session s{h.state, h.ui, grid, h.loop, h.db, h.jobs, &pages};

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
  ShowResultPage(s, 0);
  EXPECT_EQ(h.ui.Text(kRowCountText), "Row Count: 2");

  // The next run replaces the pages that are not pinned.
  pages.SetPinned(1, true);
  h.ui.SetText(kSqlEditor, "select 5 as five");
  RunStatement(s);
  EXPECT_EQ(Titles(), (std::vector<std::string>{"Result 2", "Result"}));
  EXPECT_EQ(grid.CellText(0, 0), "          5");
}

TEST_F(PagesTest, AScriptWithTwoSelectsGivesItsReportAndAPageForEach) {
  h.ui.SetText(kSqlEditor, "update p_second set qty = 8;\nselect id, name from p_first order by id;\n"
                           "select code, qty from p_second");
  RunScript(s);
  EXPECT_TRUE(h.ui.messages.empty()) << h.ui.messages.front();
  ASSERT_EQ(Titles(), (std::vector<std::string>{"Report", "No. 2", "No. 3"}));
  EXPECT_EQ(h.state.gridMode, GridMode::ScriptReport) << "the report is not the page shown";
  EXPECT_EQ(grid.RowCount(), 3);

  // A statement generated on the third page names that page's table.
  ShowResultPage(s, 2);
  EXPECT_EQ(h.state.gridMode, GridMode::Query);
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

}  // namespace
}  // namespace zuno

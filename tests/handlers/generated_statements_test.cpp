// Statements generated from a grid row, run back through Run Statement, do
// what they say to the row they came from.
#include <gtest/gtest.h>

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
  std::string GenerateAndRun(int row, int item) {
    ShowAll();
    h.grid.SelectRow(row);
    OnPopupItem(h.session, item);
    std::string statement = h.ui.Text(kSqlEditor);
    h.ui.messages.clear();
    RunStatement(h.session);
    EXPECT_EQ(h.ui.messages.size(), 1u);
    return h.ui.messages.empty() ? "" : h.ui.messages.back();
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

}  // namespace
}  // namespace zuno

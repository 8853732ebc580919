#include <gtest/gtest.h>

#include "catalog/catalog_buttons.h"
#include "catalog/drill_down.h"
#include "catalog/table_list_columns.h"
#include "tests/support/data_sources.h"
#include "tests/support/handler_harness.h"

namespace zuno {
namespace {

using testing::DataSource;
using testing::HandlerHarness;

const std::vector<std::string> kTableListTitles = {"tabschema", "tabname", "type",      "card",
                                                   "remarks",   "base_schema", "base_name", "location"};

struct CatalogTest : ::testing::Test {
  HandlerHarness h;

  void SetUp() override { ZUNO_REQUIRE_FIXTURES(); }

  void Connect(const DataSource& d) {
    h.ui.SetText(kRowsToFetchBox, "50");
    h.Connect(d);
    ASSERT_TRUE(h.db.Connected()) << h.db.LastError();
  }
  std::vector<std::string> Titles() {
    std::vector<std::string> t;
    for (int c = 0; c < h.grid.ColumnCount(); ++c) t.push_back(h.grid.ColumnTitle(c));
    return t;
  }
  std::vector<std::string> Column(int c) {
    std::vector<std::string> v;
    for (int r = 0; r < h.grid.RowCount(); ++r) v.push_back(h.grid.CellText(r, c));
    return v;
  }
  int RowOf(const std::string& schema, const std::string& name) {
    for (int r = 0; r < h.grid.RowCount(); ++r)
      if (h.grid.CellText(r, 0) == schema && h.grid.CellText(r, 1) == name) return r;
    return -1;
  }
  void DoubleClick(int row) {
    h.grid.SelectRow(row);
    OnGridDoubleClick(h.session);
  }
};

TEST_F(CatalogTest, CatalogListsTheCatalogsOwnTablesOnEachPlatform) {
  struct {
    DataSource source;
    const char* creator;
    const char* someTable;
  } cases[] = {{testing::PgLuw(), "SYSCAT", "USEROPTIONS"}, {testing::PgZos(), "SYSIBM", "SYSTABLES"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.source.dsn);
    HandlerHarness fresh;
    std::swap(h.state, fresh.state);
    Connect(c.source);
    h.ui.SetChecked(kColoredDatatypesCheckBox, true);
    OnCatalogClicked(h.session);
    EXPECT_TRUE(h.ui.messages.empty()) << h.ui.messages.front();
    EXPECT_EQ(Titles(), kTableListTitles);
    ASSERT_GT(h.grid.RowCount(), 0);
    for (const std::string& creator : Column(0)) EXPECT_EQ(creator, c.creator);
    EXPECT_NE(RowOf(c.creator, c.someTable), -1);
    std::vector<std::string> names = Column(1);
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));
    EXPECT_EQ(h.ui.Text(kRowCountText), "Row Count: " + std::to_string(h.grid.RowCount()));
    EXPECT_EQ(h.ui.Text(kElapsedTimeText).rfind("SQL Sec. ", 0), 0u);
    EXPECT_EQ(h.page().mode, GridMode::Catalog);
    EXPECT_EQ(h.state.lastCreator, "SYSCAT");  // on both platforms
    EXPECT_EQ(h.grid.Background(0, 0), MakeRgb(250, 250, 250));
    EXPECT_EQ(h.grid.Background(h.grid.RowCount() - 1, 7), MakeRgb(250, 250, 250));
    EXPECT_EQ(h.grid.SelectedRow(), 0);  // Last Drilled Row starts at 0
    EXPECT_FALSE(h.ui.busyOpen);
    h.ui.messages.clear();
  }
}

TEST_F(CatalogTest, CreatorsListsEveryCreatorOnceInOrder) {
  Connect(testing::PgLuw());
  h.ui.SetChecked(kColoredDatatypesCheckBox, false);
  OnCreatorsClicked(h.session);
  EXPECT_EQ(Titles(), std::vector<std::string>{"tabschema"});
  EXPECT_EQ(Column(0), (std::vector<std::string>{"ME", "MYSCHEMA", "PUBLIC", "SYSCAT", "SYSIBM"}));
  EXPECT_EQ(h.page().mode, GridMode::Creators);
  EXPECT_EQ(h.grid.Background(0, 0), std::nullopt);
  EXPECT_EQ(h.ui.Text(kRowCountText), "Row Count: 5");
}

TEST_F(CatalogTest, LastCreatorBeforeAnyDrillListsNothing) {
  Connect(testing::PgLuw());
  OnLastCreatorClicked(h.session);
  EXPECT_TRUE(h.ui.messages.empty());
  EXPECT_EQ(Titles(), kTableListTitles);
  EXPECT_EQ(h.grid.RowCount(), 0);
  EXPECT_EQ(h.ui.Text(kRowCountText), "Row Count: 0");
  EXPECT_EQ(h.page().mode, GridMode::Catalog);
}

TEST_F(CatalogTest, AfterCatalogOnZosLastCreatorListsSyscat) {
  Connect(testing::PgZos());
  ASSERT_TRUE(h.db.ExecuteUpdate("create schema if not exists syscat"));
  ASSERT_TRUE(h.db.ExecuteUpdate("create table if not exists syscat.probe_table (i integer)"));
  OnCatalogClicked(h.session);
  OnLastCreatorClicked(h.session);
  EXPECT_TRUE(h.ui.messages.empty()) << h.ui.messages.front();
  EXPECT_EQ(Column(1), std::vector<std::string>{"PROBE_TABLE"});
}

TEST_F(CatalogTest, BrowsingFromACreatorToATableEndsWithItsRowsInTheGrid) {
  Connect(testing::PgLuw());
  OnCreatorsClicked(h.session);
  int myschema = -1;
  for (int r = 0; r < h.grid.RowCount(); ++r)
    if (h.grid.CellText(r, 0) == "MYSCHEMA") myschema = r;
  ASSERT_NE(myschema, -1);
  DoubleClick(myschema);
  EXPECT_EQ(h.page().mode, GridMode::Catalog);
  EXPECT_EQ(h.state.lastCreator, "MYSCHEMA");
  EXPECT_EQ(Titles(), kTableListTitles);
  int orders = RowOf("MYSCHEMA", "ORDERS");
  ASSERT_NE(orders, -1);

  // A sorted list drills into the row clicked, and remembers it as fetched.
  h.grid.SortRows(kTypeColumn, SortDirection::Descending);  // the view first
  ASSERT_NE(RowOf("MYSCHEMA", "ORDERS"), orders) << "the sort did not move the row";
  h.ui.SetChecked(kQueryAutorunCheckBox, true);
  DoubleClick(RowOf("MYSCHEMA", "ORDERS"));
  EXPECT_EQ(h.ui.Text(kSqlEditor), "select ID,ITEM,QTY\n from MYSCHEMA.ORDERS");
  EXPECT_EQ(h.page().drilledTableSchema, "MYSCHEMA");
  EXPECT_EQ(h.page().drilledTableName, "ORDERS");
  EXPECT_EQ(h.page().lastDrilledRow, orders);
  EXPECT_EQ(h.page().mode, GridMode::Query);
  EXPECT_EQ(Titles(), (std::vector<std::string>{"id", "item", "qty"}));
  EXPECT_EQ(h.grid.RowCount(), 3);
  EXPECT_TRUE(h.ui.messages.empty()) << h.ui.messages.front();

  // A double-click in a query result changes nothing.
  DoubleClick(0);
  EXPECT_EQ(h.ui.Text(kSqlEditor), "select ID,ITEM,QTY\n from MYSCHEMA.ORDERS");
  EXPECT_EQ(h.grid.RowCount(), 3);

  // The lists select the row drilled from last.
  OnCreatorsClicked(h.session);
  EXPECT_EQ(h.grid.SelectedRow(), orders < h.grid.RowCount() ? orders : -1);
}

TEST_F(CatalogTest, AnAliasListsItsBaseTablesColumnsAndKeepsItsOwnNameAfterFrom) {
  for (const DataSource& source : {testing::PgLuw(), testing::PgZos()}) {
    SCOPED_TRACE(source.dsn);
    HandlerHarness fresh;
    std::swap(h.state, fresh.state);
    Connect(source);
    h.state.lastCreator = "ME";
    OnLastCreatorClicked(h.session);
    int alias = RowOf("ME", "ORD");
    ASSERT_NE(alias, -1);
    EXPECT_EQ(h.grid.CellText(alias, 2), "A");
    h.ui.SetChecked(kQueryAutorunCheckBox, false);
    DoubleClick(alias);
    EXPECT_EQ(h.ui.Text(kSqlEditor), "select ID,ITEM,QTY\n from ME.ORD");
    EXPECT_EQ(h.page().drilledTableSchema, "MYSCHEMA");
    EXPECT_EQ(h.page().drilledTableName, "ORDERS");
    // Without autorun the grid stays empty.
    EXPECT_EQ(h.grid.ColumnCount(), 0);
  }
}

TEST_F(CatalogTest, ATableTheCatalogDoesNotKnowGivesTheBareWordSelect) {
  Connect(testing::PgLuw());
  h.page().mode = GridMode::Catalog;
  for (const std::string& title : kTableListTitles) h.grid.AddColumn(-1, title, 100);
  h.grid.AppendRow({"NOSCHEMA", "NO'TABLE", "T", "0", "Null", "", "", ""});
  h.ui.SetChecked(kQueryAutorunCheckBox, false);
  DoubleClick(0);
  EXPECT_TRUE(h.ui.messages.empty()) << h.ui.messages.front();
  EXPECT_EQ(h.ui.Text(kSqlEditor), "select\n from NOSCHEMA.NO'TABLE");
}

TEST_F(CatalogTest, ADoubleClickWithNoRowSelectedDoesNothing) {
  Connect(testing::PgLuw());
  OnCatalogClicked(h.session);
  h.ui.SetText(kSqlEditor, "keep me");
  h.grid.SelectRow(-1);
  OnGridDoubleClick(h.session);
  EXPECT_EQ(h.ui.Text(kSqlEditor), "keep me");
  EXPECT_EQ(h.page().mode, GridMode::Catalog);
  EXPECT_GT(h.grid.RowCount(), 0);
}

// A source that is not Db2 is told so instead of being sent Db2 catalog SQL.
TEST_F(CatalogTest, WithoutAFlavourTheListsSaySoAndChangeNothing) {
  Connect(testing::PgPlain());
  h.ui.SetText(kRowCountText, "Row Count: 9");
  for (auto click : {OnCatalogClicked, OnCreatorsClicked, OnLastCreatorClicked}) click(h.session);
  EXPECT_EQ(h.ui.messages,
            std::vector<std::string>(3, "The data source is not a Db2 data source: it has no Db2 catalog to list."));
  EXPECT_EQ(h.page().mode, GridMode::None);
  EXPECT_EQ(h.state.lastCreator, "");
  EXPECT_EQ(h.ui.Text(kRowCountText), "Row Count: 9");
  EXPECT_FALSE(h.ui.busyOpen);
}

TEST_F(CatalogTest, ACreatorWithAnApostropheRunsTheIntendedQuery) {
  Connect(testing::PgLuw());
  h.state.lastCreator = "X' OR 'a'='a";
  OnLastCreatorClicked(h.session);
  EXPECT_TRUE(h.ui.messages.empty()) << h.ui.messages.front();
  EXPECT_EQ(h.grid.RowCount(), 0);
}

// A large list reaches the grid while it is fetched, the busy window giving
// way to it; Escape then stops the fetch, keeps what came and says so.
TEST_F(CatalogTest, ALargeCatalogShowsRowsAsTheyComeAndEscapeKeepsThem) {
  for (const bool escape : {false, true}) {
    SCOPED_TRACE(escape ? "Escape once rows show" : "the whole list");
    Connect(testing::PgBig());
    h.state.lastCreator = "BIG";
    int shownWhileFetching = 0;
    bool busyWhileShown = false;
    h.ui.escapeWhen = [&] {
      if (h.grid.RowCount() > 0 && shownWhileFetching == 0) {
        shownWhileFetching = h.grid.RowCount();
        busyWhileShown = h.ui.busyOpen;
      }
      return escape && shownWhileFetching > 0;
    };
    OnLastCreatorClicked(h.session);
    h.ui.escapeWhen = nullptr;
    const int rows = h.grid.RowCount();
    EXPECT_GT(shownWhileFetching, 0) << "no rows were shown before the list ended";
    EXPECT_FALSE(busyWhileShown) << "the busy window covers the rows shown";
    if (escape) {
      EXPECT_LT(rows, 100000);
      EXPECT_EQ(h.ui.notes, (std::vector<std::string>{"Fetch cancelled. Rows shown: " + std::to_string(rows) + "."}));
      EXPECT_EQ(h.ui.Text(kRowCountText), "Row Count: " + std::to_string(rows) + " (cancelled)");
    } else {
      EXPECT_TRUE(h.ui.notes.empty()) << h.ui.notes.front();
      EXPECT_EQ(h.ui.Text(kRowCountText), "Row Count: 100000");
      EXPECT_EQ(h.grid.CellText(99999, 1), "T100000");
    }
    EXPECT_TRUE(h.ui.messages.empty()) << h.ui.messages.front();
  }
}

}  // namespace
}  // namespace zuno

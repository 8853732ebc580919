#include <gtest/gtest.h>

#include <cstdio>

#include "app/connect_handler.h"
#include "catalog/catalog_buttons.h"
#include "catalog/drill_down.h"
#include "catalog/schema_objects.h"
#include "catalog/table_details.h"
#include "query/run_statement.h"
#include "tests/support/data_sources.h"
#include "tests/support/handler_harness.h"
#include "tools/popup_actions.h"

namespace zuno {
namespace {

using testing::DataSource;
using testing::HandlerHarness;

struct Flavoured {
  const char* name;
  DataSource (*source)();
  const char* qtyDefault;  // zOS keeps defaults where these queries do not read them
  const char* viewCreate;  // zOS has no CREATE OR REPLACE VIEW
};

const char* const kLinesDdl =
    "CREATE TABLE \"PUBLIC\".ORDER_LINES (\n"
    "  ORDER_ID INTEGER NOT NULL,\n"
    "  LINE_NO SMALLINT NOT NULL,\n"
    "  PART_NO INTEGER,\n"
    "  CODE CHAR(8),\n"
    "  QTY INTEGER NOT NULL%s,\n"
    "  PRICE DECIMAL(9,2),\n"
    "  CONSTRAINT ORDER_LINES_PK PRIMARY KEY (ORDER_ID, LINE_NO),\n"
    "  CONSTRAINT ORDER_LINES_CODE UNIQUE (CODE),\n"
    "  CONSTRAINT ORDER_LINES_QTY CHECK ((qty > 0)),\n"
    "  CONSTRAINT ORDER_LINES_PART FOREIGN KEY (PART_NO) REFERENCES \"PUBLIC\".PARTS (PART_NO) ON DELETE CASCADE\n"
    ");\n"
    "\n"
    "CREATE INDEX \"PUBLIC\".ORDER_LINES_BY_PART ON \"PUBLIC\".ORDER_LINES (PART_NO ASC, QTY DESC);\n";

struct TableDetailsTest : ::testing::TestWithParam<Flavoured> {
  HandlerHarness h;

  void SetUp() override {
    ZUNO_REQUIRE_FIXTURES();
    const DataSource d = GetParam().source();
    h.ui.SetText(kDataSourceBox, d.dsn);
    h.ui.SetText(kUserField, d.user);
    h.ui.SetText(kPasswordField, d.password);
    OnConnectClicked(h.session);
    ASSERT_TRUE(h.db.Connected()) << h.db.LastError();
  }
  int RowOf(int column, const std::string& text) {
    for (int r = 0; r < h.grid.RowCount(); ++r)
      if (h.grid.CellText(r, column) == text) return r;
    return -1;
  }
};

TEST_P(TableDetailsTest, ATablesColumnsKeysIndexesForeignKeysAndDdl) {
  h.state.lastCreator = "PUBLIC";
  OnLastCreatorClicked(h.session);
  const int lines = RowOf(1, "ORDER_LINES");
  ASSERT_NE(lines, -1);
  h.grid.SelectRow(lines);
  h.session.loop.Deliver(Event::MenuOf(kTableDetails));  // as the popup item and F4 deliver it
  ASSERT_TRUE(h.ui.messages.empty()) << h.ui.messages.front();
  EXPECT_EQ(h.page().mode, GridMode::TableDetails);
  const int qty = RowOf(1, "QTY");
  ASSERT_NE(qty, -1);
  EXPECT_EQ(h.grid.CellText(qty, 5) + h.grid.CellText(qty, 6), GetParam().qtyDefault[0] ? "N1" : "NNull");
  struct { const char *section, *name, *detail; } rows[] = {
      {"COLUMN", "QTY", "INTEGER NOT NULL"},
      {"COLUMN", "PRICE", "DECIMAL(9,2)"},
      {"PRIMARY KEY", "ORDER_LINES_PK", "(ORDER_ID, LINE_NO)"},
      {"UNIQUE KEY", "ORDER_LINES_CODE", "(CODE)"},
      {"CHECK", "ORDER_LINES_QTY", "(qty > 0)"},
      {"INDEX", "PUBLIC.ORDER_LINES_BY_PART", "(PART_NO ASC, QTY DESC)"},
      {"FOREIGN KEY", "ORDER_LINES_PART",
       "\"PUBLIC\".ORDER_LINES (PART_NO) REFERENCES \"PUBLIC\".PARTS (PART_NO) ON DELETE CASCADE"},
      {"REFERENCED BY", "SHIPMENTS_LINE",
       "\"PUBLIC\".SHIPMENTS (ORDER_ID, LINE_NO) REFERENCES \"PUBLIC\".ORDER_LINES (ORDER_ID, LINE_NO) ON DELETE NO "
       "ACTION"},
  };
  for (const auto& r : rows) {
    const int at = RowOf(1, r.name);
    ASSERT_NE(at, -1) << r.name;
    EXPECT_EQ(h.grid.CellText(at, 0), r.section);
    EXPECT_EQ(h.grid.CellText(at, 7), r.detail);
  }
  char ddl[2048];
  std::snprintf(ddl, sizeof ddl, kLinesDdl, GetParam().qtyDefault);
  const int last = h.grid.RowCount() - 1;
  EXPECT_EQ(h.grid.CellText(last, 0), "DDL");
  EXPECT_EQ(h.ui.Text(kRowCountText), "Row Count: " + std::to_string(h.grid.RowCount()));

  // Copy takes the DDL out whole, line feeds and all; a double-click puts it into the editor.
  h.grid.SelectRow(last);
  OnPopupItem(h.session, kCopyToClipboard);
  h.ui.SelectListItem(kQueryNamesList, 7);
  OnColumnChooserSelect(h.session);
  EXPECT_EQ(h.ui.clipboard, ddl);
  h.grid.SelectRow(0);
  OnGridDoubleClick(h.session);
  EXPECT_EQ(h.ui.Text(kSqlEditor), ddl);

  // The details are no rows of the table: no statement is generated from them.
  h.ui.messages.clear();
  OnPopupItem(h.session, kGenerateDelete);
  ASSERT_EQ(h.ui.messages.size(), 1u);
  EXPECT_EQ(h.ui.Text(kSqlEditor), ddl);
}

TEST_P(TableDetailsTest, WithoutATableRowItSaysWhatItNeeds) {
  OnCreatorsClicked(h.session);
  h.grid.SelectRow(0);
  OnTableDetails(h.session);
  EXPECT_EQ(h.ui.messages, std::vector<std::string>{"Table Details needs a table: select a table's row in a catalog "
                                                    "list, or drill into a table first."});
  EXPECT_EQ(h.page().mode, GridMode::Creators);

  h.ui.messages.clear();
  OnCatalogClicked(h.session);
  h.grid.AppendRow({"NOSCHEMA", "NO'TABLE", "T", "0", "Null", "", "", ""});
  h.grid.SelectRow(h.grid.RowCount() - 1);
  OnTableDetails(h.session);
  EXPECT_EQ(h.ui.messages, std::vector<std::string>{"NOSCHEMA.NO'TABLE is a table the catalog does not describe."});
  EXPECT_EQ(h.page().mode, GridMode::Catalog);
}

TEST_P(TableDetailsTest, ViewsRoutinesAndTriggersOfASchemaGiveTheirSource) {
  OnCreatorsClicked(h.session);
  h.grid.SelectRow(RowOf(0, "PUBLIC"));
  h.session.loop.Deliver(Event::MenuOf(kSchemaObjects));
  ASSERT_TRUE(h.ui.messages.empty()) << h.ui.messages.front();
  EXPECT_EQ(h.page().mode, GridMode::Objects);
  EXPECT_EQ(h.state.lastCreator, "PUBLIC");
  ASSERT_NE(RowOf(2, "TRIGGER"), -1);
  struct { const char *name, *type; std::string start; } objects[] = {
      {"BIG_LINES", "VIEW", std::string(GetParam().viewCreate) + " PUBLIC.BIG_LINES AS\n SELECT order_lines.order_id"},
      {"ADD_LINE", "PROCEDURE", "CREATE OR REPLACE PROCEDURE public.add_line(IN p_order integer, IN p_line integer)"},
  };
  for (const auto& o : objects) {
    SCOPED_TRACE(o.name);
    const int row = RowOf(1, o.name);
    ASSERT_NE(row, -1);
    EXPECT_EQ(h.grid.CellText(row, 2), o.type);
    h.grid.SelectRow(row);
    OnGridDoubleClick(h.session);
    EXPECT_EQ(h.ui.Text(kSqlEditor).substr(0, o.start.size()), o.start);
  }
  RunStatement(h.session);
  ASSERT_EQ(h.ui.notes.size(), 1u);
  EXPECT_TRUE(h.ui.notes[0].ends_with("\n\nAffected Rows: 0")) << h.ui.notes[0];
}

// Generate Delete names the row by the table's primary key read from the
// catalog: a column the table does not have (QTY10) would make a WHERE of
// every column fail.
TEST_P(TableDetailsTest, GeneratedDeleteNamesTheRowByTheTablesKey) {
  ASSERT_TRUE(h.db.ExecuteUpdate("insert into public.order_lines (order_id, line_no, qty) values (7, 2, 3)"))
      << h.db.LastError();
  h.ui.SetText(kSqlEditor,
               "select order_id as \"ORDER_ID\", qty * 10 as qty10, line_no as \"LINE_NO\" from public.order_lines");
  RunStatement(h.session);
  ASSERT_EQ(h.grid.RowCount(), 1);
  h.grid.SelectRow(0);
  h.session.loop.Deliver(Event::MenuOf(kGenerateDelete));
  RunStatement(h.session);
  ASSERT_EQ(h.ui.notes.size(), 1u);
  EXPECT_NE(h.ui.notes.back().find("Affected Rows: 1"), std::string::npos) << h.ui.notes.back();
}

INSTANTIATE_TEST_SUITE_P(BothFlavours, TableDetailsTest,
                         ::testing::Values(Flavoured{"Luw", testing::PgLuw, " DEFAULT 1", "CREATE OR REPLACE VIEW"},
                                           Flavoured{"Zos", testing::PgZos, "", "CREATE VIEW"}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace zuno

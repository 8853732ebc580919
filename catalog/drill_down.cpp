#include "catalog/drill_down.h"

#include "base/clock.h"
#include "catalog/catalog_list_fill.h"
#include "catalog/catalog_sql.h"
#include "catalog/schema_objects.h"
#include "catalog/table_details.h"
#include "catalog/table_list_columns.h"
#include "query/elapsed_time.h"
#include "query/run_statement.h"
#include "session/page_switch.h"

namespace zuno {
namespace {

struct TableName {
  std::string schema;
  std::string name;
};

// "select A,B,C" from the column query's rows; the bare word select when the
// catalog knows no column of the table.
std::string ColumnList(OdbcLayer& db) {
  std::string list = "select ";
  while (db.NextRow()) list += db.GetText(0) + ",";
  list.pop_back();
  return list;
}

void TableDrill(Session& s, int row) {
  // By identity: a sorted list re-selects the same table when it is listed
  // again. The page the rows go to takes it from the list's page.
  ResultPage& listPage = CurrentPage(s);
  listPage.lastDrilledRow = s.grid.RowIdentity(row);
  // An alias has no columns of its own: its base table's are listed, and the
  // alias keeps its place after FROM.
  TableName alias;
  TableName table{s.grid.CellText(row, kSchemaColumn), s.grid.CellText(row, kNameColumn)};
  if (s.grid.CellText(row, kTypeColumn) == "A") {
    alias = table;
    table = {s.grid.CellText(row, kBaseSchemaColumn), s.grid.CellText(row, kBaseNameColumn)};
  }
  listPage.drilledTableSchema = table.schema;
  listPage.drilledTableName = table.name;
  ClearQueryResult(s);

  std::string sql = ColumnQuerySql(table.schema, table.name);
  s.state.startTime = NowMilliseconds();
  bool executed = false;
  std::int64_t executedAt = 0;  // End Time: the fetch of the names is left out
  std::string list;
  const bool ran = s.jobs.Run({
      .work =
          [&, &db = s.db] {
            executed = db.ExecuteQuery(sql);
            if (!executed) return;
            executedAt = NowMilliseconds();
            list = ColumnList(db);
            db.FinishQuery();
          },
      .apply =
          [&] {
            if (!executed) return s.jobs.Tell(s.db.LastError());
            s.state.endTime = executedAt;
          },
      .cancel = [&] { s.db.Cancel(); },
  });
  if (!ran || !executed) return;

  const TableName& from = alias.schema.empty() ? table : alias;
  s.ui.SetText(kSqlEditor, list + "\n from " + from.schema + "." + from.name);
  if (s.ui.IsChecked(kQueryAutorunCheckBox)) RunStatement(s);
  // After an autorun the times are those the run left behind.
  ShowElapsedTime(s);
}

void CreatorDrill(Session& s, int row) {
  s.state.lastCreator = s.grid.CellText(row, kSchemaColumn);
  OpenRunPage(s).mode = GridMode::Catalog;
  FillCatalogList(s, CreatorDrillSql(s.state.databaseFlavour, s.state.lastCreator), Reselect::None);
}

}  // namespace

void OnGridDoubleClick(Session& s) {
  const int row = s.grid.SelectedRow();
  if (row < 0) return;  // no row: the titles are no table to drill into
  const GridMode mode = CurrentPage(s).mode;
  if (mode == GridMode::Catalog)
    TableDrill(s, row);
  else if (mode == GridMode::Creators)
    CreatorDrill(s, row);
  else if (mode == GridMode::TableDetails)
    OnTableDetailsDoubleClick(s);
  else if (mode == GridMode::Objects)
    OnSchemaObjectDoubleClick(s);
}

}  // namespace zuno

#include "catalog/drill_down.h"

#include "base/clock.h"
#include "catalog/catalog_list_fill.h"
#include "catalog/catalog_sql.h"
#include "catalog/schema_objects.h"
#include "catalog/table_details.h"
#include "catalog/table_list_columns.h"
#include "query/elapsed_time.h"
#include "query/run_statement.h"

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
  // By identity: a sorted list re-selects the same table when it is listed again.
  s.state.lastDrilledRow = s.grid.RowIdentity(row);
  // An alias has no columns of its own: its base table's are listed, and the
  // alias keeps its place after FROM.
  TableName alias;
  if (s.grid.CellText(row, kTypeColumn) == "A") {
    s.state.drilledTableSchema = s.grid.CellText(row, kBaseSchemaColumn);
    s.state.drilledTableName = s.grid.CellText(row, kBaseNameColumn);
    alias = {s.grid.CellText(row, kSchemaColumn), s.grid.CellText(row, kNameColumn)};
  } else {
    s.state.drilledTableSchema = s.grid.CellText(row, kSchemaColumn);
    s.state.drilledTableName = s.grid.CellText(row, kNameColumn);
  }
  ClearQueryResult(s);

  std::string sql = ColumnQuerySql(s.state.drilledTableSchema, s.state.drilledTableName);
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

  TableName from = alias.schema.empty() ? TableName{s.state.drilledTableSchema, s.state.drilledTableName} : alias;
  s.ui.SetText(kSqlEditor, list + "\n from " + from.schema + "." + from.name);
  if (s.ui.IsChecked(kQueryAutorunCheckBox)) RunStatement(s);
  // After an autorun the times are those the run left behind.
  ShowElapsedTime(s);
}

void CreatorDrill(Session& s, int row) {
  s.state.gridMode = GridMode::Catalog;
  s.state.lastCreator = s.grid.CellText(row, kSchemaColumn);
  s.grid.ClearRows();
  s.grid.RemoveAllColumns();
  FillCatalogList(s, CreatorDrillSql(s.state.databaseFlavour, s.state.lastCreator), Reselect::None);
}

}  // namespace

void OnGridDoubleClick(Session& s) {
  const int row = s.grid.SelectedRow();
  if (row < 0) return;  // no row: the titles are no table to drill into
  if (s.state.gridMode == GridMode::Catalog)
    TableDrill(s, row);
  else if (s.state.gridMode == GridMode::Creators)
    CreatorDrill(s, row);
  else if (s.state.gridMode == GridMode::TableDetails)
    OnTableDetailsDoubleClick(s);
  else if (s.state.gridMode == GridMode::Objects)
    OnSchemaObjectDoubleClick(s);
}

}  // namespace zuno

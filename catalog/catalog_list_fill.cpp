#include "catalog/catalog_list_fill.h"

#include <vector>

#include "app/clock.h"
#include "query/elapsed_time.h"
#include "query/result_columns.h"

namespace zuno {
namespace {

constexpr Rgb kCatalogTint = MakeRgb(250, 250, 250);

struct CatalogList {
  bool executed = false;
  std::int64_t executedAt = 0;
  std::vector<ResultColumn> columns;
  std::vector<std::vector<std::string>> rows;
  std::vector<NullCell> nullCells;
};

// Every row, each value as text or "Null"; the list has no row limit. Only
// the database is touched here, so this may run off the windows' thread.
CatalogList ExecuteAndFetchAll(OdbcLayer& db, const std::string& sql) {
  CatalogList list;
  list.executed = db.ExecuteQuery(sql);
  if (!list.executed) return list;
  list.executedAt = NowMilliseconds();  // the time shown leaves the fetch out
  list.columns = ReadResultColumns(db);
  const int columns = static_cast<int>(list.columns.size());
  while (db.NextRow()) {
    std::vector<std::string> cells(list.columns.size());
    for (int c = 0; c < columns; ++c) {
      const bool null = db.IsNull(c);
      if (null) list.nullCells.push_back({static_cast<int>(list.rows.size()), c});
      cells[static_cast<size_t>(c)] = null ? "Null" : db.GetText(c);
    }
    list.rows.push_back(std::move(cells));
  }
  return list;
}

}  // namespace

void FillCatalogList(Session& s, const std::string& sql, Reselect reselect) {
  s.state.startTime = NowMilliseconds();
  s.ui.OpenBusyWindow();
  CatalogList list;
  s.ui.RunBlocking([&] { list = ExecuteAndFetchAll(s.db, sql); }, [&] { s.db.Cancel(); });
  if (!list.executed) {
    s.ui.CloseBusyWindow();
    s.ui.ShowMessage(s.db.LastError());
    return;
  }
  s.state.endTime = list.executedAt;

  AddResultColumns(s.grid, list.columns);
  AppendRows(s.grid, list.rows, list.nullCells);
  const int columns = static_cast<int>(list.columns.size());
  const int rows = static_cast<int>(list.rows.size());
  if (s.ui.IsChecked(kColoredDatatypesCheckBox))
    for (int c = 0; c < columns; ++c) s.grid.SetColumnBackground(c, kCatalogTint);
  ShowElapsedTime(s);
  s.ui.SetText(kRowCountText, "Row Count: " + std::to_string(rows));
  s.db.FinishQuery();
  if (reselect == Reselect::LastDrilledRow) s.grid.SelectRow(s.state.lastDrilledRow);
  s.ui.CloseBusyWindow();
}

}  // namespace zuno

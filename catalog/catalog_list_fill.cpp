#include "catalog/catalog_list_fill.h"

#include <vector>

#include "base/clock.h"
#include "query/block_fetch.h"
#include "query/elapsed_time.h"
#include "query/result_columns.h"
#include "session/page_switch.h"
#include "session/row_count.h"

namespace zuno {
namespace {

constexpr Rgb kCatalogTint = MakeRgb(250, 250, 250);
constexpr std::string_view kNull = "Null";

struct CatalogList {
  bool executed = false;
  std::int64_t executedAt = 0;
  std::vector<ResultColumn> columns;
  ResultRows rows;
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
  FetchInBlocksWherePossible(db, list.columns, 0, ValuesRead::AsText);
  std::string value;
  while (db.NextRow()) {
    for (int c = 0; c < columns; ++c) {
      if (db.ReadText(c, value))
        list.rows.AddCell(value);
      else
        list.rows.AddCell(kNull, true);
    }
    list.rows.EndRow();
  }
  return list;
}

void ShowCatalogList(Session& s, CatalogList& list, Reselect reselect) {
  if (!list.executed) return s.jobs.Tell(s.db.LastError());
  s.state.endTime = list.executedAt;

  AddResultColumns(s.grid, list.columns);
  const int columns = static_cast<int>(list.columns.size());
  const int rows = static_cast<int>(list.rows.RowCount());
  s.grid.AppendRows(std::move(list.rows));
  if (s.ui.IsChecked(kColoredDatatypesCheckBox))
    for (int c = 0; c < columns; ++c) s.grid.SetColumnBackground(c, kCatalogTint);
  ShowElapsedTime(s);
  ShowRowCount(s.ui, rows);
  s.db.FinishQuery();
  if (reselect == Reselect::LastDrilledRow) s.grid.SelectRow(s.grid.RowOfIdentity(CurrentPage(s).lastDrilledRow));
}

}  // namespace

void FillCatalogList(Session& s, const std::string& sql, Reselect reselect) {
  s.state.startTime = NowMilliseconds();
  CatalogList list;
  s.jobs.Run({
      .work = [&, &db = s.db] { list = ExecuteAndFetchAll(db, sql); },
      .apply = [&] { ShowCatalogList(s, list, reselect); },
      .cancel = [&] { s.db.Cancel(); },
  });
}

}  // namespace zuno

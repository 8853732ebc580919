#include "catalog/catalog_list_fill.h"

#include <vector>

#include "app/clock.h"
#include "query/cell_text.h"
#include "query/result_columns.h"

namespace zuno {
namespace {

constexpr Rgb kCatalogTint = MakeRgb(250, 250, 250);

int AppendAllRows(Session& s, int columns) {
  std::vector<std::string> cells(static_cast<size_t>(columns));
  int rows = 0;
  while (s.db.NextRow()) {
    for (int c = 0; c < columns; ++c)
      cells[static_cast<size_t>(c)] = s.db.IsNull(c) ? std::string("Null") : s.db.GetText(c);
    s.grid.AppendRow(cells);
    ++rows;
  }
  return rows;
}

}  // namespace

void FillCatalogList(Session& s, const std::string& sql, Reselect reselect) {
  s.state.startTime = NowMilliseconds();
  s.ui.OpenBusyWindow();
  if (!s.db.ExecuteQuery(sql)) {
    s.ui.CloseBusyWindow();
    s.ui.ShowMessage(s.db.LastError());
    return;
  }
  s.state.endTime = NowMilliseconds();

  const int columns = AddResultColumns(s.db, s.grid);
  const int rows = AppendAllRows(s, columns);
  if (s.ui.IsChecked(kColoredDatatypesCheckBox))
    for (int c = 0; c < columns; ++c) s.grid.SetColumnBackground(c, kCatalogTint);
  s.ui.SetText(kElapsedTimeText, ElapsedText(s.state.startTime, s.state.endTime));
  s.ui.SetText(kRowCountText, "Row Count: " + std::to_string(rows));
  s.db.FinishQuery();
  if (reselect == Reselect::LastDrilledRow) s.grid.SelectRow(s.state.lastDrilledRow);
  s.ui.CloseBusyWindow();
}

}  // namespace zuno

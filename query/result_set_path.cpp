#include <vector>

#include "app/clock.h"
#include "query/cell_reader.h"
#include "query/cell_text.h"
#include "query/result_columns.h"
#include "query/row_limit.h"
#include "query/run_statement.h"
#include "query/statement_history.h"
#include "query/type_colours.h"

namespace zuno {
namespace {

void ShowElapsedTime(Session& s) {
  s.state.endTime = NowMilliseconds();
  s.ui.SetText(kElapsedTimeText, ElapsedText(s.state.startTime, s.state.endTime));
}

}  // namespace

void RunResultSetPath(Session& s, const std::string& statement) {
  if (!s.db.ExecuteQuery(statement)) {
    s.state.endTime = NowMilliseconds();
    s.ui.ShowMessage(s.db.LastError());
    s.ui.SetText(kElapsedTimeText, ElapsedText(s.state.startTime, s.state.endTime));
    s.ui.CloseBusyWindow();
    return;
  }

  s.grid.SetGridVisible(false);  // no layout row by row while it fills
  const int columns = AddResultColumns(s.db, s.grid);

  const int limit = ParseRowLimit(s.ui.Text(kRowsToFetchBox));
  std::vector<TypeClass> classes(static_cast<size_t>(columns), TypeClass::Unset);
  std::vector<std::string> cells(static_cast<size_t>(columns));
  int rows = 0;
  bool busyClosed = false;
  while (s.db.NextRow()) {
    for (int c = 0; c < columns; ++c) {
      // Each value is described afresh: size and kind may be asked per cell.
      int size = s.db.ColumnSize(c);
      ColumnKind kind = s.db.ColumnKindOf(c);
      cells[static_cast<size_t>(c)] = ReadCell(s.db, c, size, kind, classes[static_cast<size_t>(c)]);
    }
    s.grid.AppendRow(cells);
    if (++rows == limit) {
      s.ui.CloseBusyWindow();
      busyClosed = true;
      s.ui.ShowMessage("Limit of " + std::to_string(rows) + " rows reached!");
      break;
    }
  }

  s.grid.SetGridVisible(true);
  s.ui.SetText(kRowCountText, "Row Count: " + std::to_string(rows));
  if (s.ui.IsChecked(kColoredDatatypesCheckBox))
    for (int c = 0; c < columns; ++c) s.grid.SetColumnBackground(c, TypeClassColour(classes[static_cast<size_t>(c)]));
  s.db.FinishQuery();
  ShowElapsedTime(s);
  if (!busyClosed) s.ui.CloseBusyWindow();
  RememberStatement(s.ui, statement);
}

}  // namespace zuno

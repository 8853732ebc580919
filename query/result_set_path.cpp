#include <vector>

#include "base/clock.h"
#include "query/cell_reader.h"
#include "query/elapsed_time.h"
#include "query/result_columns.h"
#include "query/row_limit.h"
#include "query/run_statement.h"
#include "query/statement_history.h"
#include "query/type_colours.h"

namespace zuno {
namespace {

struct FetchedResult {
  bool executed = false;
  std::vector<ResultColumn> columns;
  ResultRows rows;
  std::vector<TypeClass> classes;  // what the last row left, per column
  bool limitReached = false;
  OdbcLayer::FetchEnd end = OdbcLayer::FetchEnd::EndOfRows;
  std::string fetchError;  // the driver's text when the fetch ended by an error
};

// Executes and reads up to limit rows (0: all) as cell texts. Only the
// database is touched here, so this may run off the windows' thread.
FetchedResult ExecuteAndFetch(OdbcLayer& db, const std::string& statement, int limit) {
  FetchedResult r;
  r.executed = db.ExecuteQuery(statement);
  if (!r.executed) return r;
  r.columns = ReadResultColumns(db);
  r.classes.assign(r.columns.size(), TypeClass::Unset);
  CellReader reader(db);
  while (db.NextRow()) {
    for (size_t c = 0; c < r.columns.size(); ++c)
      reader.Read(static_cast<int>(c), r.columns[c].size, r.columns[c].kind, r.classes[c], r.rows);
    r.rows.EndRow();
    if (static_cast<long long>(r.rows.RowCount()) == limit) {
      r.limitReached = true;
      return r;
    }
  }
  r.end = db.LastFetchEnd();
  if (r.end == OdbcLayer::FetchEnd::Error) r.fetchError = db.LastError();
  return r;
}

// What the Row Count says after the number, and the message, of a fetch that
// did not reach the end of the rows: the rows read stay, marked as a part.
std::string_view CutShortNote(OdbcLayer::FetchEnd end) {
  switch (end) {
    case OdbcLayer::FetchEnd::Cancelled: return " (cancelled)";
    case OdbcLayer::FetchEnd::Error: return " (fetch failed)";
    case OdbcLayer::FetchEnd::EndOfRows: break;
  }
  return "";
}

std::string CutShortMessage(const FetchedResult& r, int rows) {
  const std::string shown = " Rows shown: " + std::to_string(rows) + ".";
  if (r.end == OdbcLayer::FetchEnd::Cancelled) return "Fetch cancelled." + shown;
  return "Fetch failed." + shown + "\n" + r.fetchError;
}

// The rows into the grid, the texts below it and the history. End Time
// covers the execution, the fetch and the fill; it is taken before any
// message, which may stay open as long as the user likes.
void ShowResult(Session& s, const std::string& statement, FetchedResult& r) {
  if (!r.executed) {
    s.state.endTime = NowMilliseconds();
    s.jobs.Tell(s.db.LastError());
    ShowElapsedTime(s);
    return;
  }

  s.grid.SetGridVisible(false);  // no layout row by row while it fills
  AddResultColumns(s.grid, r.columns);
  const int rows = static_cast<int>(r.rows.RowCount());
  s.grid.AppendRows(std::move(r.rows));

  s.grid.SetGridVisible(true);
  s.ui.SetText(kRowCountText, "Row Count: " + std::to_string(rows) + std::string(CutShortNote(r.end)));
  if (s.ui.IsChecked(kColoredDatatypesCheckBox))
    for (size_t c = 0; c < r.classes.size(); ++c)
      s.grid.SetColumnBackground(static_cast<int>(c), TypeClassColour(r.classes[c]));
  s.db.FinishQuery();
  s.state.endTime = NowMilliseconds();
  ShowElapsedTime(s);
  if (r.limitReached) s.jobs.Tell("Limit of " + std::to_string(rows) + " rows reached!");
  if (r.end != OdbcLayer::FetchEnd::EndOfRows) s.jobs.Tell(CutShortMessage(r, rows));
  // A statement whose rows the driver could not give did not run well.
  if (r.end != OdbcLayer::FetchEnd::Error) RememberStatement(s.ui, statement);
}

}  // namespace

void RunResultSetPath(Session& s, const std::string& statement) {
  const int limit = ParseRowLimit(s.ui.Text(kRowsToFetchBox));
  FetchedResult r;
  s.jobs.Run({
      .work = [&, &db = s.db] { r = ExecuteAndFetch(db, statement, limit); },
      .apply = [&] { ShowResult(s, statement, r); },
      .cancel = [&] { s.db.Cancel(); },
  });
}

}  // namespace zuno

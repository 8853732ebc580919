#include "query/result_set_path.h"

#include "base/clock.h"
#include "query/block_fetch.h"
#include "query/cell_reader.h"
#include "query/elapsed_time.h"
#include "query/fetch_budget.h"
#include "query/result_columns.h"
#include "query/row_limit.h"
#include "query/run_statement.h"
#include "query/script_splitter.h"
#include "query/statement_history.h"
#include "query/transaction_end.h"
#include "query/type_colours.h"
#include "session/page_switch.h"
#include "session/row_count.h"

namespace zuno {
namespace {

void FetchOneResult(OdbcLayer& db, int limit, std::uint64_t budget, FetchedResult& r);

// The result sets after the first, each with its rows (up to the limit each)
// in what the memory budget leaves.
void FetchFurtherResultSets(OdbcLayer& db, int limit, std::uint64_t budget, FetchedResult& r) {
  std::uint64_t used = r.bytesHanded + KeptBytes(r.rows, r.columns.size());
  while (db.NextResultSet()) {
    if (db.ColumnCount() == 0) continue;  // a row count, no result set
    FetchedResult& f = r.further.emplace_back();
    f.executed = true;
    FetchOneResult(db, limit, budget > used ? budget - used : 0, f);
    used += KeptBytes(f.rows, f.columns.size());
    r.furtherRows += static_cast<long long>(f.rows.RowCount());
  }
}

}  // namespace

FetchedResult ExecuteAndFetch(OdbcLayer& db, const std::string& statement, int limit, std::uint64_t budget) {
  FetchedResult r;
  r.executed = db.ExecuteQuery(statement);
  if (r.executed) FetchCurrentResult(db, limit, budget, r);
  return r;
}

void FetchCurrentResult(OdbcLayer& db, int limit, std::uint64_t budget, FetchedResult& r) {
  FetchOneResult(db, limit, budget, r);
  FetchFurtherResultSets(db, limit, budget, r);
}

namespace {

// The rows ended so far on their way to the windows, with what the columns
// are by now.
void HandPiece(FetchedResult& r) {
  FetchedPiece piece;
  if (r.rowsHanded == 0) piece.columns = r.columns;
  piece.classes = r.classes;
  r.bytesHanded += KeptBytes(r.rows, r.columns.size());
  r.rowsHanded += r.rows.RowCount();
  piece.rows = r.rows.TakeEndedRows();
  r.pieces->Hand(std::move(piece));
}

void FetchOneResult(OdbcLayer& db, int limit, std::uint64_t budget, FetchedResult& r) {
  r.columns = ReadResultColumns(db);
  r.classes.assign(r.columns.size(), TypeClass::Unset);
  r.inBlocks = FetchInBlocksWherePossible(db, r.columns, limit, ValuesRead::ByKind);
  CellReader reader(db, ValueBound(budget));
  PieceClock pieces;
  while (db.NextRow()) {
    for (size_t c = 0; c < r.columns.size(); ++c)
      reader.Read(static_cast<int>(c), r.columns[c].size, r.columns[c].kind, r.classes[c], r.rows);
    r.rows.EndRow();
    if (static_cast<long long>(RowsRead(r)) == limit) {
      r.limitReached = true;
      break;
    }
    if (r.bytesHanded + KeptBytes(r.rows, r.columns.size()) > budget) {
      r.budgetReached = true;
      break;
    }
    if (r.pieces && pieces.Due(db.RowEndsBlock(), PieceClock::Clock::now(), r.rows.RowCount(), r.rowsHanded))
      HandPiece(r);
  }
  // The rest of a result shown in pieces goes on before the driver moves on
  // to the next result (freeing this one's): the windows show it meanwhile.
  if (r.pieces && r.rowsHanded > 0 && r.rows.RowCount() > 0) HandPiece(r);
  if (!r.limitReached && !r.budgetReached) {
    r.end = db.LastFetchEnd();
    if (r.end == OdbcLayer::FetchEnd::Error) r.fetchError = db.LastError();
  }
}

std::string CutShortMessage(OdbcLayer::FetchEnd end, const std::string& fetchError, int rows) {
  const std::string shown = " Rows shown: " + std::to_string(rows) + ".";
  if (end == OdbcLayer::FetchEnd::Cancelled) return "Fetch cancelled." + shown;
  return "Fetch failed." + shown + "\n" + fetchError;
}

// The statement each result set came from, the first one's first: a text
// of several statements that each gave one result set gives each its own,
// so a statement generated from a row names the table of that row's page.
// Otherwise (a procedure's result sets) all come from the one statement.
std::vector<std::string> ResultStatements(const std::string& statement, std::size_t results) {
  std::vector<ScriptStatement> parts = SplitScript(statement);
  std::vector<std::string> texts;
  if (parts.size() != results) return std::vector<std::string>(results, statement);
  for (ScriptStatement& part : parts) texts.push_back(std::move(part.text));
  return texts;
}

// Each result set after the first on a page of its own beside the first,
// which stays shown.
void ShowFurtherResultSets(Session& s, const std::vector<std::string>& statements, FetchedResult& r) {
  const int first = s.pages->CurrentIndex();
  int number = 1;
  for (FetchedResult& f : r.further) {
    AddResultPage(s, "Result " + std::to_string(number + 1)).statement = statements[static_cast<std::size_t>(number)];
    ++number;
    s.state.endTime = NowMilliseconds();
    NoteFetchLimits(s, f);
    FillResult(s, f);
    ShowElapsedTime(s);
  }
  ShowResultPage(s, first);
}

// The rows into the grid, the texts below it and the history. End Time
// covers the execution, the fetch and the fill; it is taken before any
// message, which may stay open as long as the user likes.
void ShowFetchedResult(Session& s, const std::string& statement, FetchedResult& r, bool cancelled) {
  if (!r.executed) {
    ShowEndedRun(s, cancelled ? RunEnd::Cancelled : RunEnd::Failed);
    s.jobs.Tell(s.db.LastError());
    return;
  }
  const std::vector<std::string> statements = ResultStatements(statement, 1 + r.further.size());
  CurrentPage(s).statement = statements.front();
  NoteStatementRan(s, statement, 0);
  const int rows = static_cast<int>(RowsRead(r));
  // What only tells how the result came to be goes to the notes; a fetch
  // that failed is a failure.
  NoteFetchLimits(s, r);
  FillResult(s, r);
  s.db.FinishQuery();
  s.state.endTime = NowMilliseconds();
  ShowElapsedTime(s);
  ShowFurtherResultSets(s, statements, r);
  TellFetchEnd(s, r.end, r.fetchError, rows);
  // A statement whose rows the driver could not give did not run well.
  if (r.end != OdbcLayer::FetchEnd::Error) RememberStatement(s.ui, statement);
}

}  // namespace

void FillResult(Session& s, FetchedResult& r) {
  // Columns shown with the first piece take the classes all the rows gave.
  const bool shownInPieces = r.rowsHanded > 0;
  if (shownInPieces) {
    for (size_t c = 0; c < r.columns.size(); ++c)
      s.grid.SetColumnOrder(static_cast<int>(c), ValueOrderOf(r.columns[c].kind, r.columns[c].size, r.classes[c]));
  } else {
    s.grid.SetGridVisible(false);  // no layout row by row while it fills
    AddResultColumns(s.grid, r.columns, r.classes);
  }
  const int rows = static_cast<int>(RowsRead(r));
  AppendFetchedRows(s.grid, std::move(r.rows));
  s.grid.SetGridVisible(true);
  ShowRowCount(s.ui, rows, CutShortNote(r.end));
  if (s.ui.IsChecked(kColoredDatatypesCheckBox))
    for (size_t c = 0; c < r.classes.size(); ++c)
      s.grid.SetColumnBackground(static_cast<int>(c), TypeClassColour(r.classes[c]));
}

std::string_view CutShortNote(OdbcLayer::FetchEnd end) {
  switch (end) {
    case OdbcLayer::FetchEnd::Cancelled: return " (cancelled)";
    case OdbcLayer::FetchEnd::Error: return " (fetch failed)";
    case OdbcLayer::FetchEnd::EndOfRows: break;
  }
  return "";
}

void TellFetchEnd(Session& s, OdbcLayer::FetchEnd end, const std::string& fetchError, int rows) {
  if (end == OdbcLayer::FetchEnd::Cancelled) s.ui.ShowNote(CutShortMessage(end, fetchError, rows));
  if (end == OdbcLayer::FetchEnd::Error) s.jobs.Tell(CutShortMessage(end, fetchError, rows));
}

std::size_t RowsRead(const FetchedResult& r) { return r.rowsHanded + r.rows.RowCount(); }

void NoteFetchLimits(Session& s, const FetchedResult& r) {
  const std::string rows = std::to_string(RowsRead(r));
  if (r.limitReached) s.ui.ShowNote("Limit of " + rows + " rows reached!");
  if (r.budgetReached) s.ui.ShowNote("Limit of available memory reached at " + rows + " rows!");
}

std::uint64_t KeptBytes(const FetchedResult& r) {
  std::uint64_t bytes = r.bytesHanded + KeptBytes(r.rows, r.columns.size());
  for (const FetchedResult& f : r.further) bytes += KeptBytes(f);
  return bytes;
}

void AppendFetchedRows(ResultGrid& grid, ResultRows&& rows) {
  const GridSort sort = grid.Sort();
  const bool added = rows.RowCount() > 0;
  grid.AppendRows(std::move(rows));
  if (added && sort.direction != SortDirection::None) grid.SortRows(sort.column, sort.direction);
}

void ShowFetchedPiece(Session& s, FetchedPiece& piece, std::size_t& shown) {
  const bool first = shown == 0 && !piece.columns.empty();
  if (first) AddResultColumns(s.grid, piece.columns, piece.classes);
  shown += piece.rows.RowCount();
  AppendFetchedRows(s.grid, std::move(piece.rows));
  ShowRowCount(s.ui, static_cast<int>(shown), "");
  if (first) s.jobs.GiveWay();
}

void RunFetchJob(Session& s, const std::string& statement, const std::function<void(FetchedResult&)>& work,
                 const std::function<void(const FetchedResult&)>& after) {
  PieceHandOff pieces([&jobs = s.jobs] { jobs.Wake(); });
  FetchedResult r;
  r.pieces = &pieces;
  std::size_t shown = 0;
  bool cancelled = false;
  const bool ran = s.jobs.Run({
      .work = [&] { work(r); },
      .progress =
          [&] {
            for (FetchedPiece& piece : pieces.Take()) ShowFetchedPiece(s, piece, shown);
          },
      .apply =
          [&] {
            ShowFetchedResult(s, statement, r, cancelled);
            if (after) after(r);
          },
      .cancel =
          [&] {
            cancelled = true;
            s.db.Cancel();
          },
  });
  if (!ran) ShowEndedRun(s, RunEnd::Failed);
}

void RunResultSetPath(Session& s, const std::string& statement) {
  const int limit = ParseRowLimit(s.ui.Text(kRowsToFetchBox));
  const MemoryFiles memory = s.state.memoryFiles;
  RunFetchJob(s, statement, [&, &db = s.db](FetchedResult& r) {
    r.executed = db.ExecuteQuery(statement);
    if (r.executed) FetchCurrentResult(db, limit, FetchBudget(memory), r);
  });
}

}  // namespace zuno

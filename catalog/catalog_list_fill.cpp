#include "catalog/catalog_list_fill.h"

#include <vector>

#include "base/clock.h"
#include "query/block_fetch.h"
#include "query/fetch_pieces.h"
#include "query/elapsed_time.h"
#include "query/result_columns.h"
#include "query/result_set_path.h"
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
  ResultRows rows;  // those not handed on in pieces
  std::size_t rowsHanded = 0;
  OdbcLayer::FetchEnd end = OdbcLayer::FetchEnd::EndOfRows;
  std::string fetchError;
};

void HandPiece(CatalogList& list, PieceHandOff& pieces) {
  FetchedPiece piece;
  if (list.rowsHanded == 0) piece.columns = list.columns;
  list.rowsHanded += list.rows.RowCount();
  piece.rows = list.rows.TakeEndedRows();
  pieces.Hand(std::move(piece));
}

// Every row, each value as text or "Null", going into the grid in pieces as
// they come; the list has no row limit. Only the database is touched here,
// so this may run off the windows' thread.
CatalogList ExecuteAndFetchAll(OdbcLayer& db, const std::string& sql, PieceHandOff& pieces) {
  CatalogList list;
  list.executed = db.ExecuteQuery(sql);
  if (!list.executed) return list;
  list.executedAt = NowMilliseconds();  // the time shown leaves the fetch out
  list.columns = ReadResultColumns(db);
  const int columns = static_cast<int>(list.columns.size());
  FetchInBlocksWherePossible(db, list.columns, 0, ValuesRead::AsText);
  std::string value;
  PieceClock clock;
  while (db.NextRow()) {
    for (int c = 0; c < columns; ++c) {
      if (db.ReadText(c, value))
        list.rows.AddCell(value);
      else
        list.rows.AddCell(kNull, true);
    }
    list.rows.EndRow();
    if (clock.Due(db.RowEndsBlock(), PieceClock::Clock::now(), list.rows.RowCount(), list.rowsHanded))
      HandPiece(list, pieces);
  }
  list.end = db.LastFetchEnd();
  if (list.end == OdbcLayer::FetchEnd::Error) list.fetchError = db.LastError();
  // The last rows go on before the driver frees the list's own copy of
  // them, so the windows show them meanwhile.
  if (list.rowsHanded > 0 && list.rows.RowCount() > 0) HandPiece(list, pieces);
  db.FinishQuery();
  return list;
}

void ShowCatalogList(Session& s, CatalogList& list, std::size_t shown, Reselect reselect) {
  if (!list.executed) return s.jobs.Tell(s.db.LastError());
  s.state.endTime = list.executedAt;

  if (shown == 0) AddResultColumns(s.grid, list.columns);
  const int columns = static_cast<int>(list.columns.size());
  const int rows = static_cast<int>(list.rowsHanded + list.rows.RowCount());
  AppendFetchedRows(s.grid, std::move(list.rows));
  if (s.ui.IsChecked(kColoredDatatypesCheckBox))
    for (int c = 0; c < columns; ++c) s.grid.SetColumnBackground(c, kCatalogTint);
  ShowElapsedTime(s);
  ShowRowCount(s.ui, rows, CutShortNote(list.end));
  if (reselect == Reselect::LastDrilledRow) s.grid.SelectRow(s.grid.RowOfIdentity(CurrentPage(s).lastDrilledRow));
  // A list cut short is no whole list.
  TellFetchEnd(s, list.end, list.fetchError, rows);
}

}  // namespace

void FillCatalogList(Session& s, const std::string& sql, Reselect reselect) {
  s.state.startTime = NowMilliseconds();
  PieceHandOff pieces([&jobs = s.jobs] { jobs.Wake(); });
  CatalogList list;
  std::size_t shown = 0;
  s.jobs.Run({
      .work = [&, &db = s.db] { list = ExecuteAndFetchAll(db, sql, pieces); },
      .progress =
          [&] {
            for (FetchedPiece& piece : pieces.Take()) ShowFetchedPiece(s, piece, shown);
          },
      .apply = [&] { ShowCatalogList(s, list, shown, reselect); },
      .cancel = [&] { s.db.Cancel(); },
  });
}

}  // namespace zuno

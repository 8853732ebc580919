// A statement's result read off the windows' thread: its columns, its rows
// up to the row limit, and how many result sets followed the first.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "db/odbc_layer.h"
#include "db/type_class.h"
#include "grid/result_grid.h"
#include "grid/result_rows.h"
#include "query/fetch_pieces.h"
#include "query/result_columns.h"

namespace zuno {

struct FetchedResult {
  bool executed = false;
  std::vector<ResultColumn> columns;
  ResultRows rows;  // those not handed on in pieces
  // Where the first result set's rows go while they are fetched (none: all
  // stay in rows), and what went there.
  PieceHandOff* pieces = nullptr;
  std::size_t rowsHanded = 0;
  std::uint64_t bytesHanded = 0;
  std::vector<TypeClass> classes;  // what the last row left, per column
  bool inBlocks = false;  // the rows came in blocks of bound arrays
  bool limitReached = false;
  bool budgetReached = false;  // stopped at the memory budget
  OdbcLayer::FetchEnd end = OdbcLayer::FetchEnd::EndOfRows;
  std::string fetchError;  // the driver's text when the fetch ended by an error
  // A procedure's result sets after the first, each read as the first is,
  // within the memory the ones before them left, and their rows together.
  std::vector<FetchedResult> further;
  long long furtherRows = 0;
};

// Executes and reads up to limit rows (0: all) as cell texts, and no more
// than budget bytes (query/fetch_budget.h). Only the database is touched
// here, so this may run off the windows' thread.
FetchedResult ExecuteAndFetch(OdbcLayer& db, const std::string& statement, int limit, std::uint64_t budget);

// Reads the current result of a statement that ran into r, as ExecuteAndFetch does.
void FetchCurrentResult(OdbcLayer& db, int limit, std::uint64_t budget, FetchedResult& r);

struct Session;
// The rows a fetch read, those handed on in pieces with them.
std::size_t RowsRead(const FetchedResult& r);

// One job under the busy window: work fills a result on the worker, its
// first result set's rows going into the grid in pieces as they come (the
// busy window gives way to them); at the end, on the windows' thread, the
// rest goes into the grid with Row Count, Elapsed Time, its messages and
// the history (a statement that did not run says why), then after is
// called. Escape cancels the statement and keeps the rows shown.
void RunFetchJob(Session& s, const std::string& statement, const std::function<void(FetchedResult&)>& work,
                 const std::function<void(const FetchedResult&)>& after = {});

// Rows that come after the user sorted the grid go into their places.
void AppendFetchedRows(ResultGrid& grid, ResultRows&& rows);

// A piece into the grid of the page in front: the columns come with the
// first one, the busy window giving way to them; each counts the rows
// shown up.
void ShowFetchedPiece(Session& s, FetchedPiece& piece, std::size_t& shown);

// What the Row Count says after the number of a fetch that did not reach
// the end of the rows (the rows read stay, marked as a part), and what the
// user is told of it: a cancel in a note, a failure in a message.
std::string_view CutShortNote(OdbcLayer::FetchEnd end);
void TellFetchEnd(Session& s, OdbcLayer::FetchEnd end, const std::string& fetchError, int rows);

// The notes of a fetch that stopped at the row limit or the memory budget
// (before its rows go into the grid).
void NoteFetchLimits(Session& s, const FetchedResult& r);

// What the result and its further result sets keep in memory
// (query/fetch_budget.h).
std::uint64_t KeptBytes(const FetchedResult& r);

// A result's columns and rows into the grid, with its colours and its Row
// Count: the rows are moved from r.
void FillResult(Session& s, FetchedResult& r);

}  // namespace zuno

// Run Statement and the catalog list against the plain fetch of the same
// rows, turn about on one connection each.
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/bench_program.h"
#include "bench/cases.h"
#include "bench/main_loop_wait.h"
#include "bench/plain_fetch.h"
#include "bench/process_memory.h"
#include "bench/samples.h"
#include "catalog/catalog_buttons.h"
#include "catalog/catalog_sql.h"
#include "db/idle_trim.h"
#include "query/run_statement.h"

namespace zuno::bench {
namespace {

constexpr int kRowLimit = 50;  // what the Rows To Fetch box holds at start
constexpr int kCatalogColumns = 8;

void ConnectFloor(PlainFetch& floor, const Login& login) {
  if (!floor.Connect(login.dsn, login.user, login.password)) Fail("the plain fetch could not connect");
}

enum class Fetch { ByValue, InBlocks };

// The plain fetch of the rows ZUNO reads: up to maxRows (0: all), expecting
// that many.
double TimeFloor(PlainFetch& floor, const std::string& sql, long maxRows, long expectedRows,
                 Fetch fetch = Fetch::ByValue) {
  double start = NowMs();
  long rows = fetch == Fetch::ByValue ? floor.Run(sql, maxRows) : floor.RunInBlocks(sql, maxRows);
  double took = NowMs() - start;
  if (rows != expectedRows) {
    std::fprintf(stderr, "bench: the plain fetch read %ld rows, not %ld\n", rows, expectedRows);
    Fail("the floor did not read the case's rows");
  }
  return took;
}

// One Run click: the grid emptied, the statement run, the 50 rows read and
// shown. The limit's message box is answered at once, so the span ends when
// the handler has filled the grid and made it visible.
double TimeRunStatement(BenchProgram& b, int columns) {
  Settle(30);
  b.ui().messages.clear();
  b.ui().notes.clear();
  double start = NowMs();
  RunStatement(b.session());
  double took = NowMs() - start;
  const ResultGrid& grid = b.session().grid;
  if (grid.RowCount() != kRowLimit || grid.ColumnCount() != columns) {
    std::fprintf(stderr, "bench: the grid holds %d rows of %d columns\n", grid.RowCount(), grid.ColumnCount());
    Fail("Run Statement did not fill the grid");
  }
  // The limit only informs: a note, no message box.
  if (!b.ui().messages.empty() || b.ui().notes != std::vector<std::string>{"Limit of 50 rows reached!"})
    Fail("Run Statement did not report the row limit (and only that)");
  return took;
}

}  // namespace

void RunQueryCase(const std::string& key, const Login& login, const std::string& sql, int columns, int runs) {
  BenchProgram b;
  if (!b.Connect(login.dsn, login.user, login.password)) Fail("ZUNO could not connect");
  PlainFetch floor;
  ConnectFloor(floor, login);
  b.shell().SetText(kSqlEditor, sql);

  TimeRunStatement(b, columns);
  TimeFloor(floor, sql, kRowLimit, kRowLimit);
  for (int i = 0; i < runs; ++i) {
    // Turn about, so neither side always runs on the other's warm caches.
    if (i % 2 == 0) {
      PrintSample(key, "zuno", TimeRunStatement(b, columns));
      PrintSample(key, "floor", TimeFloor(floor, sql, kRowLimit, kRowLimit));
    } else {
      PrintSample(key, "floor", TimeFloor(floor, sql, kRowLimit, kRowLimit));
      PrintSample(key, "zuno", TimeRunStatement(b, columns));
    }
  }
}

namespace {

// One Run click with every row asked for.
double TimeWholeQuery(BenchProgram& b, long rows, int columns) {
  ResultGrid& grid = b.session().grid;
  grid.ClearRows();
  grid.RemoveAllColumns();
  Settle(100);
  b.ui().messages.clear();
  double start = NowMs();
  RunStatement(b.session());
  double took = NowMs() - start;
  if (grid.RowCount() != rows || grid.ColumnCount() != columns || !b.ui().messages.empty()) {
    std::fprintf(stderr, "bench: the grid holds %d rows of %d columns\n", grid.RowCount(), grid.ColumnCount());
    Fail("Run Statement did not show every row");
  }
  return took;
}

}  // namespace

void RunWholeQueryCase(const Login& login, const std::string& sql, long rows, int columns, int runs,
                       const std::string& key) {
  BenchProgram b;
  if (!b.Connect(login.dsn, login.user, login.password)) Fail("ZUNO could not connect");
  PlainFetch floor;
  ConnectFloor(floor, login);
  b.shell().SetText(kSqlEditor, sql);
  b.shell().SetText(kRowsToFetchBox, "0");

  TimeWholeQuery(b, rows, columns);
  TimeFloor(floor, sql, 0, rows);
  TimeFloor(floor, sql, 0, rows, Fetch::InBlocks);
  for (int i = 0; i < runs; ++i) {
    // Turn about, ZUNO first, between the two floors and last.
    double zuno = 0, byValue = 0, inBlocks = 0;
    if (i % 3 == 0) zuno = TimeWholeQuery(b, rows, columns);
    byValue = TimeFloor(floor, sql, 0, rows);
    if (i % 3 == 1) zuno = TimeWholeQuery(b, rows, columns);
    inBlocks = TimeFloor(floor, sql, 0, rows, Fetch::InBlocks);
    if (i % 3 == 2) zuno = TimeWholeQuery(b, rows, columns);
    PrintSample(key, "zuno", zuno);
    PrintSample(key, "floor", byValue);
    PrintSample(key + "-blocks", "zuno", zuno);
    PrintSample(key + "-blocks", "floor", inBlocks);
  }
}

void ResultMemoryCase(const Login& login, const std::string& sql) {
  BenchProgram b;
  if (!b.Connect(login.dsn, login.user, login.password)) Fail("ZUNO could not connect");
  b.shell().SetText(kSqlEditor, sql);
  // A first run of 50 rows loads and warms everything a result needs, so the
  // figure holds the rows alone.
  RunStatement(b.session());
  ResultGrid& grid = b.session().grid;
  grid.ClearRows();
  grid.RemoveAllColumns();
  // Both figures at rest: the free pages a finished result leaves go back
  // to the system once the database has rested.
  const int rest = static_cast<int>(std::chrono::milliseconds(kTrimRest).count()) + 300;
  Settle(rest);
  const long before = ReadOwnMemory().rssKb;

  b.shell().SetText(kRowsToFetchBox, "0");
  RowsDrawnWatch drawn(b);
  RunStatement(b.session());
  if (!drawn.Wait(60000)) Fail("the grid was not drawn after the query");
  Settle(rest);
  const long after = ReadOwnMemory().rssKb;
  if (before < 0 || after < 0) Fail("cannot read the process's memory");
  if (grid.RowCount() < 1000) Fail("the query did not show its rows");
  PrintSample("result-memory", "zuno", static_cast<double>(after - before));
  PrintSample("result-memory", "floor", static_cast<double>(grid.Rows().TextBytes()) / 1024.0);
}

namespace {

struct CatalogTimes {
  double filled;  // the handler's span: statement, fetch, grid filled
  double drawn;   // from the click until the grid has drawn its rows
};

// A click on Last Creator with an empty grid in front of the user.
CatalogTimes TimeCatalogList(BenchProgram& b, const std::string& creator, int expectedRows) {
  ResultGrid& grid = b.session().grid;
  grid.ClearRows();
  grid.RemoveAllColumns();
  Settle(100);
  b.program().state.lastCreator = creator;
  b.ui().messages.clear();
  RowsDrawnWatch drawn(b);
  double start = NowMs();
  OnLastCreatorClicked(b.session());
  double filled = NowMs();
  if (!drawn.Wait(30000)) Fail("the grid was not drawn after the catalog list");
  if (grid.RowCount() != expectedRows || grid.ColumnCount() != kCatalogColumns || !b.ui().messages.empty()) {
    std::fprintf(stderr, "bench: the grid holds %d rows of %d columns\n", grid.RowCount(), grid.ColumnCount());
    Fail("the catalog list did not fill the grid");
  }
  return {filled - start, drawn.drawnAt() - start};
}

}  // namespace

void CatalogListCase(const Login& login, const std::string& creator, int runs) {
  BenchProgram b;
  if (!b.Connect(login.dsn, login.user, login.password)) Fail("ZUNO could not connect");
  if (b.program().state.databaseFlavour != DatabaseFlavour::Db2Luw) Fail("the data source is not taken for Db2/LUW");
  PlainFetch floor;
  ConnectFloor(floor, login);
  const std::string sql = LastCreatorListSql(DatabaseFlavour::Db2Luw, creator);
  const long rows = floor.Run(sql, 0);
  if (rows <= 0) Fail("the catalog list has no rows");

  TimeCatalogList(b, creator, static_cast<int>(rows));
  TimeFloor(floor, sql, 0, rows, Fetch::InBlocks);
  for (int i = 0; i < runs; ++i) {
    double floorTime = 0, blockTime = 0;
    if (i % 2 == 1) {
      floorTime = TimeFloor(floor, sql, 0, rows);
      blockTime = TimeFloor(floor, sql, 0, rows, Fetch::InBlocks);
    }
    CatalogTimes t = TimeCatalogList(b, creator, static_cast<int>(rows));
    if (i % 2 == 0) {
      blockTime = TimeFloor(floor, sql, 0, rows, Fetch::InBlocks);
      floorTime = TimeFloor(floor, sql, 0, rows);
    }
    PrintSample("catalog", "zuno", t.filled);
    PrintSample("catalog", "floor", floorTime);
    PrintSample("catalog-blocks", "zuno", t.filled);
    PrintSample("catalog-blocks", "floor", blockTime);
    PrintSample("catalog-drawn", "zuno", t.drawn);
    PrintSample("catalog-drawn", "floor", floorTime);
  }
}

}  // namespace zuno::bench

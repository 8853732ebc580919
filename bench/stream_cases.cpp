// Large results as they stream into the grid: how soon the first rows are
// drawn, what memory goes back once a result is replaced, and how time and
// memory grow with the rows.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "bench/bench_program.h"
#include "bench/cases.h"
#include "bench/main_loop_wait.h"
#include "bench/process_memory.h"
#include "bench/samples.h"
#include "db/idle_trim.h"
#include "query/run_statement.h"

namespace zuno::bench {
namespace {

// Long enough for the free pages of a result to go back (db/idle_trim.h).
int TrimRestMs() { return static_cast<int>(std::chrono::milliseconds(kTrimRest).count()) + 500; }

// One Run click until its first rows are drawn; a long fetch is cancelled
// then, so the run ends soon after.
double TimeFirstRows(BenchProgram& b, const std::string& sql, bool stop) {
  b.shell().SetText(kSqlEditor, sql);
  Settle(100);
  b.ui().messages.clear();
  // Cancelled as Escape would cancel it, once the rows are on the screen.
  RowsDrawnWatch watch(b, [&b, stop] {
    if (stop) b.session().db.Cancel();
  });
  const double start = NowMs();
  RunStatement(b.session());
  if (!watch.Wait(30000)) Fail("the grid never drew rows");
  if (!b.ui().messages.empty()) Fail("the run showed a message");
  return watch.drawnAt() - start;
}

long RssAtRest() {
  Settle(TrimRestMs());
  const long kb = ReadOwnMemory().rssKb;
  if (kb < 0) Fail("cannot read the process's memory");
  return kb;
}

void RunEveryRow(BenchProgram& b, const std::string& sql, long rows) {
  b.shell().SetText(kSqlEditor, sql);
  b.ui().messages.clear();
  b.ui().notes.clear();
  RunStatement(b.session());
  if (b.session().grid.RowCount() != rows || !b.ui().messages.empty()) {
    std::fprintf(stderr, "bench: the grid holds %d rows, not %ld\n", b.session().grid.RowCount(), rows);
    Fail("Run Statement did not show every row");
  }
}

}  // namespace

void FirstRowsCase(const Login& login, const std::string& bigSql, const std::string& smallSql, int runs) {
  BenchProgram b;
  if (!b.Connect(login.dsn, login.user, login.password)) Fail("ZUNO could not connect");
  b.shell().SetText(kRowsToFetchBox, "0");
  TimeFirstRows(b, smallSql, false);
  TimeFirstRows(b, bigSql, true);
  for (int i = 0; i < runs; ++i) {
    const bool bigFirst = i % 2 == 0;
    const double first = TimeFirstRows(b, bigFirst ? bigSql : smallSql, bigFirst);
    const double second = TimeFirstRows(b, bigFirst ? smallSql : bigSql, !bigFirst);
    PrintSample("first-rows", "zuno", bigFirst ? first : second);
    PrintSample("first-rows", "floor", bigFirst ? second : first);
  }
}

void MemoryBackCase(const Login& login, const std::string& bigSql, long bigRows, const std::string& oneRowSql) {
  BenchProgram b;
  if (!b.Connect(login.dsn, login.user, login.password)) Fail("ZUNO could not connect");
  b.shell().SetText(kRowsToFetchBox, "0");
  // Everything a result needs loaded once, by a small one.
  RunEveryRow(b, oneRowSql, 1);
  const long rest = RssAtRest();
  RunEveryRow(b, bigSql, bigRows);
  RunEveryRow(b, oneRowSql, 1);
  const long afterOne = RssAtRest();
  PrintSample("memory-back", "zuno", static_cast<double>(afterOne));
  PrintSample("memory-back", "floor", static_cast<double>(rest));
  for (int run = 1; run < 5; ++run) RunEveryRow(b, bigSql, bigRows);
  RunEveryRow(b, oneRowSql, 1);
  const long afterFive = RssAtRest();
  PrintSample("memory-five", "zuno", static_cast<double>(afterFive));
  PrintSample("memory-five", "floor", static_cast<double>(afterOne));
}

void GrowthCase(const Login& login, const std::vector<SizedQuery>& sizes, int runs) {
  if (sizes.size() < 2) Fail("the growth case needs two sizes at least");
  BenchProgram b;
  if (!b.Connect(login.dsn, login.user, login.password)) Fail("ZUNO could not connect");
  b.shell().SetText(kRowsToFetchBox, "0");
  RunEveryRow(b, sizes.front().sql, sizes.front().rows);
  std::vector<std::vector<double>> msPerRow(sizes.size()), bytesPerRow(sizes.size());
  for (int i = 0; i < runs; ++i)
    for (std::size_t s = 0; s < sizes.size(); ++s) {
      RunEveryRow(b, "SELECT 1", 1);
      const long before = RssAtRest();
      const double start = NowMs();
      RunEveryRow(b, sizes[s].sql, sizes[s].rows);
      const double took = NowMs() - start;
      const long after = RssAtRest();
      const auto rows = static_cast<double>(sizes[s].rows);
      // Per 1,000 rows, so the figures read as milliseconds and kilobytes.
      msPerRow[s].push_back(took * 1000.0 / rows);
      bytesPerRow[s].push_back(static_cast<double>(after - before) * 1000.0 / rows);
    }
  for (int i = 0; i < runs; ++i) {
    PrintSample("growth-time", "zuno", msPerRow.back()[static_cast<std::size_t>(i)]);
    PrintSample("growth-time", "floor", msPerRow.front()[static_cast<std::size_t>(i)]);
    PrintSample("growth-memory", "zuno", bytesPerRow.back()[static_cast<std::size_t>(i)]);
    PrintSample("growth-memory", "floor", bytesPerRow.front()[static_cast<std::size_t>(i)]);
    for (std::size_t s = 0; s < sizes.size(); ++s) {
      const std::string key = "growth-" + std::to_string(sizes[s].rows);
      PrintSample(key + "-time", "zuno", msPerRow[s][static_cast<std::size_t>(i)]);
      PrintSample(key + "-memory", "zuno", bytesPerRow[s][static_cast<std::size_t>(i)]);
    }
  }
}

}  // namespace zuno::bench

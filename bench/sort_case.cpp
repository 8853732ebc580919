// A header click's sort of a grid as large as a catalog list gets, against
// sorting the same column's texts once as plain strings.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/bench_program.h"
#include "bench/cases.h"
#include "bench/main_loop_wait.h"
#include "bench/samples.h"

namespace zuno::bench {
namespace {

constexpr const char* kTitles[] = {"TABSCHEMA", "TABNAME", "TYPE", "CARD", "REMARKS", "BASE_SCHEMA", "BASE_NAME",
                                   "LOCATION"};
constexpr int kNameColumn = 1;
constexpr int kCardColumn = 3;

// Names and counts in no order: a sort has to move every row.
void FillRows(ResultGrid& grid, int rows) {
  int column = 0;
  for (const char* title : kTitles) grid.AddColumn(column++, title, 100);
  grid.SetColumnOrder(kCardColumn, ValueOrder::ExactNumber);
  char name[16];
  char card[24];
  for (int n = 1; n <= rows; ++n) {
    const long scrambled = (static_cast<long>(n) * 7919) % rows;
    std::snprintf(name, sizeof name, "T%06ld", scrambled);
    std::snprintf(card, sizeof card, "%20ld", scrambled * 1013 - 50000000);
    grid.AppendRow({"BIG", name, "T", card, n % 3 == 0 ? "Null" : "generated table " + std::to_string(n), "Null",
                    "Null", ""});
  }
}

double TimeSort(BenchProgram& b, int column, SortDirection direction) {
  double start = NowMs();
  b.session().grid.SortRows(column, direction);
  double took = NowMs() - start;
  if (b.session().grid.Sort().direction != direction) Fail("the grid was not sorted");
  return took;
}

double TimePlainSort(std::vector<std::string> texts) {
  double start = NowMs();
  std::stable_sort(texts.begin(), texts.end());
  return NowMs() - start;
}

}  // namespace

void GridSortCase(int rows, int runs) {
  BenchProgram b;
  ResultGrid& grid = b.session().grid;
  FillRows(grid, rows);
  Settle(200);
  for (const auto& [key, column] : {std::pair{"sort-text", kNameColumn}, std::pair{"sort-number", kCardColumn}}) {
    std::vector<std::string> texts;
    for (int r = 0; r < rows; ++r) texts.push_back(grid.CellText(r, column));
    TimeSort(b, column, SortDirection::Ascending);
    if (grid.CellText(0, column) > grid.CellText(1, column) && column == kNameColumn) Fail("the names are not in order");
    for (int i = 0; i < runs; ++i) {
      const SortDirection direction = i % 2 == 0 ? SortDirection::Descending : SortDirection::Ascending;
      PrintSample(key, "zuno", TimeSort(b, column, direction));
      PrintSample(key, "floor", TimePlainSort(texts));
    }
  }
}

}  // namespace zuno::bench

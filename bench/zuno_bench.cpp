// The in-process cases of scripts/bench: ZUNO's handlers on the real windows
// and grid, each against the cheapest program doing the same work, in turns.
// Prints sample lines (see samples.h).
//
//   zuno_bench query KEY DSN USER PASSWORD COLUMNS RUNS SQL
//   zuno_bench query-all DSN USER PASSWORD ROWS COLUMNS RUNS SQL [KEY]
//   zuno_bench result-memory DSN USER PASSWORD SQL
//   zuno_bench catalog DSN USER PASSWORD CREATOR RUNS
//   zuno_bench completion DSN USER PASSWORD SCHEMA RUNS
//   zuno_bench store DIRECTORY RECORDS RUNS
//   zuno_bench report DIRECTORY ROWS RUNS
//   zuno_bench sort ROWS RUNS
//   zuno_bench first-rows DSN USER PASSWORD RUNS BIG_SQL SMALL_SQL
//   zuno_bench memory-back DSN USER PASSWORD ROWS SQL ONE_ROW_SQL
//   zuno_bench growth DSN USER PASSWORD RUNS ROWS SQL [ROWS SQL]...
//
// The cases with windows need a display: run them under xvfb-run.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/startup.h"
#include "bench/cases.h"

namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: zuno_bench query KEY DSN USER PASSWORD COLUMNS RUNS SQL\n"
               "       zuno_bench query-all DSN USER PASSWORD ROWS COLUMNS RUNS SQL [KEY]\n"
               "       zuno_bench result-memory DSN USER PASSWORD SQL\n"
               "       zuno_bench catalog DSN USER PASSWORD CREATOR RUNS\n"
               "       zuno_bench completion DSN USER PASSWORD SCHEMA RUNS\n"
               "       zuno_bench store DIRECTORY RECORDS RUNS\n"
               "       zuno_bench report DIRECTORY ROWS RUNS\n"
               "       zuno_bench sort ROWS RUNS\n"
               "       zuno_bench first-rows DSN USER PASSWORD RUNS BIG_SQL SMALL_SQL\n"
               "       zuno_bench memory-back DSN USER PASSWORD ROWS SQL ONE_ROW_SQL\n"
               "       zuno_bench growth DSN USER PASSWORD RUNS ROWS SQL [ROWS SQL]...\n");
  return 2;
}

int Number(const char* text) { return std::atoi(text); }

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  const std::string which = argv[1];
  using zuno::bench::Login;
  if (which == "store" && argc == 5) {
    zuno::bench::QueryStoreCase(argv[2], Number(argv[3]), Number(argv[4]));
    return 0;
  }

  int toolkitArgc = 1;
  char** toolkitArgv = argv;
  zuno::InitToolkit(&toolkitArgc, &toolkitArgv);
  if (which == "query" && argc == 9) {
    zuno::bench::RunQueryCase(argv[2], Login{argv[3], argv[4], argv[5]}, argv[8], Number(argv[6]), Number(argv[7]));
  } else if (which == "query-all" && (argc == 9 || argc == 10)) {
    zuno::bench::RunWholeQueryCase(Login{argv[2], argv[3], argv[4]}, argv[8], Number(argv[5]), Number(argv[6]),
                                   Number(argv[7]), argc == 10 ? argv[9] : "query-all");
  } else if (which == "result-memory" && argc == 6) {
    zuno::bench::ResultMemoryCase(Login{argv[2], argv[3], argv[4]}, argv[5]);
  } else if (which == "catalog" && argc == 7) {
    zuno::bench::CatalogListCase(Login{argv[2], argv[3], argv[4]}, argv[5], Number(argv[6]));
  } else if (which == "completion" && argc == 7) {
    zuno::bench::CompletionCase(Login{argv[2], argv[3], argv[4]}, argv[5], Number(argv[6]));
  } else if (which == "report" && argc == 5) {
    zuno::bench::ReportExportCase(argv[2], Number(argv[3]), Number(argv[4]));
  } else if (which == "sort" && argc == 4) {
    zuno::bench::GridSortCase(Number(argv[2]), Number(argv[3]));
  } else if (which == "first-rows" && argc == 8) {
    zuno::bench::FirstRowsCase(Login{argv[2], argv[3], argv[4]}, argv[6], argv[7], Number(argv[5]));
  } else if (which == "memory-back" && argc == 8) {
    zuno::bench::MemoryBackCase(Login{argv[2], argv[3], argv[4]}, argv[6], Number(argv[5]), argv[7]);
  } else if (which == "growth" && argc >= 10 && argc % 2 == 0) {
    std::vector<zuno::bench::SizedQuery> sizes;
    for (int a = 6; a + 1 < argc; a += 2) sizes.push_back({Number(argv[a]), argv[a + 1]});
    zuno::bench::GrowthCase(Login{argv[2], argv[3], argv[4]}, sizes, Number(argv[5]));
  } else {
    return Usage();
  }
  return 0;
}

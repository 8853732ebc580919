// Save Report of a grid as large as a catalog list gets, against writing the
// report's bytes once.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/bench_program.h"
#include "bench/cases.h"
#include "bench/main_loop_wait.h"
#include "bench/samples.h"
#include "tools/report_export.h"

namespace zuno::bench {
namespace {

constexpr const char* kTitles[] = {"TABSCHEMA", "TABNAME", "TYPE", "CARD", "REMARKS", "BASE_SCHEMA", "BASE_NAME",
                                   "LOCATION"};

// The rows of the Last Creator list of a creator with many tables.
void FillCatalogRows(ResultGrid& grid, int rows) {
  int column = 0;
  for (const char* title : kTitles) grid.AddColumn(column++, title, 100);
  char name[16];
  for (int n = 1; n <= rows; ++n) {
    std::snprintf(name, sizeof name, "T%06d", n);
    grid.AppendRow({"BIG", name, "T", std::to_string(10 * n),
                    n % 3 == 0 ? "Null" : "generated table " + std::to_string(n), "Null", "Null", ""});
  }
}

std::string ReadBytes(const std::string& path) {
  std::string bytes;
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) Fail("no report was written");
  char buffer[65536];
  for (ssize_t n; (n = read(fd, buffer, sizeof buffer)) > 0;) bytes.append(buffer, static_cast<size_t>(n));
  close(fd);
  return bytes;
}

// The floor: the same bytes into a file of their own, created or emptied first.
double TimeWrite(const std::string& path, const std::string& bytes) {
  double start = NowMs();
  int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0 || write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) Fail("cannot write");
  close(fd);
  return NowMs() - start;
}

// A click on "Save report as File", answered: with header, the offered
// delimiter, the given file.
double TimeSaveReport(BenchProgram& b) {
  Settle(30);
  b.ui().messages.clear();
  double start = NowMs();
  OnSaveReportClicked(b.session());
  double took = NowMs() - start;
  if (!b.ui().messages.empty()) Fail("Save Report showed a message");
  return took;
}

}  // namespace

void ReportExportCase(const std::string& directory, int rows, int runs) {
  BenchProgram b;
  FillCatalogRows(b.session().grid, rows);
  Settle(200);
  const std::string report = directory + "/REPORT.TXT";  // the report type, by its name
  const std::string copy = directory + "/FLOOR.CSV";
  b.ui().saveFileAnswer = report;

  TimeSaveReport(b);
  const std::string bytes = ReadBytes(report);
  // Header and one line per row, each cell followed by the delimiter.
  if (std::count(bytes.begin(), bytes.end(), '\n') != rows + 1) Fail("the report does not hold every row");
  TimeWrite(copy, bytes);
  for (int i = 0; i < runs; ++i) {
    if (i % 2 == 0) {
      PrintSample("report", "zuno", TimeSaveReport(b));
      PrintSample("report", "floor", TimeWrite(copy, bytes));
    } else {
      PrintSample("report", "floor", TimeWrite(copy, bytes));
      PrintSample("report", "zuno", TimeSaveReport(b));
    }
  }
}

}  // namespace zuno::bench

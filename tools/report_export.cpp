#include "tools/report_export.h"

#include "tools/report_lines.h"
#include "tools/temp_file_text.h"

namespace zuno {
namespace {

ReportTable CopyGrid(const ResultGrid& grid) {
  ReportTable table;
  const int rows = grid.RowCount();
  const int columns = grid.ColumnCount();
  for (int c = 0; c < columns; ++c) table.titles.push_back(grid.ColumnTitle(c));
  table.rows.resize(static_cast<size_t>(rows));
  for (int r = 0; r < rows; ++r) {
    std::vector<std::string>& cells = table.rows[static_cast<size_t>(r)];
    cells.reserve(static_cast<size_t>(columns));
    for (int c = 0; c < columns; ++c) cells.push_back(grid.CellText(r, c));
  }
  return table;
}

}  // namespace

void OnSaveReportClicked(Session& s) {
  bool withHeader = s.ui.AskYesNo("Save with header?");
  std::string delimiter = s.ui.AskText("ZUNO", "Enter delimiter", ";");
  std::optional<std::string> path = s.ui.ChooseSaveFile("ZUNO", "REPORT.CSV");
  if (!path || path->empty()) return;

  // The report is only written: starting a file the user picked as if it
  // were a program would be unsafe, and a report is no program.
  if (!WriteTextFile(*path, BuildReportText(CopyGrid(s.grid), delimiter, withHeader)))
    s.ui.ShowMessage(kCannotCreateFile);
}

}  // namespace zuno

#include "tools/report_export.h"

#include "session/messages.h"
#include "tools/report_lines.h"
#include "tools/temp_file_text.h"

namespace zuno {
namespace {

std::vector<std::string> Titles(const ResultGrid& grid) {
  std::vector<std::string> titles;
  for (int c = 0; c < grid.ColumnCount(); ++c) titles.push_back(grid.ColumnTitle(c));
  return titles;
}

}  // namespace

void OnSaveReportClicked(Session& s) {
  bool withHeader = s.ui.AskYesNo("Save with header?");
  std::string delimiter = s.ui.AskText("ZUNO", "Enter delimiter", ";").value_or("");
  std::optional<std::string> path = s.ui.ChooseSaveFile("ZUNO", "REPORT.CSV");
  if (!path || path->empty()) return;

  // The report is only written: starting a file the user picked as if it
  // were a program would be unsafe, and a report is no program.
  if (!WriteTextFile(*path, BuildReportText(Titles(s.grid), s.grid.Rows(), delimiter, withHeader)))
    s.ui.ShowMessage(kCannotCreateFile);
}

}  // namespace zuno

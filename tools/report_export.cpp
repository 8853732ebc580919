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

std::vector<ValueType> ValueTypes(const ResultGrid& grid) {
  std::vector<ValueType> types;
  for (int c = 0; c < grid.ColumnCount(); ++c) types.push_back(grid.ColumnValueType(c));
  return types;
}

}  // namespace

void OnSaveReportClicked(Session& s) {
  bool withHeader = s.ui.AskYesNo("Save with header?");
  std::string delimiter = s.ui.AskText("ZUNO", "Enter delimiter", ";").value_or("");
  std::optional<SaveChoice> choice = s.ui.ChooseSaveFile("ZUNO", "REPORT.CSV");
  if (!choice || choice->path.empty()) return;

  // The report is only written: starting a file the user picked as if it
  // were a program would be unsafe, and a report is no program. Its text is
  // made while it is written, so a large grid is never held twice.
  const auto fill = [&](const TextSink& write) {
    return choice->type == SaveFileType::Csv
               ? WriteCsvText(Titles(s.grid), ValueTypes(s.grid), s.grid.Rows(), delimiter, withHeader, write)
               : WriteReportText(Titles(s.grid), s.grid.Rows(), delimiter, withHeader, write);
  };
  if (!WriteTextFileInPieces(choice->path, fill)) s.ui.ShowMessage(kCannotCreateFile);
}

}  // namespace zuno

#include "tools/report_export.h"

#include <string>

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

// A CSV file holds the values themselves: a value the grid holds only in
// part would be written as if it were whole.
std::string NotWholeMessage(const ResultGrid& grid, CellPlace place) {
  return "The value in row " + std::to_string(place.row + 1) + ", column " +
         grid.ColumnTitle(static_cast<int>(place.column)) +
         " was not fetched whole: a CSV file would not hold it, so nothing was written.";
}

// The type the user picked, else the name's: a name ending in ".csv" is a
// CSV file.
SaveFileType ReportTypeOf(const SaveChoice& choice) {
  return choice.typeChosen ? choice.type : SaveFileTypeOfName(choice.path);
}

}  // namespace

void OnSaveReportClicked(Session& s) {
  bool withHeader = s.ui.AskYesNo("Save with header?");
  std::string delimiter = s.ui.AskText("ZUNO", "Enter delimiter", ";").value_or("");
  std::optional<SaveChoice> choice = s.ui.ChooseSaveFile("ZUNO", "REPORT.CSV");
  if (!choice || choice->path.empty()) return;
  const bool csv = ReportTypeOf(*choice) == SaveFileType::Csv;
  const auto columns = static_cast<std::size_t>(s.grid.ColumnCount());
  if (std::optional<CellPlace> unread = csv ? FirstUnreadValue(s.grid.Rows(), columns) : std::nullopt)
    return s.ui.ShowMessage(NotWholeMessage(s.grid, *unread));

  // The report is only written: starting a file the user picked as if it
  // were a program would be unsafe, and a report is no program. Its text is
  // made while it is written, so a large grid is never held twice.
  const auto fill = [&](const TextSink& write) {
    return csv
               ? WriteCsvText(Titles(s.grid), ValueTypes(s.grid), s.grid.Rows(), delimiter, withHeader, write)
               : WriteReportText(Titles(s.grid), s.grid.Rows(), delimiter, withHeader, write);
  };
  if (!WriteTextFileInPieces(choice->path, fill)) s.ui.ShowMessage(kCannotCreateFile);
}

}  // namespace zuno

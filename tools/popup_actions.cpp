#include "tools/popup_actions.h"

#include <algorithm>

#include "session/control_ids.h"
#include "grid/cell_text.h"
#include "session/ui.h"
#include "tools/column_autosize.h"
#include "tools/external_editing.h"
#include "tools/statement_generator.h"

namespace zuno {
namespace {

constexpr int kFixedColumnWidth = 220;

// The grid's titles from the first column up to the first empty one.
std::vector<std::string> ColumnTitles(const ResultGrid& grid) {
  std::vector<std::string> titles;
  for (int c = 0; c < grid.ColumnCount(); ++c) {
    std::string title = grid.ColumnTitle(c);
    if (title.empty()) break;
    titles.push_back(std::move(title));
  }
  return titles;
}

// The selected row's cell of the column, straight from the grid's rows; with
// no row selected the title stands for the value.
std::string SelectedCell(const ResultGrid& grid, int column) {
  const int row = grid.SelectedRow();
  if (row < 0) return grid.ColumnTitle(column);
  return std::string(grid.Rows().Cell(static_cast<std::size_t>(row), static_cast<std::size_t>(column)));
}

// The selected row's cells with their line feeds, and what the grid knew of
// them. With no row selected the titles stand for the values, none of them
// NULL.
void ReadSelectedRow(const ResultGrid& grid, GeneratorInput& input) {
  const int row = grid.SelectedRow();
  for (int c = 0; c < static_cast<int>(input.titles.size()); ++c) {
    input.values.push_back(RestoreLineFeeds(SelectedCell(grid, c)));
    input.types.push_back(grid.ColumnValueType(c));
    input.nulls.push_back(grid.CellIsNull(row, c));
  }
}

void OpenColumnChooser(Session& s, int item) {
  s.state.popupAction = item;
  s.ui.OpenLibraryWindow(Ui::LibraryForm::ColumnChooser);
  s.ui.ClearList(kQueryNamesList);
  for (const std::string& title : ColumnTitles(s.grid)) s.ui.AppendListItem(kQueryNamesList, title);
}

void Generate(Session& s, std::string (*generate)(const GeneratorInput&)) {
  GeneratorInput input;
  input.editorText = s.ui.Text(kSqlEditor);
  input.drilledSchema = s.state.drilledTableSchema;
  input.drilledName = s.state.drilledTableName;
  input.titles = ColumnTitles(s.grid);
  ReadSelectedRow(s.grid, input);
  std::string statement = generate(input);
  s.ui.SetText(kSqlEditor, statement);
  FormatIntoEditor(s, statement);
}

void Autosize(Session& s) {
  const int columns = s.grid.ColumnCount();
  std::vector<int> widths = AutosizedColumnWidths(s.grid.Rows(), static_cast<size_t>(columns));
  for (int c = 0; c < columns; ++c) s.grid.SetColumnWidth(c, widths[static_cast<size_t>(c)]);
}

}  // namespace

void OnPopupItem(Session& s, int item) {
  switch (item) {
    case kCopyToClipboard:
    case kShowInEditor:
    case kCopyAndFormat:
      return OpenColumnChooser(s, item);
    case kGenerateInsert:
      return Generate(s, GenerateInsert);
    case kGenerateUpdate:
      return Generate(s, GenerateUpdate);
    case kGenerateDelete:
      return Generate(s, GenerateDelete);
    case kAutosizeColumns:
      return Autosize(s);
    case kFixedColumnSize:
      for (int c = 0; c < s.grid.ColumnCount(); ++c) s.grid.SetColumnWidth(c, kFixedColumnWidth);
      return;
    default:
      return;
  }
}

void OnColumnChooserSelect(Session& s) {
  std::string chosen = SelectedListText(s.ui, kQueryNamesList);
  std::vector<std::string> titles = ColumnTitles(s.grid);
  auto column = std::find(titles.begin(), titles.end(), chosen);
  if (column != titles.end()) {
    int c = static_cast<int>(column - titles.begin());
    std::string text = RestoreLineFeeds(SelectedCell(s.grid, c));
    switch (s.state.popupAction) {
      case kCopyToClipboard:
        s.ui.SetClipboardText(text);
        break;
      case kShowInEditor:
        // Shown in the same editor as Edit SQL; what the user does there stays there.
        s.ui.SetClipboardText(text);
        EditInExternalEditor(s, text);
        break;
      case kCopyAndFormat:
        s.ui.SetText(kSqlEditor, text);
        FormatIntoEditor(s, text);
        break;
      default:
        break;
    }
  }
  s.ui.CloseLibraryWindow();
}

}  // namespace zuno

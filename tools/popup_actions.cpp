#include "tools/popup_actions.h"

#include <algorithm>

#include "app/control_ids.h"
#include "library/library_window.h"
#include "query/cell_text.h"
#include "tools/column_autosize.h"
#include "tools/external_editing.h"
#include "tools/statement_generator.h"

namespace zuno {
namespace {

constexpr int kFixedColumnWidth = 220;

// The grid's titles from the first column up to the first empty one.
std::vector<std::string> ColumnList(const ResultGrid& grid) {
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

std::vector<std::string> SelectedRowCells(const ResultGrid& grid, std::size_t columns) {
  std::vector<std::string> cells;
  for (std::size_t c = 0; c < columns; ++c) cells.push_back(SelectedCell(grid, static_cast<int>(c)));
  return cells;
}

void OpenColumnChooser(Session& s, int item) {
  s.state.popupAction = item;
  s.ui.OpenLibraryWindow(Ui::LibraryForm::ColumnChooser);
  s.ui.ClearList(kQueryNamesList);
  for (const std::string& title : ColumnList(s.grid)) s.ui.AppendListItem(kQueryNamesList, title);
}

void Generate(Session& s, std::string (*generate)(const GeneratorInput&)) {
  GeneratorInput input;
  input.editorText = s.ui.Text(kSqlEditor);
  input.drilledSchema = s.state.drilledTableSchema;
  input.drilledName = s.state.drilledTableName;
  input.titles = ColumnList(s.grid);
  input.values = SelectedRowCells(s.grid, input.titles.size());
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
  std::vector<std::string> titles = ColumnList(s.grid);
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

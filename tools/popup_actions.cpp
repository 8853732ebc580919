#include "tools/popup_actions.h"

#include <algorithm>
#include <optional>

#include "session/control_ids.h"
#include "grid/cell_text.h"
#include "session/ui.h"
#include "tools/column_autosize.h"
#include "tools/external_editing.h"
#include "session/page_switch.h"
#include "tools/row_copy.h"
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

constexpr std::string_view kNoRowSelected = "No row is selected: nothing was copied.";
constexpr std::string_view kRowGone = "The row is no longer shown: nothing was copied.";
constexpr std::string_view kPageGone = "The result is no longer shown: nothing was copied.";
constexpr std::string_view kValueNotFetched = "The value was not fetched whole: nothing was copied.";

// The selected row's value of the column as fetched, straight from the
// grid's rows; with no row selected the title stands for the value.
CellValue SelectedValue(const ResultGrid& grid, int column) {
  const int row = grid.SelectedRow();
  if (row < 0) return {};
  return grid.Rows().Value(static_cast<std::size_t>(row), static_cast<std::size_t>(column));
}

// The selected row's values as fetched, and what the grid knew of them. With
// no row selected the titles stand for the values, none of them NULL.
void ReadSelectedRow(const ResultGrid& grid, GeneratorInput& input) {
  const int row = grid.SelectedRow();
  for (int c = 0; c < static_cast<int>(input.titles.size()); ++c) {
    const CellValue value = SelectedValue(grid, c);
    input.values.push_back(row < 0 ? grid.ColumnTitle(c) : std::string(value.bytes));
    input.kinds.push_back(value.kind);
    input.types.push_back(grid.ColumnValueType(c));
    input.nulls.push_back(grid.CellIsNull(row, c));
  }
}

void OpenColumnChooser(Session& s, int item) {
  s.state.popupAction = item;
  // The page too: the chooser copies from the page it was opened on,
  // whichever is shown when a column is chosen.
  s.state.popupPage = CurrentPage(s).number;
  // The row by its identity: a sort while the chooser is open moves it.
  s.state.popupRow = s.grid.RowIdentity(s.grid.SelectedRow());
  s.ui.OpenLibraryWindow(Ui::LibraryForm::ColumnChooser);
  s.ui.ClearList(kQueryNamesList);
  for (const std::string& title : ColumnTitles(s.grid)) s.ui.AppendListItem(kQueryNamesList, title);
}

constexpr std::string_view kScriptReportShown =
    "The grid shows a script's report, not the rows of a table: no statement was written.";
constexpr std::string_view kCatalogObjectsShown =
    "The grid shows what the catalog says of a table or a schema, not its rows: no statement was written.";

// The table comes from the statement whose rows the grid shows, not from
// the editor, which may hold other statements by now.
GeneratorInput RowInput(Session& s) {
  GeneratorInput input;
  const ResultPage& page = CurrentPage(s);
  if (page.mode == GridMode::Query) input.statementText = page.statement;
  input.drilledSchema = page.drilledTableSchema;
  input.drilledName = page.drilledTableName;
  input.titles = ColumnTitles(s.grid);
  ReadSelectedRow(s.grid, input);
  return input;
}

void Generate(Session& s, GeneratedStatement (*generate)(const GeneratorInput&),
              std::vector<std::string> keyColumns = {}) {
  const GridMode mode = CurrentPage(s).mode;
  if (mode == GridMode::ScriptReport) return s.ui.ShowMessage(kScriptReportShown);
  if (mode == GridMode::TableDetails || mode == GridMode::Objects) return s.ui.ShowMessage(kCatalogObjectsShown);
  GeneratorInput input = RowInput(s);
  input.keyColumns = std::move(keyColumns);
  GeneratedStatement statement = generate(input);
  if (!statement.refusal.empty()) return s.ui.ShowMessage(statement.refusal);
  s.ui.SetText(kSqlEditor, statement.text);
  FormatIntoEditor(s, statement.text);
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
      if (s.grid.SelectedRow() < 0) return s.ui.ShowMessage(kNoRowSelected);
      return OpenColumnChooser(s, item);
    case kShowInEditor:
    case kCopyAndFormat:
      return OpenColumnChooser(s, item);
    case kCopyCell:
      return CopyCell(s);
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

std::optional<CatalogTableName> GeneratedTable(Session& s) {
  if (CurrentPage(s).mode != GridMode::Query) return std::nullopt;
  return TargetCatalogName(RowInput(s));
}

void GenerateWithKey(Session& s, int item, std::vector<std::string> keyColumns) {
  if (item == kGenerateUpdate) return Generate(s, GenerateUpdate, std::move(keyColumns));
  if (item == kGenerateDelete) return Generate(s, GenerateDelete, std::move(keyColumns));
  OnPopupItem(s, item);
}

void OnColumnChooserSelect(Session& s) {
  const int page = s.pages->IndexOf(s.state.popupPage);
  if (page < 0) {
    s.ui.CloseLibraryWindow();
    return s.ui.ShowMessage(kPageGone);
  }
  const ResultGrid& grid = *s.pages->Page(page).grid;
  std::string chosen = SelectedListText(s.ui, kQueryNamesList);
  std::vector<std::string> titles = ColumnTitles(grid);
  auto column = std::find(titles.begin(), titles.end(), chosen);
  if (column != titles.end()) {
    int c = static_cast<int>(column - titles.begin());
    const int row = s.state.popupRow < 0 ? -1 : grid.RowOfIdentity(s.state.popupRow);
    if (s.state.popupRow >= 0 && row < 0) {
      s.ui.CloseLibraryWindow();
      return s.ui.ShowMessage(kRowGone);
    }
    std::optional<std::string> copied = CopiedText(grid, row, c);
    if (!copied) {
      s.ui.CloseLibraryWindow();
      return s.ui.ShowMessage(kValueNotFetched);
    }
    const std::string& text = *copied;
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

#include "tools/row_copy.h"

#include "grid/cell_text.h"

namespace zuno {
namespace {

constexpr std::string_view kNoRowSelected = "No row is selected: nothing was copied.";
constexpr std::string_view kValueNotFetched = "The value was not fetched whole: nothing was copied.";

void AppendField(std::string& out, std::string_view field) {
  if (field.find_first_of("\t\n\r\"") == std::string_view::npos) {
    out += field;
    return;
  }
  out += '"';
  for (char c : field) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

}  // namespace

std::optional<std::string> CopiedText(const ResultGrid& grid, int row, int column) {
  if (row < 0) return grid.ColumnTitle(column);
  const CellValue value = grid.Rows().Value(static_cast<std::size_t>(row), static_cast<std::size_t>(column));
  const bool number = grid.ColumnValueType(column) == ValueType::Number;
  switch (value.kind) {
    case ValueKind::Text: return std::string(number ? Unpadded(value.bytes) : value.bytes);
    case ValueKind::Binary: return HexDigits(value.bytes);
    case ValueKind::Unread: break;
  }
  return std::nullopt;
}

TabSeparated RowsAsTabSeparated(const ResultGrid& grid, const std::vector<int>& rows) {
  TabSeparated out;
  const int columns = grid.ColumnCount();
  for (int c = 0; c < columns; ++c) {
    if (c > 0) out.text += '\t';
    AppendField(out.text, grid.ColumnTitle(c));
  }
  out.text += '\n';
  for (int row : rows) {
    for (int c = 0; c < columns; ++c) {
      if (c > 0) out.text += '\t';
      if (grid.CellIsNull(row, c)) continue;
      const std::optional<std::string> value = CopiedText(grid, row, c);
      if (!value) {
        ++out.notWhole;
        continue;
      }
      AppendField(out.text, *value);
    }
    out.text += '\n';
  }
  return out;
}

void CopySelectedRows(Session& s) {
  const std::vector<int> rows = s.grid.SelectedRows();
  if (rows.empty()) return s.ui.ShowMessage(kNoRowSelected);
  const TabSeparated copied = RowsAsTabSeparated(s.grid, rows);
  s.ui.SetClipboardText(copied.text);
  if (copied.notWhole > 0)
    s.ui.ShowMessage(std::to_string(copied.notWhole) +
                     (copied.notWhole == 1 ? " value was" : " values were") +
                     " not fetched whole: their fields were copied empty.");
}

void CopyCell(Session& s) {
  const int row = s.grid.SelectedRow();
  const int column = s.grid.CursorColumn();
  if (row < 0 || column < 0) return s.ui.ShowMessage(kNoRowSelected);
  const std::optional<std::string> copied = CopiedText(s.grid, row, column);
  if (!copied) return s.ui.ShowMessage(kValueNotFetched);
  s.ui.SetClipboardText(*copied);
}

}  // namespace zuno

#include "tools/result_find.h"

#include <algorithm>
#include <locale>
#include <stdexcept>
#include <string>

#include "db/wide_text.h"

namespace zuno {
namespace {

// Letters past ASCII have their cases whatever locale the program was
// started in: a UTF-8 locale's where the system has one.
const std::ctype<wchar_t>& Cases() {
  static const std::locale cases = [] {
    for (const char* name : {"C.UTF-8", "C.utf8", "en_US.UTF-8"}) {
      try {
        return std::locale(name);
      } catch (const std::runtime_error&) {
      }
    }
    return std::locale();
  }();
  return std::use_facet<std::ctype<wchar_t>>(cases);
}

std::u16string Folded(std::string_view text) {
  const std::ctype<wchar_t>& cases = Cases();
  std::u16string folded = Utf8ToUtf16(text);
  for (char16_t& unit : folded)
    if (!IsHighSurrogate(unit) && !IsLowSurrogate(unit))
      unit = static_cast<char16_t>(cases.tolower(static_cast<wchar_t>(unit)));
  return folded;
}

}  // namespace

std::optional<FoundCell> FindCell(const ResultGrid& grid, int row, int column, std::string_view text) {
  const int rows = grid.RowCount();
  const int columns = grid.ColumnCount();
  if (text.empty() || rows == 0 || columns == 0) return std::nullopt;
  const std::u16string wanted = Folded(text);
  const long cells = static_cast<long>(rows) * columns;
  const long from = row < 0 ? -1 : static_cast<long>(row) * columns + std::clamp(column, 0, columns - 1);
  for (long step = 1; step <= cells; ++step) {
    const long at = (from + step + cells) % cells;
    const int r = static_cast<int>(at / columns);
    const int c = static_cast<int>(at % columns);
    const std::string cell = grid.CellText(r, c);
    if (cell.size() < text.size() / 4) continue;  // no fold shrinks a text that far
    if (Folded(cell).find(wanted) != std::u16string::npos) return FoundCell{r, c};
  }
  return std::nullopt;
}

void FindInResult(Session& s) {
  const std::optional<std::string> text = s.ui.AskText("ZUNO - Find in Result", "Find:", s.state.findText);
  if (!text || text->empty()) return;
  s.state.findText = *text;
  const std::optional<FoundCell> found = FindCell(s.grid, s.grid.SelectedRow(), s.grid.CursorColumn(), *text);
  if (!found) return s.ui.ShowMessage("\"" + *text + "\" was not found in the result.");
  s.grid.SelectCell(found->row, found->column);
}

}  // namespace zuno

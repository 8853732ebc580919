// The grid's values copied out as they were fetched: one cell, or the
// selected rows as tab-separated text with a header line.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "grid/result_grid.h"
#include "session/session.h"

namespace zuno {

// The text a cell's value is copied out as: a number without the blanks that
// align it, a binary value in hex digits; nothing for one never fetched whole.
// Row -1 gives the column's title.
std::optional<std::string> CopiedText(const ResultGrid& grid, int row, int column);

struct TabSeparated {
  std::string text;
  int notWhole = 0;  // values not fetched whole: their fields are empty
};

// A header line of the titles, then one line per row, each line ended by a
// line feed. NULL is the empty field; a field holding a tab, a line feed, a
// carriage return or a double quote stands in double quotes, its quotes
// doubled, its line feeds kept.
TabSeparated RowsAsTabSeparated(const ResultGrid& grid, const std::vector<int>& rows);

// Ctrl+C in the grid: the selected rows onto the clipboard.
void CopySelectedRows(Session& s);

// "Copy Cell": the value of the cell under the pointer onto the clipboard.
void CopyCell(Session& s);

}  // namespace zuno

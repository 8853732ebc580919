// Ctrl+F in the grid: the next cell that holds a text, whatever its case.
#pragma once

#include <optional>
#include <string_view>

#include "grid/result_grid.h"
#include "session/session.h"

namespace zuno {

struct FoundCell {
  int row = 0;
  int column = 0;
};

// The first cell after (row, column), row by row in the order shown and
// round to the cell itself, whose text holds the text in any case; row -1
// starts at the first cell. None for an empty text.
std::optional<FoundCell> FindCell(const ResultGrid& grid, int row, int column, std::string_view text);

// Asks for the text (the last one offered), selects the cell found or says
// that there is none.
void FindInResult(Session& s);

}  // namespace zuno

// The widths "Autosize Columns" gives the grid's columns.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "grid/result_rows.h"

namespace zuno {

// One width in pixels per column, from the longest cell text of the column in
// characters: at least 20 characters at 11 pixels each, or 0 (hidden) when
// every cell is empty or there are no rows. Titles are not measured. A row
// with fewer cells than columns counts the missing ones as empty.
std::vector<int> AutosizedColumnWidths(const ResultRows& rows, std::size_t columnCount);

}  // namespace zuno

// How wide a result column starts: the same rule for a query's columns and
// for the catalog lists.
#pragma once

#include <string_view>

namespace zuno {

// Width in characters: the title's length when the column's size is smaller
// than it, else the size kept within 10 to 20.
int ColumnWidthChars(std::string_view title, int columnSize);

// Ten pixels a character.
int ColumnWidthPixels(std::string_view title, int columnSize);

}  // namespace zuno

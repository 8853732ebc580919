// The row limit of a query fill, from the Rows To Fetch box.
#pragma once

#include <string_view>

namespace zuno {

// What an empty box stands for.
constexpr int kDefaultRowLimit = 50;

// Leading blanks and tabs skipped, an optional sign, then decimal digits up
// to the first other character; the empty text is 50, any other text 0 (no
// limit). Values beyond the range of int stop at its bounds.
int ParseRowLimit(std::string_view text);

}  // namespace zuno

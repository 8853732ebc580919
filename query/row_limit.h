// The row limit of a query fill, from the Rows To Fetch box.
#pragma once

#include <string_view>

namespace zuno {

// Leading blanks and tabs skipped, an optional sign, then decimal digits up
// to the first other character; any other text is 0 (no limit). Values
// beyond the range of int stop at its bounds.
int ParseRowLimit(std::string_view text);

}  // namespace zuno

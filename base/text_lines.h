// Text files are read as lines ended by LF, CR LF or a lone CR.
#pragma once

#include <string_view>
#include <vector>

namespace zuno {

// The lines of a text; the line ends are not part of them, and a last line
// without an end still counts.
std::vector<std::string_view> SplitLines(std::string_view text);

}  // namespace zuno

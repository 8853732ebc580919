// The text of a report file: an optional title line, then one line per grid row.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "grid/result_rows.h"

namespace zuno {

// Each line holds, for every column (one a title), the text followed by the
// delimiter, and ends with a line feed; nothing is quoted, escaped or
// trimmed. A missing cell counts as empty and cells past the last title are
// left out; rows but no columns give one bare line feed per row.
std::string BuildReportText(const std::vector<std::string>& titles, const ResultRows& rows,
                            std::string_view delimiter, bool withHeader);

}  // namespace zuno

// The text of a report file: an optional title line, then one line per grid row.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zuno {

// What the grid shows, copied out of it.
struct ReportTable {
  std::vector<std::string> titles;             // one per column, left to right
  std::vector<std::vector<std::string>> rows;  // grid order; a missing cell counts as empty
};

// Each line holds, for every column, the text followed by the delimiter, and
// ends with a line feed; nothing is quoted, escaped or trimmed. A table with
// rows but no columns gives one bare line feed per row.
std::string BuildReportText(const ReportTable& table, std::string_view delimiter, bool withHeader);

}  // namespace zuno

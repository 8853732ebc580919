#include "tools/report_lines.h"

#include <algorithm>

namespace zuno {

std::string BuildReportText(const std::vector<std::string>& titles, const ResultRows& rows,
                            std::string_view delimiter, bool withHeader) {
  const std::size_t columns = titles.size();
  const std::size_t lineEnds = columns * delimiter.size() + 1;

  // Sized once up front: a grid of a hundred thousand rows is one allocation.
  // The rows' texts may include cells past the last column: at most too much.
  std::size_t total = rows.TextBytes() + rows.RowCount() * lineEnds;
  if (withHeader) {
    total += lineEnds;
    for (const std::string& title : titles) total += title.size();
  }

  std::string text;
  text.reserve(total);
  if (withHeader) {
    for (const std::string& title : titles) {
      text += title;
      text += delimiter;
    }
    text += '\n';
  }
  for (std::size_t r = 0; r < rows.RowCount(); ++r) {
    for (std::size_t c = 0; c < columns; ++c) {
      text += rows.Cell(r, c);
      text += delimiter;
    }
    text += '\n';
  }
  return text;
}

}  // namespace zuno

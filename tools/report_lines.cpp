#include "tools/report_lines.h"

namespace zuno {
namespace {

const std::string& CellOrEmpty(const std::vector<std::string>& cells, size_t column) {
  static const std::string kEmpty;
  return column < cells.size() ? cells[column] : kEmpty;
}

size_t LineSize(const std::vector<std::string>& cells, size_t columns, size_t delimiterSize) {
  size_t size = columns * delimiterSize + 1;
  for (size_t c = 0; c < columns; ++c) size += CellOrEmpty(cells, c).size();
  return size;
}

void AppendLine(std::string& out, const std::vector<std::string>& cells, size_t columns,
                std::string_view delimiter) {
  for (size_t c = 0; c < columns; ++c) {
    out += CellOrEmpty(cells, c);
    out += delimiter;
  }
  out += '\n';
}

}  // namespace

std::string BuildReportText(const ReportTable& table, std::string_view delimiter, bool withHeader) {
  const size_t columns = table.titles.size();

  // Sized once up front: a grid of a hundred thousand rows is one allocation.
  size_t total = withHeader ? LineSize(table.titles, columns, delimiter.size()) : 0;
  for (const auto& row : table.rows) total += LineSize(row, columns, delimiter.size());

  std::string text;
  text.reserve(total);
  if (withHeader) AppendLine(text, table.titles, columns, delimiter);
  for (const auto& row : table.rows) AppendLine(text, row, columns, delimiter);
  return text;
}

}  // namespace zuno

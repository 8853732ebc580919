#include "tools/report_lines.h"

#include <algorithm>

#include "grid/cell_text.h"

namespace zuno {
namespace {

void AppendCsvField(std::string& out, std::string_view field, std::string_view delimiter) {
  const bool quoted = field.find_first_of("\"\r\n") != std::string_view::npos ||
                      field.find(delimiter) != std::string_view::npos;
  if (!quoted) {
    out += field;
    return;
  }
  out += '"';
  for (char c : field) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

// A cell's field: empty for NULL, hex digits for a binary value, the text
// shown for a value never fetched whole.
void AppendCsvCell(std::string& out, const ResultRows& rows, std::size_t r, std::size_t c, ValueType type,
                   std::string_view delimiter) {
  if (rows.IsNull(r, c)) return;
  const CellValue value = rows.Value(r, c);
  switch (value.kind) {
    case ValueKind::Binary:
      out += HexDigits(value.bytes);
      return;
    case ValueKind::Unread:
      return AppendCsvField(out, rows.Cell(r, c), delimiter);
    case ValueKind::Text:
      return AppendCsvField(out, type == ValueType::Number ? Unpadded(value.bytes) : value.bytes, delimiter);
  }
}

}  // namespace

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

std::string BuildCsvText(const std::vector<std::string>& titles, const std::vector<ValueType>& types,
                         const ResultRows& rows, std::string_view delimiter, bool withHeader) {
  if (delimiter.empty()) delimiter = ",";
  std::string text;
  text.reserve(rows.TextBytes() + rows.RowCount() * (titles.size() * delimiter.size() + 2));
  if (withHeader) {
    for (std::size_t c = 0; c < titles.size(); ++c) {
      if (c > 0) text += delimiter;
      AppendCsvField(text, titles[c], delimiter);
    }
    text += "\r\n";
  }
  for (std::size_t r = 0; r < rows.RowCount(); ++r) {
    for (std::size_t c = 0; c < titles.size(); ++c) {
      if (c > 0) text += delimiter;
      AppendCsvCell(text, rows, r, c, c < types.size() ? types[c] : ValueType::Unknown, delimiter);
    }
    text += "\r\n";
  }
  return text;
}

}  // namespace zuno

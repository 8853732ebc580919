// The text of a report file: an optional title line, then one line per grid row.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/text_file.h"
#include "grid/result_grid.h"

namespace zuno {

// Each line holds, for every column (one a title), the text followed by the
// delimiter, and ends with a line feed; nothing is quoted, escaped or
// trimmed. A missing cell counts as empty and cells past the last title are
// left out; rows but no columns give one bare line feed per row.
// The text goes to write in pieces of a quarter of a megabyte, so a report
// is never held whole; false as soon as write gives false.
bool WriteReportText(const std::vector<std::string>& titles, const ResultRows& rows, std::string_view delimiter,
                     bool withHeader, const TextSink& write);
std::string BuildReportText(const std::vector<std::string>& titles, const ResultRows& rows,
                            std::string_view delimiter, bool withHeader);

// The text of a CSV file (RFC 4180) from the values as fetched: the fields
// of a line joined by the delimiter (a comma where it is empty), each line
// ended by CR LF. A field that is empty or holds the delimiter, a double
// quote, a CR or a LF is put in double quotes with its double quotes
// doubled; NULL is the empty field, a binary value its hex digits, a number
// without the blanks that align it in the grid. types gives each column's
// value type. A value not fetched whole has no field to stand in: callers
// look for one first (FirstUnreadValue).
bool WriteCsvText(const std::vector<std::string>& titles, const std::vector<ValueType>& types,
                  const ResultRows& rows, std::string_view delimiter, bool withHeader, const TextSink& write);
std::string BuildCsvText(const std::vector<std::string>& titles, const std::vector<ValueType>& types,
                         const ResultRows& rows, std::string_view delimiter, bool withHeader);

struct CellPlace {
  std::size_t row = 0;
  std::size_t column = 0;
};
// The first cell, row by row, of the first columns whose value was not
// fetched whole (too large to keep, or unreadable); nullopt for none.
std::optional<CellPlace> FirstUnreadValue(const ResultRows& rows, std::size_t columns);

}  // namespace zuno

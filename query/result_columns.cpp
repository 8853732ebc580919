#include "query/result_columns.h"

#include "query/column_width.h"

namespace zuno {

std::vector<ResultColumn> ReadResultColumns(OdbcLayer& db) {
  std::vector<ResultColumn> columns;
  const int count = db.ColumnCount();
  for (int c = 0; c < count; ++c) {
    int size = db.ColumnSize(c);
    columns.push_back({db.ColumnName(c), size});
  }
  return columns;
}

void AddResultColumns(ResultGrid& grid, const std::vector<ResultColumn>& columns) {
  for (size_t c = 0; c < columns.size(); ++c)
    grid.AddColumn(static_cast<int>(c), columns[c].title, ColumnWidthPixels(columns[c].title, columns[c].size));
}

void AppendRows(ResultGrid& grid, const std::vector<std::vector<std::string>>& rows) {
  for (const std::vector<std::string>& row : rows) grid.AppendRow(row);
}

}  // namespace zuno

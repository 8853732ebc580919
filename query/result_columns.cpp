#include "query/result_columns.h"

#include "query/column_width.h"

namespace zuno {

std::vector<ResultColumn> ReadResultColumns(OdbcLayer& db) {
  std::vector<ResultColumn> columns;
  const int count = db.ColumnCount();
  for (int c = 0; c < count; ++c) {
    OdbcLayer::ColumnDescription d = db.DescribeColumn(c);
    columns.push_back({std::move(d.name), d.size, d.kind});
  }
  return columns;
}

void AddResultColumns(ResultGrid& grid, const std::vector<ResultColumn>& columns) {
  for (size_t c = 0; c < columns.size(); ++c)
    grid.AddColumn(static_cast<int>(c), columns[c].title, ColumnWidthPixels(columns[c].title, columns[c].size));
}

}  // namespace zuno

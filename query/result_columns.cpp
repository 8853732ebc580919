#include "query/result_columns.h"

#include "query/column_width.h"

namespace zuno {

int AddResultColumns(OdbcLayer& db, ResultGrid& grid) {
  const int columns = db.ColumnCount();
  for (int c = 0; c < columns; ++c) {
    int size = db.ColumnSize(c);
    std::string title = db.ColumnName(c);
    grid.AddColumn(c, title, ColumnWidthPixels(title, size));
  }
  return columns;
}

}  // namespace zuno

#pragma once

#include <string>
#include <vector>

#include "db/odbc_layer.h"
#include "grid/result_grid.h"

namespace zuno {

struct ResultColumn {
  std::string title;  // the label the driver reports
  int size = 0;       // the column size the driver reports
  ColumnKind kind = ColumnKind::None;
};

// A value that was NULL, by its place in the fetched rows.
struct NullCell {
  int row = 0;
  int column = 0;
};

// The current result's columns, described once each.
std::vector<ResultColumn> ReadResultColumns(OdbcLayer& db);

// One grid column per result column, titled by its label, as wide as the
// label or its size allows (10 to 20 characters of 10 pixels), and typed as
// numbers or texts by how its values are read. The query results and the
// catalog lists share this rule.
void AddResultColumns(ResultGrid& grid, const std::vector<ResultColumn>& columns);

// Appends the rows in order and marks the cells that were NULL.
void AppendRows(ResultGrid& grid, const std::vector<std::vector<std::string>>& rows,
                const std::vector<NullCell>& nullCells);

}  // namespace zuno

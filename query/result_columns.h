#pragma once

#include <string>
#include <vector>

#include "db/odbc_layer.h"
#include "db/type_class.h"
#include "grid/result_grid.h"

namespace zuno {

struct ResultColumn {
  std::string title;  // the label the driver reports
  int size = 0;       // the column size the driver reports
  ColumnKind kind = ColumnKind::None;
  int sqlType = 0;    // the driver's type code
};

// The current result's columns, described once each for the whole result.
std::vector<ResultColumn> ReadResultColumns(OdbcLayer& db);

// One grid column per result column, titled by its label, as wide as the
// label or its size allows (10 to 20 characters of 10 pixels), and typed as
// numbers or texts by how its values are read. The query results and the
// catalog lists share this rule. A column's values sort by how they are
// read and, for a text column, by the Type Class its rows gave it (none for
// a list read as texts alone).
void AddResultColumns(ResultGrid& grid, const std::vector<ResultColumn>& columns,
                      const std::vector<TypeClass>& classes = {});

// How the values of a column read by kind, of the class, compare.
ValueOrder ValueOrderOf(ColumnKind kind, int size, TypeClass typeClass);

}  // namespace zuno

#pragma once

#include "db/odbc_layer.h"
#include "grid/result_grid.h"

namespace zuno {

// One grid column per result column, titled by its label, as wide as the
// label or its size allows (10 to 20 characters of 10 pixels). The query
// results and the catalog lists share this rule.
int AddResultColumns(OdbcLayer& db, ResultGrid& grid);

}  // namespace zuno

// Which results are fetched in blocks: those whose every value the readers
// can take from a bound array, read as they read it one by one.
#pragma once

#include <vector>

#include "db/odbc_layer.h"
#include "query/result_columns.h"

namespace zuno {

// How the rows' values are read: by their column's kind, as the result grid
// shows them, or each as its text, as the catalog lists show them.
enum class ValuesRead { ByKind, AsText };

// Asks the layer for the current result's rows in blocks of up to limit
// rows (0: no limit) where every column can be bound: none of a long or
// large-object type, none of a binary kind, every text within what one
// element holds. Otherwise, or where the driver cannot, the values are read
// one by one. Call after describing the columns, before the first row.
bool FetchInBlocksWherePossible(OdbcLayer& db, const std::vector<ResultColumn>& columns, int limit,
                                ValuesRead read);

}  // namespace zuno

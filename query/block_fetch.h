// Which columns of a result are fetched in blocks of bound arrays: those
// whose every value the readers can take from an array, read as they read
// it one by one.
#pragma once

#include <vector>

#include "db/odbc_layer.h"
#include "query/result_columns.h"

namespace zuno {

// How the rows' values are read: by their column's kind, as the result grid
// shows them, or each as its text, as the catalog lists show them.
enum class ValuesRead { ByKind, AsText };

// Asks the layer for the current result's rows in blocks of up to limit
// rows (0: no limit), with every column bound that can be: a column of a
// large-object type, of a binary kind or not described is read from the
// driver value by value on its row of the block, in pieces as before, and so
// is a value of a long text type that does not fit a short element.
// Where no column can be bound, or the driver cannot read a value of a
// block, every value is read one by one. Call after describing the columns,
// before the first row.
bool FetchInBlocksWherePossible(OdbcLayer& db, const std::vector<ResultColumn>& columns, int limit,
                                ValuesRead read);

}  // namespace zuno

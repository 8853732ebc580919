// One value of the current row as the result grid shows it, and the Type
// Class it gives its column.
#pragma once

#include <string>

#include "db/odbc_layer.h"
#include "db/type_class.h"

namespace zuno {

// Reads the value of the column by its kind and size; null is what IsNull
// said of it. typeClass holds what the earlier rows left and is updated: a
// NULL in a text column keeps the class an earlier row gave.
std::string ReadCell(OdbcLayer& db, int column, int columnSize, ColumnKind kind, bool null,
                     TypeClass& typeClass);

// Whether ReadCell shows the column's values as numbers (padded digits).
bool ReadsAsNumber(ColumnKind kind, int columnSize);

}  // namespace zuno

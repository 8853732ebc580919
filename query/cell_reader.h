// One value of the current row as the result grid shows it, and the Type
// Class it gives its column.
#pragma once

#include <string>

#include "db/odbc_layer.h"
#include "db/type_class.h"

namespace zuno {

// Reads the value of the column (asking for NULL first) by its kind and
// size. typeClass holds what the earlier rows left and is updated: a NULL in
// a text column keeps the class an earlier row gave.
std::string ReadCell(OdbcLayer& db, int column, int columnSize, ColumnKind kind, TypeClass& typeClass);

}  // namespace zuno

// The key that names one row of a table, as the catalog describes it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "db/database_flavour.h"
#include "db/odbc_layer.h"

namespace zuno {

struct TableKeyRead {
  bool ok = true;
  std::string error;
  std::vector<std::string> columns;  // in key order; none: the table has no such key
};

// The columns of the table's primary key or, without one, of its first
// unique key whose columns are all NOT NULL (a NULL is never equal, so a
// key with a nullable column may not name a row). Only the database is
// touched, so this runs on the worker.
TableKeyRead ReadRowKey(OdbcLayer& db, DatabaseFlavour flavour, std::string_view schema, std::string_view table);

}  // namespace zuno

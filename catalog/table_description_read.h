// A table's description read from the catalog, on the worker.
#pragma once

#include <string>

#include "catalog/object_catalog_sql.h"
#include "catalog/table_ddl.h"
#include "db/odbc_layer.h"

namespace zuno {

struct TableRead {
  bool ok = true;
  std::string error;  // the driver's, when a SELECT failed
  TableDescription table;
};

// The parts of the table whose SELECT is given (an empty text leaves its
// part empty). Only the database is touched, so this runs on the worker.
TableRead ReadTableDescription(OdbcLayer& db, const TableDetailsSql& sql, std::string schema, std::string name);

}  // namespace zuno

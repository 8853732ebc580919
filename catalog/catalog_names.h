// Table, view and column names read from the catalog for the SQL editor's
// completion, with the catalog browser's own SELECTs and flavour rules. The
// names are read on a connection of their own, so a statement the user runs
// meanwhile keeps its statement handle and its result set.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "db/database_flavour.h"
#include "catalog/name_completion.h"

namespace zuno {

// What opens the second connection: plain values taken from the one the user
// made, so the reading needs nothing else of the program.
struct CatalogSource {
  std::string dsn;
  std::string user;
  std::string password;
  DatabaseFlavour flavour = DatabaseFlavour::None;
  bool operator==(const CatalogSource&) const = default;
};

// One table, view or alias of a schema; an alias carries its base table,
// whose columns are the alias's own.
struct CatalogTable {
  std::string name;
  std::string baseSchema;
  std::string baseName;
};

// The columns of one table. An alias is followed to its base table, given
// in base* or found in the tables of its schema read with it.
struct ColumnsOf {
  std::string schema;
  std::string table;
  std::string baseSchema;
  std::string baseTable;
};

struct NameRequest {
  bool schemas = false;               // the names of the schemas that own tables
  std::vector<std::string> tablesOf;  // the tables of these schemas
  std::vector<ColumnsOf> columnsOf;
};

// The tables of one schema, with their names sorted for filtering.
struct SchemaTables {
  std::vector<CatalogTable> tables;
  NameList names;
};

struct NamesRead {
  bool connected = false;
  std::vector<std::string> schemas;
  std::vector<SchemaTables> tables;                // one for each of tablesOf
  std::vector<std::vector<std::string>> columns;   // one for each of columnsOf, in the table's order
};

// Connects to the source, reads what is asked and disconnects. Nothing is
// read without a flavour that names the catalog; a failing statement leaves
// its part empty. stopped, when given, is asked between statements and rows:
// once it answers true the rest is left unread.
NamesRead ReadNames(const CatalogSource& source, const NameRequest& request,
                    const std::function<bool()>& stopped = {});

}  // namespace zuno

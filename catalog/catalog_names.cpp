#include "catalog/catalog_names.h"

#include "catalog/catalog_sql.h"
#include "db/odbc_layer.h"

namespace zuno {
namespace {

// The creator list is not stripped by its SELECT; Db2 pads CHAR creators.
std::string WithoutTrailingBlanks(std::string text) {
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

using Stopped = std::function<bool()>;

bool Asked(const Stopped& stopped) { return stopped && stopped(); }

// The first column of every row.
std::vector<std::string> FirstColumn(OdbcLayer& db, const std::string& sql, const Stopped& stopped) {
  std::vector<std::string> values;
  if (sql.empty() || Asked(stopped) || !db.ExecuteQuery(sql)) return values;
  std::string value;
  while (!Asked(stopped) && db.NextRow())
    if (db.ReadText(0, value)) values.push_back(WithoutTrailingBlanks(value));
  db.FinishQuery();
  return values;
}

// The table list's columns by position: 1 tabname, 2 type, 5 base_schema,
// 6 base_name, read in rising order as every driver allows. Only an alias's
// base table is read: on a large catalog that halves the values fetched.
std::vector<CatalogTable> Tables(OdbcLayer& db, DatabaseFlavour flavour, const std::string& schema,
                                 const Stopped& stopped) {
  std::vector<CatalogTable> tables;
  std::string sql = LastCreatorListSql(flavour, schema);
  if (sql.empty() || Asked(stopped) || !db.ExecuteQuery(sql)) return tables;
  std::string type, baseSchema, baseName;
  while (!Asked(stopped) && db.NextRow()) {
    CatalogTable t;
    db.ReadText(1, t.name);
    db.ReadText(2, type);
    if (type == "A" && db.ReadText(5, baseSchema) && db.ReadText(6, baseName)) {
      t.baseSchema = WithoutTrailingBlanks(baseSchema);
      t.baseName = WithoutTrailingBlanks(baseName);
    }
    tables.push_back(std::move(t));
  }
  db.FinishQuery();
  return tables;
}

std::vector<std::string> TableNames(const std::vector<CatalogTable>& tables) {
  std::vector<std::string> names;
  names.reserve(tables.size());
  for (const CatalogTable& t : tables) names.push_back(t.name);
  return names;
}

// The table whose columns are read: an alias's base table.
ColumnsOf Based(ColumnsOf c, const NameRequest& request, const NamesRead& read) {
  if (!c.baseTable.empty()) return {c.baseSchema, c.baseTable, "", ""};
  for (std::size_t k = 0; k < request.tablesOf.size() && k < read.tables.size(); ++k) {
    if (request.tablesOf[k] != c.schema) continue;
    for (const CatalogTable& t : read.tables[k].tables)
      if (t.name == c.table && !t.baseName.empty()) return {t.baseSchema, t.baseName, "", ""};
  }
  return c;
}

}  // namespace

NamesRead ReadNames(const CatalogSource& source, const NameRequest& request, const Stopped& stopped) {
  NamesRead read;
  OdbcLayer db;
  if (source.flavour == DatabaseFlavour::None || Asked(stopped)) return read;
  if (!db.OpenEnvironment() || !db.Connect(source.dsn, source.user, source.password)) return read;
  read.connected = true;
  if (request.schemas) read.schemas = FirstColumn(db, CreatorsListSql(), stopped);
  for (const std::string& schema : request.tablesOf) {
    if (Asked(stopped)) break;
    std::vector<CatalogTable> tables = Tables(db, source.flavour, schema, stopped);
    NameList names(TableNames(tables));
    read.tables.push_back({std::move(tables), std::move(names)});
  }
  for (const ColumnsOf& c : request.columnsOf) {
    if (Asked(stopped)) break;
    const ColumnsOf table = Based(c, request, read);
    read.columns.push_back(FirstColumn(db, ColumnQuerySql(table.schema, table.table), stopped));
  }
  db.CloseConnection();
  return read;
}

}  // namespace zuno

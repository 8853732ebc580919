#include "catalog/table_key.h"

#include <algorithm>
#include <utility>

#include "catalog/table_description_read.h"

namespace zuno {

TableKeyRead ReadRowKey(OdbcLayer& db, DatabaseFlavour flavour, std::string_view schema, std::string_view table) {
  TableDetailsSql sql = TableDetailsQueries(flavour, schema, table);
  sql.checks.clear();
  sql.indexes.clear();
  sql.foreignKeys.clear();
  TableRead read = ReadTableDescription(db, sql, std::string(schema), std::string(table));
  TableKeyRead key{read.ok, std::move(read.error), {}};
  const std::vector<TableColumn>& columns = read.table.columns;
  auto notNull = [&](const std::string& name) {
    return std::any_of(columns.begin(), columns.end(),
                       [&](const TableColumn& c) { return c.name == name && !c.nullable; });
  };
  const std::vector<TableKey>& keys = read.table.keys;
  auto chosen = std::find_if(keys.begin(), keys.end(), [](const TableKey& k) { return k.type == 'P'; });
  if (chosen == keys.end())
    chosen = std::find_if(keys.begin(), keys.end(), [&](const TableKey& k) {
      return std::all_of(k.columns.begin(), k.columns.end(), notNull);
    });
  if (chosen != keys.end()) key.columns = chosen->columns;
  return key;
}

}  // namespace zuno

// A table as the catalog describes it (columns, keys, checks, indexes and
// the foreign keys that lead from and to it), and the DDL that makes it
// again: what the Table Details list shows and takes out.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zuno {

struct TableColumn {
  std::string name;
  std::string type;  // the catalog's type name: INTEGER, VARCHAR, TIMESTMP, ...
  long length = 0;
  long scale = 0;
  bool nullable = true;
  std::optional<std::string> defaultValue;  // the default as the catalog writes it; none without one
};

// A primary key ('P') or unique key ('U'), its columns in key order.
struct TableKey {
  std::string name;
  char type = 'U';
  std::vector<std::string> columns;
};

struct TableCheck {
  std::string name;
  std::string condition;
};

struct IndexColumn {
  std::string name;
  char order = 'A';  // A ascending, D descending, R random, I (or blank) an INCLUDE column
};

struct TableIndex {
  std::string schema;
  std::string name;
  char uniqueRule = 'D';  // D duplicates allowed, N unique where not null, any other unique
  std::vector<IndexColumn> columns;
};

struct ForeignKey {
  std::string name;
  std::string childSchema, childTable;
  std::string parentSchema, parentTable;
  std::vector<std::string> childColumns;
  std::vector<std::string> parentColumns;  // empty where the catalog does not name them
  char deleteRule = 'A';                   // A no action, C cascade, N set null, R restrict
  char updateRule = 'A';                   // A no action, R restrict
};

struct TableDescription {
  std::string schema;
  std::string name;
  std::vector<TableColumn> columns;
  std::vector<TableKey> keys;
  std::vector<TableCheck> checks;
  std::vector<TableIndex> indexes;
  std::vector<ForeignKey> foreignKeys;  // this table's, and other tables' that refer to it
};

// The column's data type as CREATE TABLE writes it: VARCHAR(40),
// DECIMAL(9,2), TIMESTAMP(6), DOUBLE for an eight-byte FLOAT, ...
std::string ColumnTypeText(const TableColumn& column);

// "(A, B)" of the names as Db2 reads them back.
std::string NameList(const std::vector<std::string>& names);

// What a row of the details shows for a key, an index or a foreign key.
std::string IndexColumnsText(const TableIndex& index);
std::string ForeignKeyText(const ForeignKey& key);

// CREATE TABLE with the columns, keys, checks and this table's foreign keys,
// then CREATE INDEX for each index no key makes itself; each statement ends
// with ";" and a blank line stands between them.
std::string TableDdl(const TableDescription& table);

}  // namespace zuno

#include "catalog/table_description_read.h"

#include <cstdlib>
#include <optional>
#include <utility>
#include <vector>

namespace zuno {
namespace {

using Row = std::vector<std::optional<std::string>>;

std::string Text(const Row& row, std::size_t c) { return c < row.size() && row[c] ? *row[c] : std::string(); }
long Number(const Row& row, std::size_t c) { return std::strtol(Text(row, c).c_str(), nullptr, 10); }
char Code(const Row& row, std::size_t c) {
  const std::string t = Text(row, c);
  return t.empty() ? ' ' : t[0];
}

// Every row of one catalog SELECT, each value as text or none for NULL.
bool ReadRows(OdbcLayer& db, const std::string& sql, std::vector<Row>& rows, std::string& error) {
  if (!db.ExecuteQuery(sql)) {
    error = db.LastError();
    return false;
  }
  const int columns = db.ColumnCount();
  std::string value;
  while (db.NextRow()) {
    Row row;
    for (int c = 0; c < columns; ++c) row.push_back(db.ReadText(c, value) ? std::optional(value) : std::nullopt);
    rows.push_back(std::move(row));
  }
  const bool ended = db.LastFetchEnd() == OdbcLayer::FetchEnd::EndOfRows;
  if (!ended) error = db.LastError();
  db.FinishQuery();
  return ended;
}

void TakeColumns(const std::vector<Row>& rows, TableDescription& t) {
  for (const Row& r : rows)
    t.columns.push_back({Text(r, 0), Text(r, 1), Number(r, 2), Number(r, 3), Text(r, 4) != "N",
                         r.size() > 5 ? r[5] : std::nullopt});
}

// The rows of one key stand together, in key order.
void TakeKeys(const std::vector<Row>& rows, TableDescription& t) {
  for (const Row& r : rows) {
    if (t.keys.empty() || t.keys.back().name != Text(r, 0)) t.keys.push_back({Text(r, 0), Code(r, 1), {}});
    t.keys.back().columns.push_back(Text(r, 2));
  }
}

void TakeChecks(const std::vector<Row>& rows, TableDescription& t) {
  for (const Row& r : rows) t.checks.push_back({Text(r, 0), Text(r, 1)});
}

void TakeIndexes(const std::vector<Row>& rows, TableDescription& t) {
  for (const Row& r : rows) {
    if (t.indexes.empty() || t.indexes.back().schema != Text(r, 0) || t.indexes.back().name != Text(r, 1))
      t.indexes.push_back({Text(r, 0), Text(r, 1), Code(r, 2), {}});
    t.indexes.back().columns.push_back({Text(r, 3), Code(r, 4)});
  }
}

void TakeForeignKeys(const std::vector<Row>& rows, TableDescription& t) {
  for (const Row& r : rows) {
    if (t.foreignKeys.empty() || t.foreignKeys.back().name != Text(r, 0) ||
        t.foreignKeys.back().childSchema != Text(r, 1) || t.foreignKeys.back().childTable != Text(r, 2)) {
      ForeignKey key;
      key.name = Text(r, 0);
      key.childSchema = Text(r, 1);
      key.childTable = Text(r, 2);
      key.parentSchema = Text(r, 3);
      key.parentTable = Text(r, 4);
      key.deleteRule = Code(r, 5);
      key.updateRule = Code(r, 6);
      t.foreignKeys.push_back(std::move(key));
    }
    t.foreignKeys.back().childColumns.push_back(Text(r, 7));
    if (r.size() > 8 && r[8]) t.foreignKeys.back().parentColumns.push_back(*r[8]);
  }
}

}  // namespace

TableRead ReadTableDescription(OdbcLayer& db, const TableDetailsSql& sql, std::string schema, std::string name) {
  TableRead read;
  read.table.schema = std::move(schema);
  read.table.name = std::move(name);
  const std::pair<const std::string*, void (*)(const std::vector<Row>&, TableDescription&)> parts[] = {
      {&sql.columns, TakeColumns}, {&sql.keys, TakeKeys},           {&sql.checks, TakeChecks},
      {&sql.indexes, TakeIndexes}, {&sql.foreignKeys, TakeForeignKeys},
  };
  for (const auto& [text, take] : parts) {
    if (text->empty()) continue;
    std::vector<Row> rows;
    if (!ReadRows(db, *text, rows, read.error)) {
      read.ok = false;
      return read;
    }
    take(rows, read.table);
  }
  // A key of the parent whose columns the catalog did not give is named
  // without them, which Db2 reads as its primary key; a part of them would
  // name the wrong columns.
  for (ForeignKey& key : read.table.foreignKeys)
    if (key.parentColumns.size() != key.childColumns.size()) key.parentColumns.clear();
  return read;
}


}  // namespace zuno

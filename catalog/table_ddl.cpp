#include "catalog/table_ddl.h"

#include <algorithm>

#include "sql/db2_identifier.h"

namespace zuno {
namespace {

std::string Trimmed(std::string_view text) {
  const auto end = text.find_last_not_of(' ');
  return std::string(end == std::string_view::npos ? std::string_view{} : text.substr(0, end + 1));
}

std::string WithLength(std::string_view type, long length) {
  return std::string(type) + "(" + std::to_string(length) + ")";
}

// LUW writes TIMESTAMP with its scale; zOS before version 10 wrote 10 and 0
// for the six digits that are the default.
std::string TimestampText(const TableColumn& c, std::string_view zone) {
  const bool sixDigits = c.scale == 6 || (c.length == 10 && c.scale == 0);
  return (sixDigits ? std::string("TIMESTAMP") : WithLength("TIMESTAMP", c.scale)) + std::string(zone);
}

std::string QualifiedName(std::string_view schema, std::string_view name) {
  return Db2Name(schema) + "." + Db2Name(name);
}

std::string Named(std::string_view keyword, const std::string& name) {
  return name.empty() ? std::string(keyword) : "CONSTRAINT " + Db2Name(name) + " " + std::string(keyword);
}

std::string ReferencesClause(const ForeignKey& key) {
  std::string text = "REFERENCES " + QualifiedName(key.parentSchema, key.parentTable);
  if (!key.parentColumns.empty()) text += " " + NameList(key.parentColumns);
  switch (key.deleteRule) {
    case 'C': text += " ON DELETE CASCADE"; break;
    case 'N': text += " ON DELETE SET NULL"; break;
    case 'R': text += " ON DELETE RESTRICT"; break;
    default: text += " ON DELETE NO ACTION"; break;
  }
  if (key.updateRule == 'R') text += " ON UPDATE RESTRICT";
  return text;
}

bool IsIncluded(const IndexColumn& c) { return c.order == 'I' || c.order == ' '; }

std::vector<std::string> KeyColumnNames(const TableIndex& index) {
  std::vector<std::string> names;
  for (const IndexColumn& c : index.columns)
    if (!IsIncluded(c)) names.push_back(c.name);
  return names;
}

// A primary or unique key makes its own unique index; writing it again
// would make a second one.
bool MadeByAKey(const TableIndex& index, const std::vector<TableKey>& keys) {
  if (index.uniqueRule == 'D') return false;
  const std::vector<std::string> columns = KeyColumnNames(index);
  return std::any_of(keys.begin(), keys.end(), [&](const TableKey& k) { return k.columns == columns; });
}

bool IsOwn(const ForeignKey& key, const TableDescription& table) {
  return key.childSchema == table.schema && key.childTable == table.name;
}

std::string IndexDdl(const TableDescription& table, const TableIndex& index) {
  const char* unique = index.uniqueRule == 'D' ? "" : index.uniqueRule == 'N' ? "UNIQUE WHERE NOT NULL " : "UNIQUE ";
  return std::string("CREATE ") + unique + "INDEX " + QualifiedName(index.schema, index.name) + " ON " +
         QualifiedName(table.schema, table.name) + " " + IndexColumnsText(index) + ";";
}

}  // namespace

std::string ColumnTypeText(const TableColumn& c) {
  const std::string type = Trimmed(c.type);
  if (type == "CHAR" || type == "CHARACTER") return WithLength("CHAR", c.length);
  if (type == "VARCHAR" || type == "LONGVAR") return WithLength("VARCHAR", c.length);
  if (type == "GRAPHIC") return WithLength("GRAPHIC", c.length);
  if (type == "VARG" || type == "VARGRAPHIC" || type == "LONGVARG") return WithLength("VARGRAPHIC", c.length);
  if (type == "BINARY") return WithLength("BINARY", c.length);
  if (type == "VARBIN" || type == "VARBINARY") return WithLength("VARBINARY", c.length);
  if (type == "CLOB" || type == "BLOB" || type == "DBCLOB") return WithLength(type, c.length);
  if (type == "DECIMAL" || type == "NUMERIC")
    return "DECIMAL(" + std::to_string(c.length) + "," + std::to_string(c.scale) + ")";
  if (type == "FLOAT") return c.length == 4 ? "REAL" : "DOUBLE";
  if (type == "DECFLOAT") return c.length == 8 ? "DECFLOAT(16)" : "DECFLOAT(34)";
  if (type == "TIMESTMP" || type == "TIMESTAMP") return TimestampText(c, "");
  if (type == "TIMESTZ") return TimestampText(c, " WITH TIME ZONE");
  return type;
}

std::string NameList(const std::vector<std::string>& names) {
  std::string list = "(";
  for (const std::string& name : names) list += (list.size() > 1 ? ", " : "") + Db2Name(name);
  return list + ")";
}

std::string IndexColumnsText(const TableIndex& index) {
  std::string keys, included;
  for (const IndexColumn& c : index.columns) {
    std::string& list = IsIncluded(c) ? included : keys;
    if (!list.empty()) list += ", ";
    list += Db2Name(c.name);
    if (!IsIncluded(c)) list += c.order == 'D' ? " DESC" : c.order == 'R' ? " RANDOM" : " ASC";
  }
  return "(" + keys + ")" + (included.empty() ? "" : " INCLUDE (" + included + ")");
}

std::string ForeignKeyText(const ForeignKey& key) {
  return QualifiedName(key.childSchema, key.childTable) + " " + NameList(key.childColumns) + " " +
         ReferencesClause(key);
}

std::string TableDdl(const TableDescription& table) {
  std::vector<std::string> lines;
  for (const TableColumn& c : table.columns) {
    std::string line = Db2Name(c.name) + " " + ColumnTypeText(c);
    if (!c.nullable) line += " NOT NULL";
    if (c.defaultValue) line += " DEFAULT " + *c.defaultValue;
    lines.push_back(std::move(line));
  }
  for (const TableKey& k : table.keys)
    lines.push_back(Named(k.type == 'P' ? "PRIMARY KEY" : "UNIQUE", k.name) + " " + NameList(k.columns));
  for (const TableCheck& c : table.checks) lines.push_back(Named("CHECK", c.name) + " (" + c.condition + ")");
  for (const ForeignKey& f : table.foreignKeys)
    if (IsOwn(f, table))
      lines.push_back(Named("FOREIGN KEY", f.name) + " " + NameList(f.childColumns) + " " + ReferencesClause(f));

  std::string ddl = "CREATE TABLE " + QualifiedName(table.schema, table.name) + " (\n";
  for (std::size_t i = 0; i < lines.size(); ++i) ddl += "  " + lines[i] + (i + 1 < lines.size() ? ",\n" : "\n");
  ddl += ");\n";
  for (const TableIndex& index : table.indexes)
    if (!MadeByAKey(index, table.keys)) ddl += "\n" + IndexDdl(table, index) + "\n";
  return ddl;
}

}  // namespace zuno

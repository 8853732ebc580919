// What the SQL editor offers to complete at the cursor: the word being typed,
// whether table or column names fit there, and the names that start with it.
// Plain text in, plain names out; the editor's view only shows the result.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zuno {

// One table named in a statement: [schema.]table [[AS] alias]. Names are as
// Db2 keeps them: unquoted ones in upper case, quoted ones as written.
struct TableReference {
  std::string schema;  // empty when the statement names none
  std::string table;
  std::string alias;   // empty when none is given
};

// The tables a statement names after FROM, JOIN, UPDATE and INTO, with
// their aliases, in order. Strings and comments are skipped.
std::vector<TableReference> FindTableReferences(std::string_view sql);

// A table whose columns fit at the cursor.
struct ColumnSource {
  std::string schema;
  std::string table;
  // How its columns are marked when the statement names several tables:
  // the alias, else the table's name, as written in SQL; empty for one.
  std::string mark;
  bool operator==(const ColumnSource&) const = default;
};

struct CompletionContext {
  enum class Kind {
    None,     // no name fits here
    Tables,   // table and view names of schema (the default schema and the
              // schema names themselves when schema is empty)
    Columns,  // column names of the tables, in the statement's order
  };
  Kind kind = Kind::None;
  std::string schema;
  std::vector<ColumnSource> tables;
  // What is typed of the name so far, as it stands in the text (an opening
  // double quote included): the part a chosen name replaces.
  std::string typed;
};

// Reads the text before the cursor (cursor is a byte offset into sql) and the
// statement at the cursor for its tables and aliases. After FROM, JOIN, INTO
// or UPDATE table names fit; after "SCHEMA." there too; after "TABLE.",
// "ALIAS." or "SCHEMA.TABLE." the columns of that table. Where a column may
// stand (the select list, WHERE, ON, GROUP BY, ORDER BY, HAVING, SET) the
// columns of every table the statement names fit, once a name is being
// typed or when asked (Ctrl+Space). When asked anywhere else, table names
// are offered; typing elsewhere offers nothing. defaultSchema stands for an
// unqualified table.
CompletionContext FindCompletionContext(std::string_view sql, std::size_t cursor, std::string_view defaultSchema,
                                        bool asked);

// Whether the name starts with what is typed, ignoring ASCII case (and an
// opening double quote).
bool StartsWithTyped(std::string_view name, std::string_view typed);

// A large list of names filtered by what is typed: sorted once, each filter
// a binary search, so a catalog of 100,000 tables answers at once.
class NameList {
 public:
  NameList() = default;
  explicit NameList(std::vector<std::string> names);

  // The names that start with typed, ignoring ASCII case (and an opening
  // double quote), in order, at most limit of them.
  std::vector<std::string> StartingWith(std::string_view typed, std::size_t limit) const;
  std::size_t size() const { return names_.size(); }

 private:
  std::vector<std::string> names_;  // sorted by their upper-case keys
  std::vector<std::string> keys_;
};

}  // namespace zuno

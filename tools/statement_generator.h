// The INSERT, UPDATE and DELETE statements built from one grid row.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "grid/result_grid.h"

namespace zuno {

// What a statement is built from: the statement that produced the grid's
// rows (where the table is read), the last drilled table (the fallback),
// the Column List and the selected row's values as fetched, one per title.
// A title without a value gets the empty text. What the grid knew of the
// row comes beside it: each column's value type (missing: Unknown), which
// cells were NULL (missing: not NULL) and what each value is (missing: a
// text). The columns of the table's key, as the catalog names them, come
// last (none: no key is known).
struct GeneratorInput {
  std::string statementText;
  std::string drilledSchema;
  std::string drilledName;
  std::vector<std::string> titles;
  std::vector<std::string> values;
  std::vector<ValueType> types = {};
  std::vector<bool> nulls = {};
  std::vector<ValueKind> kinds = {};
  std::vector<std::string> keyColumns = {};
};

struct TargetTable {
  std::string name;
  bool fromText = false;  // false: the drilled table was taken
};

// The table the statement reads, as the lexer sees it: after its first FROM
// outside parentheses, strings, delimited names and comments, the name up to
// white space, a comment, ";", "," or ")" (a delimited name stays whole, so
// "Order Lines" in double quotes is one name), as written: Db2 folds it as
// it did when the statement ran. With no such FROM, or nothing after it,
// the drilled table schema + "." + name, each as a Db2Name.
TargetTable FindTargetTable(std::string_view statementText, std::string_view drilledSchema,
                            std::string_view drilledName);

// The target table's schema and name as the catalog keeps them: an
// undelimited name folded to upper case, a delimited one as it stands
// between its quotes. A name without a schema takes the drilled table's
// schema when it names the drilled table; otherwise, and for a name of
// more than two parts or none, there is none.
struct CatalogTableName {
  std::string schema;
  std::string name;
};
std::optional<CatalogTableName> TargetCatalogName(const GeneratorInput& input);

// Digits with an optional sign, at most one "." between digits, and an
// optional exponent E or e with an optional sign and digits; blanks and tabs
// at both ends do not count.
bool IsDecimalNumber(std::string_view text);

// A NULL cell gives NULL: one the grid knows was NULL or, in a column it
// knows nothing of, one that reads "Null" (blanks and tabs around it
// ignored). A decimal number stays as it is (surrounding blanks included)
// unless its column holds texts; anything else is quoted with its
// apostrophes doubled. A binary value is a hex literal, X'...' or, in a
// large-object column, BLOB(X'...').
std::string ValueForm(std::string_view value, ValueType type = ValueType::Unknown, bool null = false,
                      ValueKind kind = ValueKind::Text);

// A statement for the editor, or why none was written.
struct GeneratedStatement {
  std::string text;     // empty when refused
  std::string refusal;  // the message that says why; empty when written
};

// A value whose bytes were never fetched whole cannot be written as a value:
// INSERT and UPDATE refuse such a row. The WHERE of UPDATE and DELETE leaves
// out what Db2 cannot compare with "=" (large objects, XML, a value not
// fetched whole; their NULLs stay as IS NULL), each named in a comment line
// above the statement; with no term left they refuse, as the statement
// would touch every row. When the row holds every column of the table's key,
// each with a value that is not NULL, the WHERE compares those alone. Names
// from the database are written as Db2Names.
GeneratedStatement GenerateInsert(const GeneratorInput& input);
GeneratedStatement GenerateUpdate(const GeneratorInput& input);
GeneratedStatement GenerateDelete(const GeneratorInput& input);

}  // namespace zuno

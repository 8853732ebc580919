// The INSERT, UPDATE and DELETE statements built from one grid row.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "grid/result_grid.h"

namespace zuno {

// What a statement is built from: the SQL editor's text (where the table is
// looked for), the last drilled table (the fallback), the Column List and the
// selected row's values as fetched, one per title. A title without a value
// gets the empty text. What the grid knew of the row comes beside it: each
// column's value type (missing: Unknown), which cells were NULL (missing:
// not NULL) and what each value is (missing: a text).
struct GeneratorInput {
  std::string editorText;
  std::string drilledSchema;
  std::string drilledName;
  std::vector<std::string> titles;
  std::vector<std::string> values;
  std::vector<ValueType> types = {};
  std::vector<bool> nulls = {};
  std::vector<ValueKind> kinds = {};
};

struct TargetTable {
  std::string name;
  bool fromText = false;  // false: the drilled table was taken
};

// The word after the first "from" of the text, in any letter case, standing
// as a word between white space; the name runs to the next white space, as
// written (Db2 folds it as it did when the user typed it). With no such
// "from", or nothing after it, the drilled table schema + "." + name, each
// as a Db2Name.
TargetTable FindTargetTable(std::string_view editorText, std::string_view drilledSchema,
                            std::string_view drilledName);

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

// A value whose bytes were never fetched (too large, or unreadable) cannot be
// written: its column is left out of the statement, which says so in a
// comment line above it. Names from the database are written as Db2Names.
std::string GenerateInsert(const GeneratorInput& input);
std::string GenerateUpdate(const GeneratorInput& input);
std::string GenerateDelete(const GeneratorInput& input);

}  // namespace zuno

// The INSERT, UPDATE and DELETE statements built from one grid row.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zuno {

// What a statement is built from: the SQL editor's text (where the table is
// looked for), the last drilled table (the fallback), the Column List and the
// selected row's raw cell texts, one per title. A title without a value gets
// the empty text.
struct GeneratorInput {
  std::string editorText;
  std::string drilledSchema;
  std::string drilledName;
  std::vector<std::string> titles;
  std::vector<std::string> values;
};

struct TargetTable {
  std::string name;
  bool fromText = false;  // false: the drilled table was taken
};

// The word after the first "from" of the text, in any letter case, standing
// as a word between white space; the name runs to the next white space. With
// no such "from", or nothing after it, the drilled table schema + "." + name.
TargetTable FindTargetTable(std::string_view editorText, std::string_view drilledSchema,
                            std::string_view drilledName);

// Digits with an optional sign, at most one "." between digits, and an
// optional exponent E or e with an optional sign and digits; blanks and tabs
// at both ends do not count.
bool IsDecimalNumber(std::string_view text);

// "Null" gives NULL, a decimal number stays as it is (surrounding blanks
// included), anything else is quoted with its apostrophes doubled.
std::string ValueForm(std::string_view cellText);

std::string GenerateInsert(const GeneratorInput& input);
std::string GenerateUpdate(const GeneratorInput& input);
std::string GenerateDelete(const GeneratorInput& input);

}  // namespace zuno

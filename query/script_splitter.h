// A Db2 script cut into its statements, as the Db2 command line processor
// reads a file: ";" ends a statement unless a line "--#SET TERMINATOR x"
// chose another terminator; terminators inside strings, delimited names and
// comments do not count; with ";" a compound body (BEGIN ... END with its
// nested IF, CASE, LOOP, WHILE, REPEAT and FOR) ends only at the ";" after
// its outermost END.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zuno {

struct ScriptStatement {
  std::string text;        // from its first token to its last, without the terminator
  std::size_t begin = 0;   // byte offsets of that text in the script
  std::size_t end = 0;
  int line = 1;            // where it starts, from 1; a column counts characters
  int column = 1;
  bool operator==(const ScriptStatement&) const = default;
};

// The statements in order. Comments and blanks before a statement are not
// part of it; statements with nothing but those are skipped; the last one
// needs no terminator.
std::vector<ScriptStatement> SplitScript(std::string_view script);

// The index of the statement the cursor (a byte offset) is in: the last one
// that starts at or before it, else the first; 0 for an empty list.
std::size_t StatementAt(const std::vector<ScriptStatement>& statements, std::size_t cursor);

// The line, from 1, that the byte at offset stands on.
int LineAt(std::string_view text, std::size_t offset);

}  // namespace zuno

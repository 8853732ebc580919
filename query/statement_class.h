// Which way a prepared statement runs: rows to show, or a change to report.
#pragma once

#include <string>
#include <string_view>

namespace zuno {

enum class StatementPath {
  ResultSet,  // SELECT, WITH, CALL: columns and rows go to the grid
  Update,     // anything else: the affected-row count is reported
};

// The statement's first word in upper case, as the lexer reads it: blanks
// and comments before it skipped, ended by anything that is no name
// character ("select*from t" begins with SELECT); empty when the statement
// begins with something else or holds nothing.
std::string FirstWord(std::string_view text);

StatementPath ClassifyStatement(std::string_view text);

}  // namespace zuno

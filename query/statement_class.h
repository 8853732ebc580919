// Which way a prepared statement runs: rows to show, or a change to report.
#pragma once

#include <string>
#include <string_view>

namespace zuno {

enum class StatementPath {
  ResultSet,  // SELECT, WITH, CALL: columns and rows go to the grid
  Update,     // anything else: the affected-row count is reported
};

// The first word in upper case: leading white space skipped, ended by the
// next space, tab, carriage return or line feed; empty for a blank text.
std::string FirstWord(std::string_view text);

StatementPath ClassifyStatement(std::string_view text);

}  // namespace zuno

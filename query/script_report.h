// What each statement of a script did, as the report in the Result Grid
// shows it: one row per statement.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zuno {

struct StatementOutcome {
  enum class State { NotRun, Ok, Failed };
  State state = State::NotRun;
  long long rows = 0;  // fetched, over every result set, or affected
  std::int64_t milliseconds = 0;
  std::string message;  // the driver's, when it failed
};

// The report's column titles, left to right.
std::vector<std::string> ScriptReportTitles();

// Number, line, the statement's first line, rows, seconds, and "ok", the
// driver's message ("failed" when it left none) or "not run".
std::vector<std::string> ScriptReportRow(int number, int line, std::string_view statement, const StatementOutcome& o);

// The message of the statement that stopped the script.
std::string ScriptFailureText(int number, int line, std::string_view message);

// The same with autocommit off, where statements before it changed things:
// they are not committed, and the user is asked to roll them back or commit.
std::string UncommittedAfterFailureText(std::string_view failure, int pending);

}  // namespace zuno

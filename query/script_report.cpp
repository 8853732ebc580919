#include "query/script_report.h"

#include "grid/cell_text.h"
#include "session/transaction_state.h"

namespace zuno {

std::vector<std::string> ScriptReportTitles() { return {"No.", "Line", "Statement", "Rows", "Seconds", "Result"}; }

std::vector<std::string> ScriptReportRow(int number, int line, std::string_view statement, const StatementOutcome& o) {
  std::vector<std::string> row = {std::to_string(number), std::to_string(line),
                                  std::string(statement.substr(0, statement.find_first_of("\r\n")))};
  if (o.state == StatementOutcome::State::NotRun) {
    row.insert(row.end(), {"", "", "not run"});
    return row;
  }
  row.push_back(o.state == StatementOutcome::State::Ok ? std::to_string(o.rows) : "");
  row.push_back(DoubleText(static_cast<double>(o.milliseconds) / 1000.0));
  if (o.state == StatementOutcome::State::Ok) row.push_back("ok");
  else row.push_back(o.message.empty() ? "failed" : MarkLineFeeds(o.message));
  return row;
}

std::string ScriptFailureText(int number, int line, std::string_view message) {
  return "Statement " + std::to_string(number) + " (line " + std::to_string(line) + ") failed:\n" +
         std::string(message);
}

std::string UncommittedAfterFailureText(std::string_view failure, int pending) {
  return std::string(failure) + "\n\nAutocommit is off: the statements before it are not committed (" +
         StatementsText(pending) + " uncommitted in all). Roll them back, or commit them?";
}

}  // namespace zuno

#include "query/run_statement.h"

#include "base/clock.h"
#include "query/call_statement.h"
#include "query/comment_removal.h"
#include "query/db2_command_runner.h"
#include "query/elapsed_time.h"
#include "query/statement_class.h"
#include "query/transaction_end.h"
#include "query/transaction_statement.h"
#include "query/variable_scan.h"
#include "session/page_switch.h"

namespace zuno {

void RunStatement(Session& s) { RunStatementText(s, s.ui.Text(kSqlEditor)); }

void ClearQueryResult(Session& s) {
  OpenRunPage(s).mode = GridMode::Query;
  s.ui.CloseNotes();  // they told of the result before
  s.grid.ClearRows();
  s.grid.RemoveAllColumns();
}

void RunStatementText(Session& s, std::string text) {
  ClearQueryResult(s);
  if (s.ui.IsChecked(kDb2CommandCheckBox)) {
    RunDb2Command(s);
    return;
  }

  std::optional<std::string> statement = FillVariables(PrepareStatementText(text).text, [&s](std::string_view name) {
    return s.ui.AskText("ZUNO", VariablePrompt(name), "").value_or("");
  });
  if (!statement) return ShowGivenUpRun(s);  // an empty answer: nothing runs

  s.state.startTime = NowMilliseconds();
  if (const auto end = ReadTransactionStatement(*statement)) return RunTransactionStatement(s, *statement, *end);
  StatementPath path = ClassifyStatement(*statement);
  if (path == StatementPath::ResultSet)
    if (std::optional<CallStatement> call = ReadCallStatement(*statement)) return RunCallPath(s, *statement, *call);
  if (path == StatementPath::ResultSet)
    RunResultSetPath(s, *statement);
  else
    RunUpdatePath(s, *statement);
}

}  // namespace zuno

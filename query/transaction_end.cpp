#include "query/transaction_end.h"

#include "base/clock.h"
#include "query/elapsed_time.h"
#include "query/statement_history.h"
#include "query/transaction_statement.h"

namespace zuno {

void ShowTransaction(Session& s) { s.ui.ShowTransaction(s.state.transaction, s.state.connected); }

void NoteStatementRan(Session& s, std::string_view statement, long long affectedRows) {
  const std::int64_t at = s.state.startTime != 0 ? s.state.startTime : NowMilliseconds();
  NoteStatement(s.state.transaction, LeavesWorkToCommit(statement, affectedRows), at);
  ShowTransaction(s);
}

std::string TransactionEndedText(OdbcLayer::TransactionEnd end, int pending) {
  const bool commit = end == OdbcLayer::TransactionEnd::Commit;
  if (pending == 0) return commit ? "Committed: nothing was uncommitted." : "Rolled back: nothing was uncommitted.";
  return (commit ? "Committed: " : "Rolled back: ") + StatementsText(pending) + ".";
}

bool EndTransactionNow(Session& s, OdbcLayer::TransactionEnd end) {
  bool ended = false;
  s.jobs.Run({
      .work = [&, &db = s.db] { ended = db.EndTransaction(end); },
      .apply =
          [&] {
            if (!ended) return s.jobs.Tell(s.db.LastError());
            EndTransaction(s.state.transaction);
            ShowTransaction(s);
          },
  });
  return ended;
}

void RunTransactionStatement(Session& s, const std::string& statement, OdbcLayer::TransactionEnd end) {
  const int pending = s.state.transaction.pending;
  if (!EndTransactionNow(s, end)) return ShowEndedRun(s, RunEnd::Failed);
  s.state.endTime = NowMilliseconds();
  ShowElapsedTime(s);
  s.ui.ShowNote(statement + "\n" + TransactionEndedText(end, pending));
  RememberStatement(s.ui, statement);
}

}  // namespace zuno

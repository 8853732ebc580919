#include "app/transaction_handlers.h"

#include "app/user_options_file.h"
#include "base/clock.h"
#include "query/transaction_end.h"

namespace zuno {
namespace {

using TransactionEnd = OdbcLayer::TransactionEnd;

bool EndAsChosen(Session& s, Ui::TransactionChoice choice) {
  if (choice == Ui::TransactionChoice::Keep) return false;
  return EndTransactionNow(s,
                           choice == Ui::TransactionChoice::Commit ? TransactionEnd::Commit : TransactionEnd::Rollback);
}

void KeepAutocommitOption(Session& s, bool on) {
  if (s.state.userOptionsPath.empty()) return;
  UserOptions options = ReadUserOptions(s.state.userOptionsPath).value_or(UserOptions{});
  options.autocommit = on;
  const std::string problem = WriteUserOptions(s.state.userOptionsPath, options);
  if (!problem.empty()) s.ui.ShowMessage(problem);
}

// Switched on, the driver commits what the transaction holds: with work
// pending the user says first whether it goes or stays.
void OnAutocommitSwitched(Session& s, bool on) {
  TransactionState& t = s.state.transaction;
  if (on == t.autocommit) return ShowTransaction(s);
  if (on && t.Pending()) {
    const Ui::TransactionChoice choice =
        s.ui.AskTransactionEnd(StatementsText(t.pending) +
                                   " uncommitted. Autocommit commits each statement from now on: "
                                   "commit them, or roll them back first?",
                               true);
    if (!EndAsChosen(s, choice)) return ShowTransaction(s);  // the box goes back
  }
  bool set = false;
  s.jobs.Run({
      .work = [&, &db = s.db] { set = db.SetAutocommit(on); },
      .apply =
          [&] {
            if (!set) return s.jobs.Tell(s.db.LastError());
            t.autocommit = on;
            if (on) EndTransaction(t);
          },
  });
  ShowTransaction(s);
  if (set) KeepAutocommitOption(s, on);
}

}  // namespace

void OnTransactionButton(Session& s, TransactionEnd end) { EndTransactionNow(s, end); }

void OnAutocommitCheckBox(Session& s) { OnAutocommitSwitched(s, s.ui.IsChecked(kAutocommitCheckBox)); }

std::string PendingWorkQuestion(ConnectionEnd why, int pending) {
  const std::string work = StatementsText(pending) + (pending == 1 ? " is" : " are") + " uncommitted. ";
  if (why == ConnectionEnd::Connect)
    return work + "Connecting ends the connection they ran on: commit them, or roll them back?";
  return work + "ZUNO ends the connection they ran on: commit them, or roll them back?";
}

bool SettlePendingWork(Session& s, ConnectionEnd why) {
  const TransactionState& t = s.state.transaction;
  if (!t.Pending() || !s.db.Connected()) return true;
  return EndAsChosen(s, s.ui.AskTransactionEnd(PendingWorkQuestion(why, t.pending), true));
}

bool AutorunHeldByTransaction(Session& s) {
  TransactionState& t = s.state.transaction;
  if (!t.Pending()) return false;
  if (!t.toldTimerHeld) {
    t.toldTimerHeld = true;
    s.ui.ShowMessage(kAutorunHeld);
  }
  return true;
}

void NoteTransaction(Session& s) {
  TransactionState& t = s.state.transaction;
  const bool open = s.db.InTransaction();
  if (open && !t.Open()) t.openedAt = NowMilliseconds();
  if (!open && t.Open()) {
    const int lost = s.db.Connected() ? 0 : t.pending;
    EndTransaction(t);
    ShowTransaction(s);
    if (lost > 0)
      s.ui.ShowMessage("The connection is gone, and the uncommitted work with it: the database rolls back " +
                       StatementsText(lost) + ".");
    return;
  }
  ShowTransaction(s);
}

}  // namespace zuno

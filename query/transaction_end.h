// The transaction kept beside the runs: each statement that ran well is
// noted, and a Commit or Rollback ends it through the driver.
#pragma once

#include <string>
#include <string_view>

#include "session/session.h"

namespace zuno {

// The Main Window shows the transaction as the state record holds it.
void ShowTransaction(Session& s);

// A statement that ran well in the transaction, at Start Time: it opens the
// transaction, and counts where it leaves work to commit.
void NoteStatementRan(Session& s, std::string_view statement, long long affectedRows);

// Ends the transaction as one job. True when the driver did: nothing is
// open then. False once the driver's message was shown; the transaction
// stays as it was.
bool EndTransactionNow(Session& s, OdbcLayer::TransactionEnd end);

// A typed COMMIT or ROLLBACK, run as Run runs a change: the driver ends the
// transaction, and the message says what ended.
void RunTransactionStatement(Session& s, const std::string& statement, OdbcLayer::TransactionEnd end);

// "committed" or "rolled back", with what the transaction held.
std::string TransactionEndedText(OdbcLayer::TransactionEnd end, int pending);

}  // namespace zuno

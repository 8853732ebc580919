// The transaction controls of the Main Window, and what keeps uncommitted
// work from being lost or committed without the user knowing: the question
// before the connection goes, the Autorun Timer held, the word when a lost
// connection took it.
#pragma once

#include <string_view>

#include "session/session.h"

namespace zuno {

// The Commit and Rollback buttons.
void OnTransactionButton(Session& s, OdbcLayer::TransactionEnd end);
// The Autocommit check box: switched on with uncommitted work, the user
// says first whether it is committed or rolled back.
void OnAutocommitCheckBox(Session& s);

// Why the connection is about to go.
enum class ConnectionEnd { Connect, Exit };

// With uncommitted work the user says Commit, Roll back or Cancel, and the
// transaction ends so. False when the user cancelled or the driver could not
// end it: the caller stops, and the window and the transaction stay.
bool SettlePendingWork(Session& s, ConnectionEnd why);

// A tick of the Autorun Timer does not run while work is uncommitted: it
// could run a change again and again. The user is told once per transaction.
inline constexpr std::string_view kAutorunHeld =
    "The Autorun Timer does not run while statements are uncommitted: it could run a change again and again. "
    "It runs again after Commit or Rollback.";
bool AutorunHeldByTransaction(Session& s);

// After any handler: the state follows the connection's transaction (a
// query opened one, or it went with the connection, whose uncommitted work
// the user is told is gone), and the window shows it.
void NoteTransaction(Session& s);

// The question before the connection goes with pending statements.
std::string PendingWorkQuestion(ConnectionEnd why, int pending);

}  // namespace zuno

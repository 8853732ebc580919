// The transaction the user works in: whether the driver commits each
// statement (autocommit), how many statements changed something since the
// transaction began, and since when it is open. The run paths keep it; the
// window shows it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zuno {

struct TransactionState {
  bool autocommit = true;
  int pending = 0;  // statements that changed rows or objects, not committed
  // Milliseconds (base/clock.h) at the first statement of the open
  // transaction, a query too; 0 while none is open.
  std::int64_t openedAt = 0;
  // The user was told that the Autorun Timer waits for this transaction.
  bool toldTimerHeld = false;

  bool Pending() const { return pending > 0; }
  bool Open() const { return openedAt != 0; }
};

// A statement ran in the transaction at now; changed says it counts as work
// to commit.
void NoteStatement(TransactionState& t, bool changed, std::int64_t now);
// Committed, rolled back, or gone with its connection: nothing is open.
void EndTransaction(TransactionState& t);

// What the indicator beside the status says: "uncommitted: 3 statements,
// open 2:05" while there is work to commit, "transaction open 0:42" while
// only queries ran in it, nothing with autocommit on or no transaction open.
std::string TransactionIndicatorText(const TransactionState& t, std::int64_t now);

// The Main Window's title as the transaction marks it: "*" in front while
// work is uncommitted, the indicator's text after it while one is open.
std::string MarkedTitle(std::string_view title, const TransactionState& t, std::int64_t now);

// "1 statement", "3 statements".
std::string StatementsText(int count);

}  // namespace zuno

#include "session/transaction_state.h"

namespace zuno {
namespace {

// Minutes and seconds, hours in front once there are any: 0:05, 2:05, 1:02:05.
std::string DurationText(std::int64_t milliseconds) {
  const std::int64_t seconds = milliseconds > 0 ? milliseconds / 1000 : 0;
  const std::int64_t h = seconds / 3600, m = seconds / 60 % 60, s = seconds % 60;
  const auto two = [](std::int64_t n) { return (n < 10 ? "0" : "") + std::to_string(n); };
  if (h > 0) return std::to_string(h) + ":" + two(m) + ":" + two(s);
  return std::to_string(m) + ":" + two(s);
}

}  // namespace

void NoteStatement(TransactionState& t, bool changed, std::int64_t now) {
  if (t.autocommit) return;
  if (!t.Open()) t.openedAt = now != 0 ? now : 1;
  if (changed) ++t.pending;
}

void EndTransaction(TransactionState& t) {
  t.pending = 0;
  t.openedAt = 0;
  t.toldTimerHeld = false;
}

std::string StatementsText(int count) { return std::to_string(count) + (count == 1 ? " statement" : " statements"); }

std::string TransactionIndicatorText(const TransactionState& t, std::int64_t now) {
  if (t.autocommit || !t.Open()) return {};
  const std::string open = DurationText(now - t.openedAt);
  if (t.Pending()) return "uncommitted: " + StatementsText(t.pending) + ", open " + open;
  return "transaction open " + open;
}

std::string MarkedTitle(std::string_view title, const TransactionState& t, std::int64_t now) {
  std::string marked = (t.Pending() ? "*" : "") + std::string(title);
  if (const std::string indicator = TransactionIndicatorText(t, now); !indicator.empty()) marked += " - " + indicator;
  return marked;
}

}  // namespace zuno

#include "query/elapsed_time.h"

#include "base/clock.h"
#include "grid/cell_text.h"
#include "session/row_count.h"

namespace zuno {

std::string ElapsedText(std::int64_t startMs, std::int64_t endMs) {
  return "SQL Sec. " + DoubleText(static_cast<double>(endMs - startMs) / 1000.0);
}

void ShowElapsedTime(Session& s) {
  s.ui.SetText(kElapsedTimeText, ElapsedText(s.state.startTime, s.state.endTime));
}

void ShowEndedRun(Session& s, RunEnd end) {
  s.state.endTime = NowMilliseconds();
  ShowRowCount(s.ui, 0, end == RunEnd::Cancelled ? " (cancelled)" : " (failed)");
  ShowElapsedTime(s);
}

void ShowGivenUpRun(Session& s) {
  s.state.startTime = NowMilliseconds();
  ShowEndedRun(s, RunEnd::Cancelled);
}

}  // namespace zuno

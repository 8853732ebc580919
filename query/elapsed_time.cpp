#include "query/elapsed_time.h"

#include "grid/cell_text.h"

namespace zuno {

std::string ElapsedText(std::int64_t startMs, std::int64_t endMs) {
  return "SQL Sec. " + DoubleText(static_cast<double>(endMs - startMs) / 1000.0);
}

void ShowElapsedTime(Session& s) {
  s.ui.SetText(kElapsedTimeText, ElapsedText(s.state.startTime, s.state.endTime));
}

}  // namespace zuno

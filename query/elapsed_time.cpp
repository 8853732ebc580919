#include "query/elapsed_time.h"

#include "query/cell_text.h"

namespace zuno {

void ShowElapsedTime(Session& s) {
  s.ui.SetText(kElapsedTimeText, ElapsedText(s.state.startTime, s.state.endTime));
}

}  // namespace zuno

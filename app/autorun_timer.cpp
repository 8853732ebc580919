#include "app/autorun_timer.h"

#include "windows/text_filters.h"

namespace zuno {

void OnTimerCheckBox(Session& s) {
  s.ui.StopAutorunTimer();
  s.loop.DropTimerTicks();
  if (s.ui.IsChecked(kTimerCheckBox)) {
    int seconds = ParseTimerSeconds(s.ui.Text(kTimerSecondsField));
    if (seconds >= 1) s.ui.StartAutorunTimer(seconds * 1000);
    s.ui.SetTimerFieldHighlighted(true);
  } else {
    s.ui.SetTimerFieldHighlighted(false);
  }
}

}  // namespace zuno

#pragma once

#include "session/session.h"

namespace zuno {

// The Timer check box: switched on, timer 0 repeats every Timer Seconds seconds
// (none for 0 or an empty field) and the field turns orange; switched off, the
// timer and any tick still waiting are gone.
void OnTimerCheckBox(Session& s);

}  // namespace zuno

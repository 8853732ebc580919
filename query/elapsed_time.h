#pragma once

#include "app/session.h"

namespace zuno {

// The Elapsed Time text: "SQL Sec. " and the seconds from Start Time to End
// Time as the last operation left them.
void ShowElapsedTime(Session& s);

}  // namespace zuno

#pragma once

#include "session/session.h"

namespace zuno {

// Double-click on the Statement History list: the SQL editor takes the selected
// entry's text, or the empty text when nothing is selected.
void OnHistoryDoubleClick(Session& s);

}  // namespace zuno

#pragma once

#include "session/session.h"

namespace zuno {

// "Save report as File": the grid as the user sees it into a delimited text
// file, optionally with a title line.
void OnSaveReportClicked(Session& s);

}  // namespace zuno

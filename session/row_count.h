// The Row Count text below the grid: "Row Count: " with the number of rows and
// what, if anything, is said after it (" (cancelled)", " (failed)", ...).
#pragma once

#include <string_view>

#include "session/ui.h"

namespace zuno {

void ShowRowCount(Ui& ui, long long rows, std::string_view note = {});

}  // namespace zuno

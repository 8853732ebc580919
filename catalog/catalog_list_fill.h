#pragma once

#include <string>

#include "session/session.h"

namespace zuno {

enum class Reselect { LastDrilledRow, None };

// Runs a catalog SELECT and lists every row of it in the grid: "Null" for
// NULL values, no row limit, a light grey tint when "Colored Datatypes" is
// checked, the row count and the time the statement took (not the fetch).
// A failure shows the driver's text and leaves the grid empty.
void FillCatalogList(Session& s, const std::string& sql, Reselect reselect);

}  // namespace zuno

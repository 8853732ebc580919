#pragma once

#include "session/session.h"

namespace zuno {

// A left double-click on a grid row walks one level down the catalog: a
// creator to its tables, a table to a SELECT of all its columns in the
// editor (run at once when "Query Autorun" is checked). In a query result,
// or with no row selected, it does nothing.
void OnGridDoubleClick(Session& s);

}  // namespace zuno

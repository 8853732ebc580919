#pragma once

#include "session/session.h"

namespace zuno {

// Table Details (popup item, F4): the columns, keys, checks, indexes and
// foreign keys both ways of the table in the selected row of a catalog list
// (an alias's base table), or of the table drilled into last while its
// result is shown, one row each in the grid, and last the table's DDL.
void OnTableDetails(Session& s);

// A double-click in the details puts the table's DDL into the SQL editor.
void OnTableDetailsDoubleClick(Session& s);

}  // namespace zuno

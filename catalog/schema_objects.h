#pragma once

#include "session/session.h"

namespace zuno {

// Views and Routines (popup item): the views, procedures, functions and
// triggers of the schema of the selected row of a catalog list (the Last
// Creator with no row selected), which becomes the Last Creator.
void OnSchemaObjects(Session& s);

// A double-click on one of them puts its source into the SQL editor as a
// statement that makes it again: CREATE OR REPLACE where Db2 takes it.
void OnSchemaObjectDoubleClick(Session& s);

}  // namespace zuno

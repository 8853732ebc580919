#pragma once

#include <string>

#include "session/session.h"

namespace zuno {

// The editor's text made into one statement and run: comments removed,
// carriage returns flattened, variables asked for; then its rows fill the
// grid, or its affected rows are reported. With "DB2 Command" checked the
// text goes to the Db2 command line processor instead. Run by the Run
// button, the Autorun Timer and the drill-down.
void RunStatement(Session& s);

// The same for a part of the editor's text (the statement at the cursor, a
// selection): with "DB2 Command" checked the whole text still goes to the
// command line processor, as Run sends it.
void RunStatementText(Session& s, std::string text);

// Grid Mode QUERY and an empty grid without columns, which no statement's
// rows fill yet: where every run and the table drill start.
void ClearQueryResult(Session& s);

// The two ways a prepared statement runs, each as one job under the busy
// window; Start Time is taken when they are entered.
void RunResultSetPath(Session& s, const std::string& statement);
void RunUpdatePath(Session& s, const std::string& statement);

}  // namespace zuno

// The editor's keys that run part of its text or all of it as a script.
#pragma once

#include "session/session.h"

namespace zuno {

// Ctrl+Return: the statement the cursor is in, or the selection, run as the
// Run button runs the whole text. A selection of several statements runs
// as a script.
void RunStatementAtCursor(Session& s);

// Ctrl+Shift+Return: every statement of the text in turn, in one job, until
// one fails; the Result Grid then shows what each did. A script of one
// statement runs as Run would run it. With "DB2 Command" checked both keys
// do what Run does.
void RunScript(Session& s);

// A double-click on a row of the script's report selects its statement.
void OnScriptReportDoubleClick(Session& s);

}  // namespace zuno

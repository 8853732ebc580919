#pragma once

#include "session/session.h"

namespace zuno {

// "DB2 Command" checked: the editor's text, with "&dsn", "&usr" and "&pwd"
// replaced by the values of the last Connect, goes to the Db2 command line
// processor through "zunocmd.bat"; its output file "zunocmd.txt" fills the
// grid line by line under one column "Command Output".
void RunDb2Command(Session& s);

}  // namespace zuno

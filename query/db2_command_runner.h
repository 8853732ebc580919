#pragma once

#include <string>

#include "session/session.h"

namespace zuno {

// "DB2 Command" checked: the editor's text, with "&dsn", "&usr" and "&pwd"
// replaced by the values of the last Connect, goes to the Db2 command line
// processor through "zunocmd.bat"; its output file "zunocmd.txt" fills the
// grid line by line under one column "Command Output". A processor that
// cannot be started or ends with an error is named in a message.
void RunDb2Command(Session& s);

// The command files live in a folder "zunocmd-<process id>-XXXXXX" of the
// user's private runtime folder (tools/private_folder.h); this process's
// folders begin with this.
std::string CommandFolderPrefix();
// Removes the command folders of ZUNO processes that are gone (killed during
// a Db2 command), with the passwords in them.
void RemoveStaleCommandFolders(const std::string& home);

}  // namespace zuno

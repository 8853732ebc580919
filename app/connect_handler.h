#pragma once

#include "session/session.h"

namespace zuno {

// The Connect button: opens the one connection with the data source, user
// and password typed into the Main Window, finds out the Database Flavour and
// unlocks the controls that need a connection.
void OnConnectClicked(Session& s);

// After any handler: where the ODBC layer has lost the connection the
// handler used (the server went away), the Main Window shows what a failed
// Connect leaves: "not connected", the plain title, and the controls that
// need a connection disabled. The handler's message has said why.
void NoteConnectionGone(Session& s);

}  // namespace zuno

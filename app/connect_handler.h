#pragma once

#include "session/session.h"

namespace zuno {

// The Connect button: opens the one connection with the data source, user
// and password typed into the Main Window, finds out the Database Flavour and
// unlocks the controls that need a connection.
void OnConnectClicked(Session& s);

}  // namespace zuno

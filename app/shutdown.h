#pragma once

#include <functional>

#include "session/session.h"

namespace zuno {

// Writes "zuno.ini" with the Data Source box and User field texts; silent on failure.
void WriteSettings(Session& s);

// The common tail of both exit paths: the clipboard's text goes to the desktop's
// clipboard manager, the connection is closed and the loop ends; the process then
// exits with code 0.
void EndProgram(Session& s, const std::function<void()>& closeConnection);

}  // namespace zuno

#pragma once

#include "app/handlers.h"
#include "session/session.h"

namespace zuno {

// Every user action's handler, wired to the session it works on.
Handlers ProgramHandlers(Session& s);

}  // namespace zuno

#pragma once

#include "app/handlers.h"
#include "app/session.h"

namespace zuno {

// Every user action's handler, wired to the session it works on.
Handlers ProgramHandlers(Session& s);

}  // namespace zuno

#pragma once

#include "session/session.h"

namespace zuno {

// Window 1 in library form, built anew with the names of the current store.
void OpenLibrary(Session& s);

// The library's buttons.
void OnLibrarySave(Session& s);
void OnLibraryLoad(Session& s);    // also a double-click on the list
void OnLibraryDelete(Session& s);
void OnSwitchStore(Session& s);
void OnLibraryExit(Session& s);

}  // namespace zuno

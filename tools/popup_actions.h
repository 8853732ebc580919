#pragma once

#include "session/session.h"

namespace zuno {

// Items 1-8 of the Result Grid's popup menu, acting on the selected row.
void OnPopupItem(Session& s, int item);

// "Select Column" in the Column Chooser: the chosen column's cell of the
// selected row goes where the popup item that opened the chooser said.
void OnColumnChooserSelect(Session& s);

}  // namespace zuno

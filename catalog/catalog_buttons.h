#pragma once

#include "session/session.h"

namespace zuno {

// The catalog's own tables; Last Creator becomes "SYSCAT" on both platforms.
void OnCatalogClicked(Session& s);
// Every creator (schema) that owns a table.
void OnCreatorsClicked(Session& s);
// The tables of the Last Creator.
void OnLastCreatorClicked(Session& s);

}  // namespace zuno

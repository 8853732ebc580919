#pragma once

#include "session/session.h"

namespace zuno {

// The lists are read from Db2's own catalog views, which a source of another
// kind does not have; it is told so instead of being sent their SQL.
bool IsDb2Source(Session& s);

// The catalog's own tables; Last Creator becomes "SYSCAT" on both platforms.
void OnCatalogClicked(Session& s);
// Every creator (schema) that owns a table.
void OnCreatorsClicked(Session& s);
// The tables of the Last Creator.
void OnLastCreatorClicked(Session& s);

}  // namespace zuno

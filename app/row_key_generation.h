#pragma once

#include "session/session.h"

namespace zuno {

// Generate Update and Generate Delete on a Db2 source: the catalog is asked
// for the key of the table the result came from, so that the WHERE names the
// row by it. Without a key, or where the catalog cannot say, every
// comparable column stands in the WHERE.
void OnGenerateWithRowKey(Session& s, int item);

}  // namespace zuno

#pragma once

#include <optional>
#include <string>
#include <vector>

#include "session/session.h"
#include "tools/statement_generator.h"

namespace zuno {

// Items 1-8 of the Result Grid's popup menu, acting on the selected row.
void OnPopupItem(Session& s, int item);

// The table Generate Update and Generate Delete name, as the catalog keeps
// it; none while the grid shows no result of a statement.
std::optional<CatalogTableName> GeneratedTable(Session& s);

// Generate Update or Generate Delete with the columns of the table's key
// (none: every comparable column stands in the WHERE); any other item as the
// popup menu does it.
void GenerateWithKey(Session& s, int item, std::vector<std::string> keyColumns);

// "Select Column" in the Column Chooser: the chosen column's cell of the
// selected row goes where the popup item that opened the chooser said.
void OnColumnChooserSelect(Session& s);

}  // namespace zuno

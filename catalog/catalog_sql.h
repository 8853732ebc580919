// The catalog SELECTs the browser sends, by Database Flavour.
#pragma once

#include <string>
#include <string_view>

#include "db/database_flavour.h"

namespace zuno {

// The tables of the catalog itself; empty while no flavour is known (the
// empty statement then fails like any other).
std::string CatalogListSql(DatabaseFlavour flavour);
// Every creator that owns a table, whatever the flavour.
std::string CreatorsListSql();
// The tables of one creator, for the Last Creator button.
std::string LastCreatorListSql(DatabaseFlavour flavour, std::string_view creator);
// The tables of one creator, for a double-click in the creator list.
std::string CreatorDrillSql(DatabaseFlavour flavour, std::string_view creator);
// The columns of one table in their order, the same on both platforms.
std::string ColumnQuerySql(std::string_view schema, std::string_view table);

}  // namespace zuno

// The Data Source box's list: every configured data source name, sorted.
#pragma once

#include <string>
#include <vector>

#include "db/odbc_layer.h"

namespace zuno {

constexpr std::size_t kMaxDataSourceNames = 1000;

// User and system data sources, at most 1,000 names, sorted ascending with
// letter case ignored; empty when the first enumeration call fails.
std::vector<std::string> ListDataSources(OdbcLayer& db);

void SortIgnoringCase(std::vector<std::string>& names);

}  // namespace zuno

// The order of the Query Names list.
#pragma once

#include <string>
#include <vector>

namespace zuno {

// Ascending by the UTF-16 code units of each name lowered one by one with
// towlower (so the locale's LC_CTYPE decides what has a lower case), compared
// as numbers; a name that is the start of another comes first. Names equal but
// for case keep their order in the store.
void SortQueryNames(std::vector<std::string>& names);

}  // namespace zuno

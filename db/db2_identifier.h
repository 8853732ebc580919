// How a name that comes from the database (a column title, a schema or table
// from the catalog) is written in SQL so that Db2 reads it back as the same
// name.
#pragma once

#include <string>
#include <string_view>

namespace zuno {

// Db2 folds an unquoted name to upper case, so only an upper-case letter
// followed by upper-case letters, digits, "_", "$", "#" and "@" that is not
// a reserved word stands for itself.
bool IsBareDb2Name(std::string_view name);

// Whether the upper-case word is one Db2 reserves.
bool IsDb2ReservedWord(std::string_view word);

// The name as it stands when it is bare, the empty text as it is, else in
// double quotes with its inner double quotes doubled.
std::string Db2Name(std::string_view name);

}  // namespace zuno

// How a name that comes from the database (a column title, a schema or table
// from the catalog) is written in SQL so that Db2 reads it back as the same
// name, how a name written in SQL is read, and how a text is written as a
// string literal. A quote inside a delimited name or a literal is doubled: a
// lone one would end it and let the rest run as SQL ('a'='a in a WHERE clause
// matches every row).
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

// The name a written name stands for: a delimited one without its quotes and
// with each doubled quote inside it single, any other folded to upper case.
std::string Db2NameWritten(std::string_view written);

// The text as a string literal: in apostrophes, each apostrophe in it doubled.
std::string Db2StringLiteral(std::string_view text);
// The text as it stands between the apostrophes of a string literal.
std::string SqlLiteralText(std::string_view text);

}  // namespace zuno

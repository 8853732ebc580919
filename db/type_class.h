// The Type Class: the word a result column is classified and coloured by.
#pragma once

#include <string>
#include <string_view>

#include "db/column_kind.h"

namespace zuno {

enum class TypeClass {
  Unset,  // no value of the column read yet in this result
  Long,
  Quad,
  Float,
  Double,
  String,
  Blob,
  Clob,
  Date,
  Time,
  Timestamp,
  Other,
};

// "LONG", "QUAD", "FLOAT", "DOUBLE", "STRING", "BLOB", "CLOB", "DATE",
// "TIME", "TIMESTAMP", "OTHER"; the empty text for Unset.
std::string_view TypeClassWord(TypeClass typeClass);

// The class of a column of a kind whose values do not decide it (every kind
// but String), given the column size the driver reports. For String it
// gives String, the class a column gets when it holds only NULLs.
TypeClass KindTypeClass(ColumnKind kind, int columnSize);

// The class one non-NULL value of a String column gives it: Date, Timestamp,
// Time or String. The text's parts are compared with their bounds code unit
// by code unit in UTF-16, so a part cut off by the end of a short text
// compares lower than the bound it is a start of.
TypeClass StringTypeClass(std::u16string_view text, int columnSize);
TypeClass StringTypeClass(std::string_view utf8Text, int columnSize);

// The column's class after one more row: current is what the earlier rows
// left (Unset before the first row). A NULL in a String column keeps the
// class an earlier row gave; every other value sets the class anew. The
// text is read only for a non-NULL value of a String column.
TypeClass NextTypeClass(TypeClass current, ColumnKind kind, int columnSize, bool isNull,
                        std::string_view utf8Text);

}  // namespace zuno

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

// Columns this size or wider whose kind gives no class of their own, and
// integer columns this wide, hold large texts: they are read and shown as
// text, and a value makes them CLOB.
inline constexpr int kLargeTextSize = 35;

// The class one non-NULL value of a String column gives it: Date, Timestamp,
// Time or String. The text's parts are compared with their bounds code unit
// by code unit in UTF-16, so a part cut off by the end of a short text
// compares lower than the bound it is a start of.
TypeClass StringTypeClass(std::u16string_view text, int columnSize);
TypeClass StringTypeClass(std::string_view utf8Text, int columnSize);

// The column's class after one more row: current is what the earlier rows
// left (Unset before the first row). A NULL in a String column keeps the
// class an earlier row gave; every other value sets the class anew: a
// String column's by its text, the others' by their kind and size (an
// integer column of kLargeTextSize or wider is LONG for a NULL and CLOB for
// a value). The text is read only for a non-NULL value of a String column.
TypeClass NextTypeClass(TypeClass current, ColumnKind kind, int columnSize, bool isNull,
                        std::string_view utf8Text);

}  // namespace zuno

// How a result column's values are read, decided by the SQL type code the
// driver reports for it.
#pragma once

namespace zuno {

enum class ColumnKind {
  Long,       // ReadLong, shown padded; class "LONG"
  String,     // ReadText, not padded; class decided per value
  Float,      // ReadFloat, two decimals, padded; class "FLOAT"
  Double,     // ReadDouble, padded; class "DOUBLE"
  Quad,       // ReadQuad, padded; class "QUAD"
  Blob,       // not read; shown as a placeholder; class "BLOB"
  Decimal,    // ReadText: the driver's exact digits, padded; class "FLOAT"
  LargeText,  // Db2 CLOB, DBCLOB and XML: ReadText, not padded; class "CLOB"
  Other,      // a code this program does not know: ReadText, not padded
  None,       // the column could not be described: ReadText, not padded
};

// The kind for an ODBC SQL type code (the data type SQLDescribeCol reports,
// including Db2's own codes for graphic, large-object and DECFLOAT columns).
ColumnKind ColumnKindOf(int sqlType);

// Whether values of the type may be of any length (long and large-object
// types): no column size bounds them.
bool IsLongType(int sqlType);

}  // namespace zuno

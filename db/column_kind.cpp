#include "db/column_kind.h"

namespace zuno {

ColumnKind ColumnKindOf(int sqlType) {
  switch (sqlType) {
    case -5:  // BIGINT
      return ColumnKind::Quad;
    case 4:   // INTEGER
    case 5:   // SMALLINT
    case -6:  // TINYINT
    case -7:  // BIT
    case 16:  // Db2 BOOLEAN
      return ColumnKind::Long;
    case 7:  // REAL
      return ColumnKind::Float;
    case 6:  // FLOAT
    case 8:  // DOUBLE
      return ColumnKind::Double;
    case 2:     // NUMERIC
    case 3:     // DECIMAL
    case -360:  // Db2 DECFLOAT
      return ColumnKind::Decimal;
    case 1:    // CHAR
    case 12:   // VARCHAR
    case -1:   // LONGVARCHAR
    case -8:   // WCHAR
    case -9:   // WVARCHAR
    case -10:  // WLONGVARCHAR
    case -95:  // Db2 GRAPHIC
    case -96:  // Db2 VARGRAPHIC
    case -97:  // Db2 LONG VARGRAPHIC
    case -11:  // GUID
    case 9:    // DATETIME (DATE for ODBC 2 drivers)
    case 10:   // TIME for ODBC 2 drivers
    case 11:   // TIMESTAMP for ODBC 2 drivers
    case 91:   // TYPE_DATE
    case 92:   // TYPE_TIME
    case 93:   // TYPE_TIMESTAMP
      return ColumnKind::String;
    case -2:   // BINARY
    case -3:   // VARBINARY
    case -4:   // LONGVARBINARY
    case -98:  // Db2 BLOB
      return ColumnKind::Blob;
    case -99:   // Db2 CLOB
    case -350:  // Db2 DBCLOB
    case -370:  // Db2 XML
      return ColumnKind::LargeText;
    default:
      return ColumnKind::Other;
  }
}

bool IsLongType(int sqlType) {
  switch (sqlType) {
    case -1:    // LONGVARCHAR
    case -4:    // LONGVARBINARY
    case -10:   // WLONGVARCHAR
    case -97:   // Db2 LONG VARGRAPHIC
    case -98:   // Db2 BLOB
    case -99:   // Db2 CLOB
    case -350:  // Db2 DBCLOB
    case -370:  // Db2 XML
      return true;
    default:
      return false;
  }
}

}  // namespace zuno

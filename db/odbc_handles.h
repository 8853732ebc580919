// Owners of ODBC handles. Only the ODBC layer includes this file.
#pragma once

#include <sql.h>
#include <sqlext.h>

#include "base/unique_handle.h"

namespace zuno {

struct EnvironmentKind {
  using Handle = SQLHENV;
  static constexpr SQLHENV kNone = SQL_NULL_HENV;
  static bool Release(SQLHENV h) { return SQLFreeHandle(SQL_HANDLE_ENV, h) == SQL_SUCCESS; }
};

// A connection is disconnected (when it was connected) before it is freed;
// a transaction still open on it is rolled back first, never committed (a
// driver refuses to disconnect in one).
struct ConnectionKind {
  using Handle = SQLHDBC;
  static constexpr SQLHDBC kNone = SQL_NULL_HDBC;
  static bool Release(SQLHDBC h) {
    SQLEndTran(SQL_HANDLE_DBC, h, SQL_ROLLBACK);
    SQLDisconnect(h);
    return SQLFreeHandle(SQL_HANDLE_DBC, h) == SQL_SUCCESS;
  }
};

struct StatementKind {
  using Handle = SQLHSTMT;
  static constexpr SQLHSTMT kNone = SQL_NULL_HSTMT;
  static bool Release(SQLHSTMT h) { return SQLFreeHandle(SQL_HANDLE_STMT, h) == SQL_SUCCESS; }
};

using EnvironmentHandle = UniqueHandle<EnvironmentKind>;
using ConnectionHandle = UniqueHandle<ConnectionKind>;
using StatementHandle = UniqueHandle<StatementKind>;

}  // namespace zuno

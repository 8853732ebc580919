// Owners of ODBC handles. Only the ODBC layer includes this file.
#pragma once

#include <sql.h>
#include <sqlext.h>

#include <utility>

namespace zuno {

// A statement handle that frees itself.
class StatementHandle {
 public:
  StatementHandle() = default;
  explicit StatementHandle(SQLHSTMT h) : h_(h) {}
  ~StatementHandle() { Free(); }
  StatementHandle(StatementHandle&& o) noexcept : h_(std::exchange(o.h_, SQLHSTMT{SQL_NULL_HSTMT})) {}
  StatementHandle& operator=(StatementHandle&& o) noexcept {
    if (this != &o) {
      Free();
      h_ = std::exchange(o.h_, SQLHSTMT{SQL_NULL_HSTMT});
    }
    return *this;
  }
  StatementHandle(const StatementHandle&) = delete;
  StatementHandle& operator=(const StatementHandle&) = delete;

  SQLHSTMT get() const { return h_; }
  explicit operator bool() const { return h_ != SQL_NULL_HSTMT; }
  void Free() {
    if (h_ != SQL_NULL_HSTMT) SQLFreeHandle(SQL_HANDLE_STMT, h_);
    h_ = SQL_NULL_HSTMT;
  }

 private:
  SQLHSTMT h_ = SQL_NULL_HSTMT;
};

// A connection handle: disconnected (when it was connected) and freed on release.
class ConnectionHandle {
 public:
  ConnectionHandle() = default;
  explicit ConnectionHandle(SQLHDBC h) : h_(h) {}
  ~ConnectionHandle() { Free(); }
  ConnectionHandle(ConnectionHandle&& o) noexcept : h_(std::exchange(o.h_, SQLHDBC{SQL_NULL_HDBC})) {}
  ConnectionHandle& operator=(ConnectionHandle&& o) noexcept {
    if (this != &o) {
      Free();
      h_ = std::exchange(o.h_, SQLHDBC{SQL_NULL_HDBC});
    }
    return *this;
  }
  ConnectionHandle(const ConnectionHandle&) = delete;
  ConnectionHandle& operator=(const ConnectionHandle&) = delete;

  SQLHDBC get() const { return h_; }
  explicit operator bool() const { return h_ != SQL_NULL_HDBC; }
  void Free() {
    if (h_ == SQL_NULL_HDBC) return;
    SQLDisconnect(h_);
    SQLFreeHandle(SQL_HANDLE_DBC, h_);
    h_ = SQL_NULL_HDBC;
  }

 private:
  SQLHDBC h_ = SQL_NULL_HDBC;
};

}  // namespace zuno

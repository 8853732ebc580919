#include "bench/plain_fetch.h"

#include <sql.h>
#include <sqlext.h>

#include <algorithm>
#include <vector>

#include "db/wide_text.h"

namespace zuno::bench {
namespace {

constexpr SQLLEN kBufferUnits = 4096;

bool Ok(SQLRETURN rc) { return rc == SQL_SUCCESS || rc == SQL_SUCCESS_WITH_INFO; }

SQLWCHAR* Units(std::u16string& s) { return reinterpret_cast<SQLWCHAR*>(s.data()); }

}  // namespace

struct PlainFetch::Handles {
  SQLHENV env = SQL_NULL_HENV;
  SQLHDBC dbc = SQL_NULL_HDBC;
  SQLHSTMT stmt = SQL_NULL_HSTMT;
  std::vector<SQLWCHAR> buffer = std::vector<SQLWCHAR>(kBufferUnits);
  long long characters = 0;

  ~Handles() {
    if (stmt != SQL_NULL_HSTMT) SQLFreeHandle(SQL_HANDLE_STMT, stmt);
    if (dbc != SQL_NULL_HDBC) {
      SQLDisconnect(dbc);
      SQLFreeHandle(SQL_HANDLE_DBC, dbc);
    }
    if (env != SQL_NULL_HENV) SQLFreeHandle(SQL_HANDLE_ENV, env);
  }
};

PlainFetch::PlainFetch() : h_(std::make_unique<Handles>()) {}
PlainFetch::~PlainFetch() = default;

bool PlainFetch::Connect(std::string_view dsn, std::string_view user, std::string_view password) {
  if (SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &h_->env) != SQL_SUCCESS) return false;
  SQLSetEnvAttr(h_->env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(static_cast<SQLLEN>(SQL_OV_ODBC3)),
                SQL_IS_INTEGER);
  if (SQLAllocHandle(SQL_HANDLE_DBC, h_->env, &h_->dbc) != SQL_SUCCESS) return false;
  std::u16string d = Utf8ToUtf16(dsn), u = Utf8ToUtf16(user), p = Utf8ToUtf16(password);
  if (!Ok(SQLConnectW(h_->dbc, Units(d), static_cast<SQLSMALLINT>(d.size()), Units(u),
                      static_cast<SQLSMALLINT>(u.size()), Units(p), static_cast<SQLSMALLINT>(p.size()))))
    return false;
  return SQLAllocHandle(SQL_HANDLE_STMT, h_->dbc, &h_->stmt) == SQL_SUCCESS;
}

long PlainFetch::Run(std::string_view sql, long maxRows) {
  std::u16string text = Utf8ToUtf16(sql);
  if (!Ok(SQLExecDirectW(h_->stmt, Units(text), static_cast<SQLINTEGER>(text.size())))) return -1;
  SQLSMALLINT columns = 0;
  SQLNumResultCols(h_->stmt, &columns);
  long rows = 0;
  while ((maxRows == 0 || rows < maxRows) && Ok(SQLFetch(h_->stmt))) {
    ++rows;
    for (SQLUSMALLINT c = 1; c <= columns; ++c) {
      SQLLEN indicator = 0;
      // A value longer than the buffer comes in pieces until the last one.
      while (SQLGetData(h_->stmt, c, SQL_C_WCHAR, h_->buffer.data(), kBufferUnits * sizeof(SQLWCHAR),
                        &indicator) == SQL_SUCCESS_WITH_INFO) {
      }
      if (indicator > 0) h_->characters += indicator / static_cast<SQLLEN>(sizeof(SQLWCHAR));
    }
  }
  SQLCloseCursor(h_->stmt);
  return rows;
}

long PlainFetch::RunInBlocks(std::string_view sql, long maxRows) {
  std::u16string text = Utf8ToUtf16(sql);
  if (!Ok(SQLExecDirectW(h_->stmt, Units(text), static_cast<SQLINTEGER>(text.size())))) return -1;
  SQLSMALLINT columns = 0;
  SQLNumResultCols(h_->stmt, &columns);
  std::vector<SQLLEN> widths;
  SQLLEN rowBytes = 0;
  for (SQLUSMALLINT c = 1; c <= columns; ++c) {
    SQLULEN size = 0;
    SQLDescribeColW(h_->stmt, c, nullptr, 0, nullptr, nullptr, &size, nullptr, nullptr);
    widths.push_back(static_cast<SQLLEN>((std::min<SQLULEN>(size, kBufferUnits) + 1) * sizeof(SQLWCHAR)));
    rowBytes += widths.back() + static_cast<SQLLEN>(sizeof(SQLLEN));
  }
  const SQLULEN blockRows = std::clamp<SQLULEN>(256 * 1024 / static_cast<SQLULEN>(std::max<SQLLEN>(rowBytes, 1)), 1, 512);
  std::vector<std::vector<char>> data(widths.size());
  std::vector<std::vector<SQLLEN>> indicators(widths.size(), std::vector<SQLLEN>(blockRows));
  SQLULEN fetched = 0;
  SQLSetStmtAttr(h_->stmt, SQL_ATTR_ROW_ARRAY_SIZE, reinterpret_cast<SQLPOINTER>(blockRows), 0);
  SQLSetStmtAttr(h_->stmt, SQL_ATTR_ROWS_FETCHED_PTR, &fetched, 0);
  for (size_t c = 0; c < widths.size(); ++c) {
    data[c].resize(static_cast<size_t>(widths[c]) * blockRows);
    SQLBindCol(h_->stmt, static_cast<SQLUSMALLINT>(c + 1), SQL_C_WCHAR, data[c].data(), widths[c],
               indicators[c].data());
  }
  long rows = 0;
  while ((maxRows == 0 || rows < maxRows) && Ok(SQLFetch(h_->stmt))) {
    const long kept = maxRows == 0 ? static_cast<long>(fetched) : std::min<long>(static_cast<long>(fetched), maxRows - rows);
    rows += kept;
    for (const std::vector<SQLLEN>& column : indicators)
      for (long r = 0; r < kept; ++r)
        if (column[static_cast<size_t>(r)] > 0) h_->characters += column[static_cast<size_t>(r)] / static_cast<SQLLEN>(sizeof(SQLWCHAR));
  }
  SQLCloseCursor(h_->stmt);
  SQLFreeStmt(h_->stmt, SQL_UNBIND);
  SQLSetStmtAttr(h_->stmt, SQL_ATTR_ROW_ARRAY_SIZE, reinterpret_cast<SQLPOINTER>(SQLULEN{1}), 0);
  SQLSetStmtAttr(h_->stmt, SQL_ATTR_ROWS_FETCHED_PTR, nullptr, 0);
  return rows;
}

long long PlainFetch::characters() const { return h_->characters; }

}  // namespace zuno::bench

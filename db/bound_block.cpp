#include "db/bound_block.h"

#include <utility>

namespace zuno {
namespace {

SQLPOINTER Attribute(SQLULEN value) { return reinterpret_cast<SQLPOINTER>(value); }

}  // namespace

bool BoundBlock::Bind(SQLHSTMT stmt, std::vector<Column> columns, SQLULEN rows) {
  Unbind(stmt);
  // SQL_SUCCESS only: with a warning the driver took another row count.
  if (columns.empty() || SQLSetStmtAttr(stmt, SQL_ATTR_ROW_ARRAY_SIZE, Attribute(rows), 0) != SQL_SUCCESS) {
    Unbind(stmt);
    return false;
  }
  status_ = std::make_unique<SQLUSMALLINT[]>(rows);
  SQLSetStmtAttr(stmt, SQL_ATTR_ROWS_FETCHED_PTR, &fetched_, 0);
  SQLSetStmtAttr(stmt, SQL_ATTR_ROW_STATUS_PTR, status_.get(), 0);
  columns_.reserve(columns.size());
  for (const Column& c : columns) {
    const auto number = static_cast<SQLUSMALLINT>(columns_.size() + 1);
    if (c.width == 0) {  // read from the driver value by value
      columns_.push_back(Array{c, nullptr, nullptr});
      continue;
    }
    Array a{c, std::make_unique<char[]>(static_cast<std::size_t>(c.width) * rows),
            std::make_unique<SQLLEN[]>(rows)};
    const SQLRETURN rc = SQLBindCol(stmt, number, c.cType, a.data.get(), c.width, a.indicators.get());
    columns_.push_back(std::move(a));
    if (rc != SQL_SUCCESS && rc != SQL_SUCCESS_WITH_INFO) {
      Unbind(stmt);
      return false;
    }
  }
  return true;
}

void BoundBlock::Unbind(SQLHSTMT stmt) {
  if (stmt != SQL_NULL_HSTMT) {
    SQLFreeStmt(stmt, SQL_UNBIND);
    SQLSetStmtAttr(stmt, SQL_ATTR_ROW_ARRAY_SIZE, Attribute(1), 0);
    SQLSetStmtAttr(stmt, SQL_ATTR_ROWS_FETCHED_PTR, nullptr, 0);
    SQLSetStmtAttr(stmt, SQL_ATTR_ROW_STATUS_PTR, nullptr, 0);
  }
  columns_.clear();
  status_.reset();
  fetched_ = row_ = next_ = 0;
}

bool BoundBlock::Next(SQLHSTMT stmt, SQLRETURN& rc) {
  if (next_ < fetched_) {
    row_ = next_++;
    return true;
  }
  fetched_ = row_ = next_ = 0;
  rc = SQLFetch(stmt);
  if ((rc != SQL_SUCCESS && rc != SQL_SUCCESS_WITH_INFO) || fetched_ == 0) {
    if (rc == SQL_SUCCESS || rc == SQL_SUCCESS_WITH_INFO) rc = SQL_NO_DATA;
    fetched_ = 0;
    return false;
  }
  next_ = 1;
  return true;
}

const void* BoundBlock::Value(int column, SQLSMALLINT cType, SQLLEN& indicator) const {
  if (column < 0 || static_cast<std::size_t>(column) >= columns_.size() || row_ >= fetched_) return nullptr;
  const Array& a = columns_[static_cast<std::size_t>(column)];
  if (!a.data || a.column.cType != cType || status_[row_] != SQL_ROW_SUCCESS) return nullptr;
  indicator = a.indicators[row_];
  // A text fits when its length leaves room for the terminator.
  if (cType == SQL_C_WCHAR && (indicator == SQL_NO_TOTAL ||
                               indicator > a.column.width - static_cast<SQLLEN>(sizeof(SQLWCHAR))))
    return nullptr;
  return a.data.get() + static_cast<std::size_t>(a.column.width) * row_;
}

}  // namespace zuno

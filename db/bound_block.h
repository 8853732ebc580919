// The arrays a result's columns are bound to when its rows are fetched in
// blocks: per column one element a row and one length or NULL indicator a
// row, and per row the status the driver gives it. Only the ODBC layer
// includes this file.
#pragma once

#include <sql.h>
#include <sqlext.h>

#include <memory>
#include <vector>

namespace zuno {

class BoundBlock {
 public:
  struct Column {
    SQLSMALLINT cType = SQL_C_WCHAR;
    SQLLEN width = 0;  // bytes an element, with a text's terminator; 0: not bound
  };

  // Binds the columns for blocks of up to rows rows; false (and nothing
  // left bound) when the driver refuses the row array or a binding.
  bool Bind(SQLHSTMT stmt, std::vector<Column> columns, SQLULEN rows);
  // Leaves the statement as it was before Bind: nothing bound, one row a fetch.
  void Unbind(SQLHSTMT stmt);
  bool Bound() const { return !columns_.empty(); }

  // The next row of the block, fetching the next block when this one is
  // read; rc is the driver's answer to a fetch that gave no row.
  bool Next(SQLHSTMT stmt, SQLRETURN& rc);
  // Whether the current row is the last of its block: the next one waits
  // for the driver.
  bool LastOfBlock() const { return next_ >= fetched_; }
  // The current row's number in its block, counted from 1 as SQLSetPos does.
  SQLSETPOSIROW RowNumber() const { return row_ + 1; }

  // Where the current row's value of the column stands in its array, with
  // its indicator; null where the value must be read from the driver: the
  // column is read as another type, the driver had a problem with the row,
  // or a text did not fit its element.
  const void* Value(int column, SQLSMALLINT cType, SQLLEN& indicator) const;

 private:
  struct Array {
    Column column;
    std::unique_ptr<char[]> data;
    std::unique_ptr<SQLLEN[]> indicators;
  };
  std::vector<Array> columns_;
  std::unique_ptr<SQLUSMALLINT[]> status_;
  SQLULEN fetched_ = 0;  // the driver writes the rows of each block here
  SQLULEN row_ = 0;      // the current row
  SQLULEN next_ = 0;     // the row NextRow gives next
};

}  // namespace zuno

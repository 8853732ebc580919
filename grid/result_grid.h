// The Result Grid's operations: everything that shows a table goes through them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "grid/result_rows.h"
#include "grid/row_order.h"

namespace zuno {

// 24-bit colour: red + green * 256 + blue * 65536.
using Rgb = std::uint32_t;
constexpr Rgb MakeRgb(unsigned r, unsigned g, unsigned b) { return r + g * 256 + b * 65536; }

// What a column's values are, as far as the fill that read them knew:
// statements built from a row write numbers bare, quote texts and write
// binary values as hex literals (BLOB(X'...') for a large object). A large
// text (CLOB, DBCLOB, XML, LONG VARCHAR) is a text that Db2 cannot compare
// with "=". Unknown for a column filled without that knowledge (command
// output).
enum class ValueType { Unknown, Number, Text, Binary, Blob, LargeText };

class ResultGrid {
 public:
  virtual ~ResultGrid() = default;

  virtual void ClearRows() = 0;
  virtual void RemoveAllColumns() = 0;
  // A position below 0 or beyond the column count appends.
  virtual void AddColumn(int position, std::string_view title, int width) = 0;
  // Texts fill the columns in order; missing texts leave cells empty.
  virtual void AppendRow(const std::vector<std::string>& texts) = 0;
  // A whole result at the end, cells in column order: taken over without a
  // copy when the grid has no rows, which is how every producer fills it.
  virtual void AppendRows(ResultRows&& rows) = 0;
  // The rows as they stand, for readers of many cells (the export, the popup
  // actions): cell c of a row is the grid's column c; a row may hold fewer
  // cells than there are columns, or more, and only the columns count.
  virtual const ResultRows& Rows() const = 0;
  virtual int RowCount() const = 0;
  virtual int ColumnCount() const = 0;
  // Row -1 gives the title; anything out of range gives the empty text.
  virtual std::string CellText(int row, int column) const = 0;
  virtual std::string ColumnTitle(int column) const = 0;
  // The selected row the cursor stands on, else the first selected row; -1
  // when none is selected.
  virtual int SelectedRow() const = 0;
  // Below 0 clears the selection; a row that does not exist changes nothing.
  // Else the row alone is selected, with the cursor on its first cell.
  virtual void SelectRow(int row) = 0;
  // Several rows: every selected row in the order shown; one more row into
  // the selection (one that does not exist changes nothing); every row.
  virtual std::vector<int> SelectedRows() const = 0;
  virtual void AddToSelection(int row) = 0;
  virtual void SelectAllRows() = 0;
  // The row alone is selected with the cursor on the cell, scrolled into
  // view; a cell that does not exist changes nothing.
  virtual void SelectCell(int row, int column) = 0;
  // The column of the cell the cursor or the last press of a button stood
  // on; -1 when there is none.
  virtual int CursorColumn() const = 0;

  // Where a row stood when the rows were added (its identity: it stays with
  // the row whatever order the rows are shown in), and the row that stood
  // there; -1 for none. Whoever keeps a row past the moment reads it so.
  virtual int RowIdentity(int row) const = 0;
  virtual int RowOfIdentity(int identity) const = 0;
  // How the column's values compare when the rows are sorted by it: Text
  // for a new column; the order goes with its column.
  virtual void SetColumnOrder(int column, ValueOrder order) = 0;
  // The rows sorted by the column's values (None: back in the order they
  // were fetched); the selection and the colours stay with their rows. A
  // column out of range changes nothing; ClearRows and RemoveAllColumns end
  // the sort.
  virtual void SortRows(int column, SortDirection direction) = 0;
  virtual GridSort Sort() const = 0;
  // Below 1 hides the column; 1 or more shows it at that width.
  virtual void SetColumnWidth(int column, int width) = 0;
  // Colours the rows present now; rows appended later have no colour.
  virtual void SetColumnBackground(int column, Rgb colour) = 0;
  virtual void SetGridVisible(bool visible) = 0;

  // A new column and one out of range are Unknown; the type goes with its
  // column (RemoveAllColumns drops it, ClearRows keeps it).
  virtual void SetColumnValueType(int column, ValueType type) = 0;
  virtual ValueType ColumnValueType(int column) const = 0;
  // The fill records which cells held NULL, as the text alone cannot tell a
  // NULL from a value that reads "Null". A cell that does not exist changes
  // nothing and is never NULL; the mark goes with its cell.
  virtual void MarkCellNull(int row, int column) = 0;
  virtual bool CellIsNull(int row, int column) const = 0;
};

}  // namespace zuno

// The Result Grid in memory, for handler tests; the shared grid suite holds it
// to the same behaviour as the widget. A call from a thread other than the
// one that made it fails the test: no work may touch the grid.
#pragma once

#include <optional>
#include <thread>

#include "grid/result_grid.h"

namespace zuno::testing {

class MemoryResultGrid : public ResultGrid {
 public:
  struct Column {
    std::string title;
    int width = 0;
    bool visible = true;
    std::optional<Rgb> background;  // for the rows below backgroundRows
    std::size_t backgroundRows = 0;
    ValueType valueType = ValueType::Unknown;
    ValueOrder order = ValueOrder::Text;
  };

  void ClearRows() override;
  void RemoveAllColumns() override;
  void AddColumn(int position, std::string_view title, int width) override;
  void AppendRow(const std::vector<std::string>& texts) override;
  void AppendRows(ResultRows&& rows) override;
  const ResultRows& Rows() const override { return Here(), rows_; }
  int RowCount() const override { return Here(), static_cast<int>(rows_.RowCount()); }
  int ColumnCount() const override { return Here(), static_cast<int>(columns_.size()); }
  std::string CellText(int row, int column) const override;
  std::string ColumnTitle(int column) const override;
  int SelectedRow() const override;
  void SelectRow(int row) override;
  std::vector<int> SelectedRows() const override;
  void AddToSelection(int row) override;
  void SelectAllRows() override;
  void SelectCell(int row, int column) override;
  int CursorColumn() const override { return Here(), cursorColumn_; }
  int RowIdentity(int row) const override;
  int RowOfIdentity(int identity) const override;
  void SetColumnOrder(int column, ValueOrder order) override;
  void SortRows(int column, SortDirection direction) override;
  GridSort Sort() const override { return Here(), sort_; }
  void SetColumnWidth(int column, int width) override;
  void SetColumnBackground(int column, Rgb colour) override;
  void SetGridVisible(bool visible) override { Here(), visible_ = visible; }
  void SetColumnValueType(int column, ValueType type) override;
  ValueType ColumnValueType(int column) const override;
  void MarkCellNull(int row, int column) override;
  bool CellIsNull(int row, int column) const override;

  // What the operations leave besides texts; the widget answers the same reads.
  const std::vector<Column>& columns() const { return columns_; }
  int ColumnWidth(int column) const { return ValidColumn(column) ? columns_[column].width : 0; }
  bool ColumnVisible(int column) const { return ValidColumn(column) && columns_[column].visible; }
  std::optional<Rgb> Background(int row, int column) const;
  int MarkedHeader() const { return sort_.column; }  // no header: the sort's column
  bool visible() const { return visible_; }

 private:
  bool ValidColumn(int c) const { return c >= 0 && c < ColumnCount(); }
  void Here() const;
  std::thread::id owner_ = std::this_thread::get_id();
  std::vector<Column> columns_;
  ResultRows rows_;
  std::vector<int> selected_;  // the identities of the selected rows
  int cursor_ = -1;            // the identity of the row the cursor is on
  int cursorColumn_ = -1;
  GridSort sort_;
  bool visible_ = true;
};

}  // namespace zuno::testing

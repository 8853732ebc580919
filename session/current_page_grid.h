// The Result Grid the handlers work on: the current page's, whichever page
// that is, so every action on a result acts on the page shown. With no page
// left, the first operation opens an empty one.
#pragma once

#include "session/result_pages.h"

namespace zuno {

// A Result Grid that passes every operation on to the one Target gives.
class ForwardingGrid : public ResultGrid {
 public:
  void ClearRows() override { Target().ClearRows(); }
  void RemoveAllColumns() override { Target().RemoveAllColumns(); }
  void AddColumn(int position, std::string_view title, int width) override {
    Target().AddColumn(position, title, width);
  }
  void AppendRow(const std::vector<std::string>& texts) override { Target().AppendRow(texts); }
  void AppendRows(ResultRows&& rows) override { Target().AppendRows(std::move(rows)); }
  const ResultRows& Rows() const override { return Target().Rows(); }
  int RowCount() const override { return Target().RowCount(); }
  int ColumnCount() const override { return Target().ColumnCount(); }
  std::string CellText(int row, int column) const override { return Target().CellText(row, column); }
  std::string ColumnTitle(int column) const override { return Target().ColumnTitle(column); }
  int SelectedRow() const override { return Target().SelectedRow(); }
  void SelectRow(int row) override { Target().SelectRow(row); }
  std::vector<int> SelectedRows() const override { return Target().SelectedRows(); }
  void AddToSelection(int row) override { Target().AddToSelection(row); }
  void SelectAllRows() override { Target().SelectAllRows(); }
  void SelectCell(int row, int column) override { Target().SelectCell(row, column); }
  int CursorColumn() const override { return Target().CursorColumn(); }
  int RowIdentity(int row) const override { return Target().RowIdentity(row); }
  int RowOfIdentity(int identity) const override { return Target().RowOfIdentity(identity); }
  void SetColumnOrder(int column, ValueOrder order) override { Target().SetColumnOrder(column, order); }
  void SortRows(int column, SortDirection direction) override { Target().SortRows(column, direction); }
  GridSort Sort() const override { return Target().Sort(); }
  void SetColumnWidth(int column, int width) override { Target().SetColumnWidth(column, width); }
  void SetColumnBackground(int column, Rgb colour) override { Target().SetColumnBackground(column, colour); }
  void SetGridVisible(bool visible) override { Target().SetGridVisible(visible); }
  void SetColumnValueType(int column, ValueType type) override { Target().SetColumnValueType(column, type); }
  ValueType ColumnValueType(int column) const override { return Target().ColumnValueType(column); }
  void MarkCellNull(int row, int column) override { Target().MarkCellNull(row, column); }
  bool CellIsNull(int row, int column) const override { return Target().CellIsNull(row, column); }

 protected:
  virtual ResultGrid& Target() const = 0;
};

class CurrentPageGrid : public ForwardingGrid {
 public:
  explicit CurrentPageGrid(ResultPages& pages) : pages_(pages) {}

 protected:
  ResultGrid& Target() const override {
    if (!pages_.Current()) pages_.Add("Result");
    return *pages_.Current()->grid;
  }

 private:
  ResultPages& pages_;
};

}  // namespace zuno

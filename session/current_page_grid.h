// The Result Grid the handlers work on: the current page's, whichever page
// that is, so every action on a result acts on the page shown. With no page
// left, the first operation opens an empty one.
#pragma once

#include "session/result_pages.h"

namespace zuno {

class CurrentPageGrid : public ResultGrid {
 public:
  explicit CurrentPageGrid(ResultPages& pages) : pages_(pages) {}

  void ClearRows() override { G().ClearRows(); }
  void RemoveAllColumns() override { G().RemoveAllColumns(); }
  void AddColumn(int position, std::string_view title, int width) override { G().AddColumn(position, title, width); }
  void AppendRow(const std::vector<std::string>& texts) override { G().AppendRow(texts); }
  void AppendRows(ResultRows&& rows) override { G().AppendRows(std::move(rows)); }
  const ResultRows& Rows() const override { return G().Rows(); }
  int RowCount() const override { return G().RowCount(); }
  int ColumnCount() const override { return G().ColumnCount(); }
  std::string CellText(int row, int column) const override { return G().CellText(row, column); }
  std::string ColumnTitle(int column) const override { return G().ColumnTitle(column); }
  int SelectedRow() const override { return G().SelectedRow(); }
  void SelectRow(int row) override { G().SelectRow(row); }
  std::vector<int> SelectedRows() const override { return G().SelectedRows(); }
  void AddToSelection(int row) override { G().AddToSelection(row); }
  void SelectAllRows() override { G().SelectAllRows(); }
  void SelectCell(int row, int column) override { G().SelectCell(row, column); }
  int CursorColumn() const override { return G().CursorColumn(); }
  int RowIdentity(int row) const override { return G().RowIdentity(row); }
  int RowOfIdentity(int identity) const override { return G().RowOfIdentity(identity); }
  void SetColumnOrder(int column, ValueOrder order) override { G().SetColumnOrder(column, order); }
  void SortRows(int column, SortDirection direction) override { G().SortRows(column, direction); }
  GridSort Sort() const override { return G().Sort(); }
  void SetColumnWidth(int column, int width) override { G().SetColumnWidth(column, width); }
  void SetColumnBackground(int column, Rgb colour) override { G().SetColumnBackground(column, colour); }
  void SetGridVisible(bool visible) override { G().SetGridVisible(visible); }
  void SetColumnValueType(int column, ValueType type) override { G().SetColumnValueType(column, type); }
  ValueType ColumnValueType(int column) const override { return G().ColumnValueType(column); }
  void MarkCellNull(int row, int column) override { G().MarkCellNull(row, column); }
  bool CellIsNull(int row, int column) const override { return G().CellIsNull(row, column); }

 private:
  ResultGrid& G() const {
    if (!pages_.Current()) pages_.Add("Result");
    return *pages_.Current()->grid;
  }
  ResultPages& pages_;
};

}  // namespace zuno

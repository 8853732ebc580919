#include "tests/support/memory_result_grid.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace zuno::testing {

void MemoryResultGrid::Here() const {
  if (std::this_thread::get_id() != owner_) ADD_FAILURE() << "the grid was called from a worker thread";
}

void MemoryResultGrid::ClearRows() {
  Here();
  rows_.Clear();
  for (Column& c : columns_) c.backgroundRows = 0;
  selected_.clear();
  cursor_ = -1;
  cursorColumn_ = -1;
  sort_ = {};
}

void MemoryResultGrid::RemoveAllColumns() {
  Here();
  columns_.clear();
  rows_.DropCells();
  sort_ = {};
  cursorColumn_ = -1;
}

void MemoryResultGrid::AddColumn(int position, std::string_view title, int width) {
  Here();
  if (position < 0 || position > ColumnCount()) position = ColumnCount();
  if (position < ColumnCount()) rows_.InsertEmptyCell(static_cast<std::size_t>(position));
  if (sort_.column >= position) ++sort_.column;  // the sorted column moves right
  columns_.insert(columns_.begin() + position, Column{std::string(title), width < 1 ? 1 : width, true, std::nullopt, 0, ValueType::Unknown});
}

void MemoryResultGrid::AppendRow(const std::vector<std::string>& texts) {
  Here();
  rows_.AppendRow(texts, columns_.size());
}

void MemoryResultGrid::AppendRows(ResultRows&& rows) {
  Here();
  rows_.Append(std::move(rows));
}

std::string MemoryResultGrid::CellText(int row, int column) const {
  Here();
  if (row == -1) return ColumnTitle(column);
  if (row < 0 || !ValidColumn(column)) return {};
  return std::string(rows_.Cell(static_cast<std::size_t>(row), static_cast<std::size_t>(column)));
}

std::string MemoryResultGrid::ColumnTitle(int column) const {
  Here();
  return ValidColumn(column) ? columns_[column].title : std::string();
}

int MemoryResultGrid::SelectedRow() const {
  Here();
  if (std::find(selected_.begin(), selected_.end(), cursor_) != selected_.end()) return RowOfIdentity(cursor_);
  const std::vector<int> rows = SelectedRows();
  return rows.empty() ? -1 : rows.front();
}

void MemoryResultGrid::SelectRow(int row) {
  Here();
  if (row < 0) {
    selected_.clear();
    return;
  }
  SelectCell(row, 0);
}

std::vector<int> MemoryResultGrid::SelectedRows() const {
  Here();
  std::vector<int> rows;
  for (int id : selected_) rows.push_back(RowOfIdentity(id));
  std::sort(rows.begin(), rows.end());
  return rows;
}

void MemoryResultGrid::AddToSelection(int row) {
  Here();
  if (row < 0 || row >= RowCount()) return;
  const int id = RowIdentity(row);
  if (std::find(selected_.begin(), selected_.end(), id) == selected_.end()) selected_.push_back(id);
  cursor_ = id;
}

void MemoryResultGrid::SelectAllRows() {
  Here();
  selected_.clear();
  for (int r = 0; r < RowCount(); ++r) selected_.push_back(RowIdentity(r));
}

void MemoryResultGrid::SelectCell(int row, int column) {
  Here();
  if (row < 0 || row >= RowCount() || (column != 0 && !ValidColumn(column))) return;
  selected_.assign(1, RowIdentity(row));
  cursor_ = selected_.front();
  cursorColumn_ = ValidColumn(column) ? column : -1;
}

int MemoryResultGrid::RowIdentity(int row) const {
  Here();
  return row < 0 || row >= RowCount() ? -1 : static_cast<int>(rows_.Identity(static_cast<std::size_t>(row)));
}

int MemoryResultGrid::RowOfIdentity(int identity) const {
  Here();
  if (identity < 0) return -1;
  const std::size_t row = rows_.RowOfIdentity(static_cast<std::size_t>(identity));
  return row < rows_.RowCount() ? static_cast<int>(row) : -1;
}

void MemoryResultGrid::SetColumnOrder(int column, ValueOrder order) {
  Here();
  if (ValidColumn(column)) columns_[column].order = order;
}

void MemoryResultGrid::SortRows(int column, SortDirection direction) {
  Here();
  if (!ValidColumn(column)) return;
  rows_.Reorder(SortedRows(rows_, static_cast<std::size_t>(column), columns_[column].order, direction));
  sort_ = direction == SortDirection::None ? GridSort{} : GridSort{column, direction};
}

void MemoryResultGrid::SetColumnWidth(int column, int width) {
  Here();
  if (!ValidColumn(column)) return;
  if (width < 1) {
    columns_[column].visible = false;
    return;
  }
  columns_[column].visible = true;
  columns_[column].width = width;
}

void MemoryResultGrid::SetColumnBackground(int column, Rgb colour) {
  Here();
  if (!ValidColumn(column)) return;
  columns_[column].background = colour;
  columns_[column].backgroundRows = rows_.RowCount();
}

std::optional<Rgb> MemoryResultGrid::Background(int row, int column) const {
  Here();
  if (row < 0 || row >= RowCount() || !ValidColumn(column)) return std::nullopt;
  const Column& c = columns_[column];
  return rows_.Identity(static_cast<std::size_t>(row)) < c.backgroundRows ? c.background : std::nullopt;
}

void MemoryResultGrid::SetColumnValueType(int column, ValueType type) {
  Here();
  if (ValidColumn(column)) columns_[column].valueType = type;
}

ValueType MemoryResultGrid::ColumnValueType(int column) const {
  Here();
  return ValidColumn(column) ? columns_[column].valueType : ValueType::Unknown;
}

void MemoryResultGrid::MarkCellNull(int row, int column) {
  Here();
  if (row >= 0 && ValidColumn(column)) rows_.MarkNull(static_cast<std::size_t>(row), static_cast<std::size_t>(column));
}

bool MemoryResultGrid::CellIsNull(int row, int column) const {
  Here();
  return row >= 0 && ValidColumn(column) && rows_.IsNull(static_cast<std::size_t>(row), static_cast<std::size_t>(column));
}

}  // namespace zuno::testing

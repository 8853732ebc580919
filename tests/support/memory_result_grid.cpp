#include "tests/support/memory_result_grid.h"

namespace zuno::testing {

void MemoryResultGrid::ClearRows() {
  rows_.clear();
  selected_ = -1;
}

void MemoryResultGrid::RemoveAllColumns() {
  columns_.clear();
  for (auto& row : rows_) row.clear();
}

void MemoryResultGrid::AddColumn(int position, std::string_view title, int width) {
  if (position < 0 || position > ColumnCount()) position = ColumnCount();
  columns_.insert(columns_.begin() + position, Column{std::string(title), width < 1 ? 1 : width, true});
  for (auto& row : rows_) {
    if (static_cast<int>(row.size()) < ColumnCount() - 1) row.resize(ColumnCount() - 1);
    row.insert(row.begin() + position, Cell{});
  }
}

void MemoryResultGrid::AppendRow(const std::vector<std::string>& texts) {
  std::vector<Cell> row(columns_.size());
  for (size_t c = 0; c < row.size() && c < texts.size(); ++c) row[c].text = texts[c];
  rows_.push_back(std::move(row));
}

const MemoryResultGrid::Cell* MemoryResultGrid::CellAt(int row, int column) const {
  if (row < 0 || row >= RowCount() || !ValidColumn(column)) return nullptr;
  const auto& cells = rows_[row];
  return column < static_cast<int>(cells.size()) ? &cells[column] : nullptr;
}

std::string MemoryResultGrid::CellText(int row, int column) const {
  if (row == -1) return ColumnTitle(column);
  const Cell* cell = CellAt(row, column);
  return cell ? cell->text : std::string();
}

std::string MemoryResultGrid::ColumnTitle(int column) const {
  return ValidColumn(column) ? columns_[column].title : std::string();
}

void MemoryResultGrid::SelectRow(int row) {
  if (row < 0) {
    selected_ = -1;
    return;
  }
  if (row < RowCount()) selected_ = row;
}

void MemoryResultGrid::SetColumnWidth(int column, int width) {
  if (!ValidColumn(column)) return;
  if (width < 1) {
    columns_[column].visible = false;
    return;
  }
  columns_[column].visible = true;
  columns_[column].width = width;
}

void MemoryResultGrid::SetColumnBackground(int column, Rgb colour) {
  if (!ValidColumn(column)) return;
  for (auto& row : rows_)
    if (column < static_cast<int>(row.size())) row[column].background = colour;
}

std::optional<Rgb> MemoryResultGrid::Background(int row, int column) const {
  const Cell* cell = CellAt(row, column);
  return cell ? cell->background : std::nullopt;
}

void MemoryResultGrid::SetColumnValueType(int column, ValueType type) {
  if (ValidColumn(column)) columns_[column].valueType = type;
}

ValueType MemoryResultGrid::ColumnValueType(int column) const {
  return ValidColumn(column) ? columns_[column].valueType : ValueType::Unknown;
}

void MemoryResultGrid::MarkCellNull(int row, int column) {
  if (CellAt(row, column)) rows_[row][column].null = true;
}

bool MemoryResultGrid::CellIsNull(int row, int column) const {
  const Cell* cell = CellAt(row, column);
  return cell && cell->null;
}

}  // namespace zuno::testing

// The Result Grid on a GtkTreeView over a GtkListStore in a scrolled window.
// Only this class touches those widgets.
#pragma once

#include <gtk/gtk.h>

#include <memory>
#include <optional>
#include <set>
#include <utility>
#include <vector>

#include "app/click_tracker.h"
#include "app/gobject_ptr.h"
#include "grid/result_grid.h"

namespace zuno {

class GtkResultGrid : public ResultGrid {
 public:
  // report receives the grid's clicks (right click, left double-click, ...).
  explicit GtkResultGrid(ClickTracker::Report report);
  ~GtkResultGrid() override;
  GtkResultGrid(const GtkResultGrid&) = delete;
  GtkResultGrid& operator=(const GtkResultGrid&) = delete;

  GtkWidget* widget() const { return scrolled_; }  // what the window places
  // The view with its rows under it: whoever reaches past the operations sees
  // the store even while a fill keeps it away from the view.
  GtkTreeView* view() const;

  void ClearRows() override;
  void RemoveAllColumns() override;
  void AddColumn(int position, std::string_view title, int width) override;
  void AppendRow(const std::vector<std::string>& texts) override;
  int RowCount() const override;
  int ColumnCount() const override;
  std::string CellText(int row, int column) const override;
  std::string ColumnTitle(int column) const override;
  int SelectedRow() const override;
  void SelectRow(int row) override;
  void SetColumnWidth(int column, int width) override;
  void SetColumnBackground(int column, Rgb colour) override;
  void SetGridVisible(bool visible) override;
  void SetColumnValueType(int column, ValueType type) override;
  ValueType ColumnValueType(int column) const override;
  void MarkCellNull(int row, int column) override;
  bool CellIsNull(int row, int column) const override;

  // What the operations leave besides texts, read back for the tests that hold
  // this grid and the in-memory one to the same behaviour.
  int ColumnWidth(int column) const;  // the fixed width; 0 for no such column
  bool ColumnVisible(int column) const;
  std::optional<Rgb> Background(int row, int column) const;
  bool visible() const;

 private:
  // Each grid column is backed by three store columns. They are laid out by
  // kind, all texts first, then all backgrounds, then all foregrounds, so a
  // row that only has texts holds only as many values as the grid has columns
  // (the store keeps a row's values in a list up to the last one set).
  int TextColumn(int column) const { return column; }
  int BackgroundColumn(int column) const { return capacity_ + column; }
  int ForegroundColumn(int column) const { return 2 * capacity_ + column; }

  void GrowStore(int capacity);
  void ShiftCellsRight(int from, int count);
  GtkTreeViewColumn* ViewColumn(int column) const;
  bool RowIter(int row, GtkTreeIter* iter) const;
  // RowIter for a reader that goes through the rows in order, as an export
  // does: the row read last, or the one after it, is found without counting
  // from the first row.
  bool ReadRowIter(int row, GtkTreeIter* iter) const;
  void BindColumn(GtkTreeViewColumn* column, int gridColumn) const;

  // A store that receives many rows is kept away from the view until the next
  // turn of the main loop, so the view lays out the rows once instead of
  // following each insertion.
  void Detach();
  void Attach() const;
  static gboolean AttachWhenIdle(gpointer self);
  // Backgrounds given while the store is away from the view are written when it
  // comes back, all columns of a row at once.
  void PaintPendingBackgrounds() const;

  GtkWidget* scrolled_;
  GtkTreeView* view_;
  GObjectPtr<GtkListStore> store_;
  int capacity_ = 0;  // grid columns the store has room for
  mutable bool attached_ = false;
  mutable guint attachSource_ = 0;
  struct PendingBackground {
    int column;
    int rows;  // the rows present at the call
    GdkRGBA colour;
  };
  mutable std::vector<PendingBackground> pendingBackgrounds_;
  // The row ReadRowIter found last, -1 for none. Rows are only ever added at
  // the end or dropped with their whole store, and a list store's iterators
  // last as long as their rows, so it holds until the store is replaced.
  mutable int readRow_ = -1;
  mutable GtkTreeIter readIter_{};
  // Store column numbers and string values reused by every AppendRow.
  std::vector<gint> appendColumns_;
  std::vector<GValue> appendValues_;
  std::unique_ptr<ClickTracker> clicks_;
  // Kept beside the store, which shows texts and colours only.
  std::vector<ValueType> valueTypes_;         // one per grid column
  std::set<std::pair<int, int>> nullCells_;  // (row, grid column)
};

}  // namespace zuno

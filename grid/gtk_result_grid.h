// The Result Grid on a GtkTreeView in a scrolled window, reading the grid's
// own rows through a small model. Only this class touches those widgets.
#pragma once

#include <gtk/gtk.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "grid/click_tracker.h"
#include "base/gobject_ptr.h"
#include "grid/result_grid.h"

namespace zuno {

class GtkResultGrid : public ResultGrid {
 public:
  // report receives the grid's clicks (right click, left double-click, ...).
  explicit GtkResultGrid(ClickTracker::Report report);
  ~GtkResultGrid() override;
  GtkResultGrid(const GtkResultGrid&) = delete;
  GtkResultGrid& operator=(const GtkResultGrid&) = delete;

  GtkWidget* widget() const { return scrolled_.get(); }  // what the window places
  // The view with its rows under it: whoever reaches past the operations sees
  // the rows even while a fill keeps them away from the view.
  GtkTreeView* view() const;
  // What a screen reader calls the view, given to its accessible object when
  // one is asked for.
  void SetAccessibleName(std::string_view name);

  void ClearRows() override;
  void RemoveAllColumns() override;
  void AddColumn(int position, std::string_view title, int width) override;
  void AppendRow(const std::vector<std::string>& texts) override;
  void AppendRows(ResultRows&& rows) override;
  const ResultRows& Rows() const override { return rows_; }
  int RowCount() const override;
  int ColumnCount() const override;
  std::string CellText(int row, int column) const override;
  std::string ColumnTitle(int column) const override;
  int SelectedRow() const override;
  void SelectRow(int row) override;
  std::vector<int> SelectedRows() const override;
  void AddToSelection(int row) override;
  void SelectAllRows() override;
  void SelectCell(int row, int column) override;
  int CursorColumn() const override;
  int RowIdentity(int row) const override;
  int RowOfIdentity(int identity) const override;
  void SetColumnOrder(int column, ValueOrder order) override;
  void SortRows(int column, SortDirection direction) override;
  GridSort Sort() const override { return sort_; }
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
  // The column whose header shows the sort mark, -1 for none.
  int MarkedHeader() const;
  // As last asked for: a hidden grid's widget goes from the screen on the
  // next turn of the main loop, before anything is laid out or drawn.
  bool visible() const;

 private:
  // A column's background: the rows below `rows` have it, those appended
  // after the call have none. A later call covers at least as many rows as an
  // earlier one, so one record a column is enough.
  struct Tint {
    GdkRGBA colour{};
    GdkRGBA dark{};  // drawn on a dark theme
    Rgb rgb = 0;
    std::size_t rows = 0;
  };
  // The theme's text is light: the tints are drawn dark.
  static void FollowTheme(GtkWidget* view, gpointer self);

  // The view column of a grid column; nullptr for no such column.
  GtkTreeViewColumn* ViewColumn(int column) const;
  GtkTreeViewColumn* NewViewColumn(const std::string& title);
  void NumberColumnsFrom(int column) const;
  // After rows were added at the end while the view shows them.
  void ReportRowsAdded(std::size_t from) const;
  void AppendRowsWhole(ResultRows&& rows);
  static void DrawCell(GtkTreeViewColumn* column, GtkCellRenderer* cell, GtkTreeModel* model,
                       GtkTreeIter* iter, gpointer self);

  // Rows that go in all at once, or all go, are kept away from the view until
  // the next turn of the main loop, so the view takes them in one pass
  // instead of following each row.
  void Detach();
  void Attach() const;
  static gboolean AttachWhenIdle(gpointer self);
  static gboolean SelectUnderRightPress(GtkWidget*, GdkEventButton* e, gpointer self);
  static gboolean OnKeyPress(GtkWidget*, GdkEventKey* e, gpointer self);
  static void OnHeaderClicked(GtkTreeViewColumn* column, gpointer self);
  // The header of the sorted column shows its direction, the others none.
  void MarkSortedHeader() const;
  // The cursor on the cell, the selection left as it is.
  void MoveCursorKeepingSelection(int row, int column);
  static gboolean HideWhenIdle(gpointer self);
  // Selects the row, puts the cursor on it and scrolls it to the middle.
  void ShowSelected(int row, int column = 0, bool middle = true) const;

  GObjectPtr<GtkWidget> scrolled_;
  GObjectPtr<GtkTreeView> view_;
  // The grid's columns are the view's first ones; the view's others are
  // hidden, kept from earlier results to be taken again.
  int columns_ = 0;
  ResultRows rows_;
  GObjectPtr<GtkTreeModel> model_;
  std::vector<Tint> tints_;  // one per column
  bool darkTheme_ = false;
  mutable bool attached_ = false;
  mutable SourceId attachSource_;
  mutable int selectOnAttach_ = -1;  // the selection of rows kept from the view
  mutable int cursorOnAttach_ = 0;   // and the column of its cursor
  SourceId hideSource_;  // a hide asked for and not yet done
  mutable std::string shown_;  // the text of the cell being drawn
  std::unique_ptr<ClickTracker> clicks_;
  ClickTracker::Report report_;  // the keys the grid reports
  std::vector<ValueOrder> orders_;  // one per grid column
  GridSort sort_;
  // Kept beside the store, which shows texts and colours only.
  std::vector<ValueType> valueTypes_;  // one per grid column
};

}  // namespace zuno

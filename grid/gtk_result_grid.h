// The Result Grid on a GtkTreeView over a GtkListStore in a scrolled window.
// Only this class touches those widgets.
#pragma once

#include <gtk/gtk.h>

#include <memory>

#include "app/click_tracker.h"
#include "app/gobject_ptr.h"
#include "grid/result_grid.h"

namespace zuno {

class GtkResultGrid : public ResultGrid {
 public:
  // report receives the grid's clicks (right click, left double-click, ...).
  explicit GtkResultGrid(ClickTracker::Report report);
  ~GtkResultGrid() override;

  GtkWidget* widget() const { return scrolled_; }  // what the window places
  GtkTreeView* view() const { return view_; }

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

 private:
  // Each grid column is backed by three store columns: text, foreground, background.
  static int TextColumn(int gridColumn) { return gridColumn * 3; }
  static int ForegroundColumn(int gridColumn) { return gridColumn * 3 + 1; }
  static int BackgroundColumn(int gridColumn) { return gridColumn * 3 + 2; }
  void MakeStore(int gridColumns);
  GtkTreeViewColumn* ViewColumn(int column) const;
  bool RowIter(int row, GtkTreeIter* iter) const;

  GtkWidget* scrolled_;
  GtkTreeView* view_;
  GObjectPtr<GtkListStore> store_;
  int storeGridColumns_ = 0;
  std::unique_ptr<ClickTracker> clicks_;
};

}  // namespace zuno

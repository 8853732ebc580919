#include "grid/gtk_result_grid.h"

#include <vector>

namespace zuno {
namespace {

GdkRGBA ToRgba(Rgb c) {
  return GdkRGBA{(c & 0xFF) / 255.0, ((c >> 8) & 0xFF) / 255.0, ((c >> 16) & 0xFF) / 255.0, 1.0};
}

void RedrawOnScroll(GtkAdjustment*, gpointer view) { gtk_widget_queue_draw(GTK_WIDGET(view)); }

}  // namespace

GtkResultGrid::GtkResultGrid(ClickTracker::Report report) {
  scrolled_ = gtk_scrolled_window_new(nullptr, nullptr);
  g_object_ref_sink(scrolled_);
  gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(scrolled_), GTK_POLICY_AUTOMATIC,
                                 GTK_POLICY_AUTOMATIC);
  gtk_scrolled_window_set_shadow_type(GTK_SCROLLED_WINDOW(scrolled_), GTK_SHADOW_ETCHED_IN);

  view_ = GTK_TREE_VIEW(gtk_tree_view_new());
  gtk_widget_set_name(GTK_WIDGET(view_), "result-grid");
  gtk_tree_view_set_headers_visible(view_, TRUE);
  gtk_tree_view_set_headers_clickable(view_, FALSE);
  gtk_tree_view_set_grid_lines(view_, GTK_TREE_VIEW_GRID_LINES_BOTH);
  gtk_tree_view_set_enable_search(view_, TRUE);
  gtk_tree_view_set_search_column(view_, TextColumn(0));
  gtk_tree_selection_set_mode(gtk_tree_view_get_selection(view_), GTK_SELECTION_SINGLE);
  gtk_container_add(GTK_CONTAINER(scrolled_), GTK_WIDGET(view_));
  g_signal_connect(gtk_scrollable_get_vadjustment(GTK_SCROLLABLE(view_)), "value-changed",
                   G_CALLBACK(RedrawOnScroll), view_);

  MakeStore(1);
  clicks_ = std::make_unique<ClickTracker>(GTK_WIDGET(view_), scrolled_, std::move(report));
}

GtkResultGrid::~GtkResultGrid() { g_object_unref(scrolled_); }

void GtkResultGrid::MakeStore(int gridColumns) {
  std::vector<GType> types;
  for (int i = 0; i < gridColumns; ++i) {
    types.push_back(G_TYPE_STRING);
    types.push_back(GDK_TYPE_RGBA);
    types.push_back(GDK_TYPE_RGBA);
  }
  GObjectPtr<GtkListStore> store(gtk_list_store_newv(static_cast<gint>(types.size()), types.data()));
  // Rows already present move to the wider store (producers add columns to an
  // empty grid, so in practice there is nothing to copy).
  if (store_) {
    GtkTreeIter from;
    bool more = gtk_tree_model_get_iter_first(GTK_TREE_MODEL(store_.get()), &from);
    while (more) {
      GtkTreeIter to;
      gtk_list_store_append(store.get(), &to);
      for (int c = 0; c < storeGridColumns_ * 3; ++c) {
        GValue v = G_VALUE_INIT;
        gtk_tree_model_get_value(GTK_TREE_MODEL(store_.get()), &from, c, &v);
        gtk_list_store_set_value(store.get(), &to, c, &v);
        g_value_unset(&v);
      }
      more = gtk_tree_model_iter_next(GTK_TREE_MODEL(store_.get()), &from);
    }
  }
  store_ = std::move(store);
  storeGridColumns_ = gridColumns;
  gtk_tree_view_set_model(view_, GTK_TREE_MODEL(store_.get()));
}

GtkTreeViewColumn* GtkResultGrid::ViewColumn(int column) const {
  return column < 0 ? nullptr : gtk_tree_view_get_column(view_, column);
}

bool GtkResultGrid::RowIter(int row, GtkTreeIter* iter) const {
  return row >= 0 &&
         gtk_tree_model_iter_nth_child(GTK_TREE_MODEL(store_.get()), iter, nullptr, row);
}

void GtkResultGrid::ClearRows() { gtk_list_store_clear(store_.get()); }

void GtkResultGrid::RemoveAllColumns() {
  while (GtkTreeViewColumn* c = gtk_tree_view_get_column(view_, 0))
    gtk_tree_view_remove_column(view_, c);
  // The freed store columns are cleared in every row present.
  GtkTreeIter it;
  bool more = gtk_tree_model_get_iter_first(GTK_TREE_MODEL(store_.get()), &it);
  while (more) {
    for (int c = 0; c < storeGridColumns_; ++c)
      gtk_list_store_set(store_.get(), &it, TextColumn(c), nullptr, ForegroundColumn(c), nullptr,
                         BackgroundColumn(c), nullptr, -1);
    more = gtk_tree_model_iter_next(GTK_TREE_MODEL(store_.get()), &it);
  }
}

void GtkResultGrid::AddColumn(int position, std::string_view title, int width) {
  int count = ColumnCount();
  if (position < 0 || position > count) position = count;
  if (count + 1 > storeGridColumns_) MakeStore(count + 1);

  // Columns after the new one shift right; their store columns shift with them.
  for (int c = count - 1; c >= position; --c) {
    GtkTreeViewColumn* col = gtk_tree_view_get_column(view_, c);
    GList* cells = gtk_cell_layout_get_cells(GTK_CELL_LAYOUT(col));
    GtkCellRenderer* cell = GTK_CELL_RENDERER(cells->data);
    g_list_free(cells);
    gtk_tree_view_column_set_attributes(col, cell, "text", TextColumn(c + 1), "foreground-rgba",
                                        ForegroundColumn(c + 1), "cell-background-rgba",
                                        BackgroundColumn(c + 1), nullptr);
  }
  GtkTreeIter it;
  bool more = gtk_tree_model_get_iter_first(GTK_TREE_MODEL(store_.get()), &it);
  while (more) {
    for (int c = count - 1; c >= position; --c) {
      for (int k = 0; k < 3; ++k) {
        GValue v = G_VALUE_INIT;
        gtk_tree_model_get_value(GTK_TREE_MODEL(store_.get()), &it, c * 3 + k, &v);
        gtk_list_store_set_value(store_.get(), &it, (c + 1) * 3 + k, &v);
        g_value_unset(&v);
      }
    }
    gtk_list_store_set(store_.get(), &it, TextColumn(position), nullptr, ForegroundColumn(position),
                       nullptr, BackgroundColumn(position), nullptr, -1);
    more = gtk_tree_model_iter_next(GTK_TREE_MODEL(store_.get()), &it);
  }

  GtkCellRenderer* cell = gtk_cell_renderer_text_new();
  std::string t(title);
  GtkTreeViewColumn* col = gtk_tree_view_column_new_with_attributes(
      t.c_str(), cell, "text", TextColumn(position), "foreground-rgba", ForegroundColumn(position),
      "cell-background-rgba", BackgroundColumn(position), nullptr);
  gtk_tree_view_column_set_expand(col, FALSE);
  gtk_tree_view_column_set_sizing(col, GTK_TREE_VIEW_COLUMN_FIXED);
  gtk_tree_view_column_set_fixed_width(col, width < 1 ? 1 : width);
  gtk_tree_view_column_set_resizable(col, TRUE);
  gtk_tree_view_column_set_reorderable(col, FALSE);
  gtk_tree_view_column_set_clickable(col, FALSE);
  gtk_tree_view_insert_column(view_, col, position);
}

void GtkResultGrid::AppendRow(const std::vector<std::string>& texts) {
  GtkTreeIter it;
  gtk_list_store_append(store_.get(), &it);
  int n = std::min(static_cast<int>(texts.size()), ColumnCount());
  for (int c = 0; c < n; ++c)
    gtk_list_store_set(store_.get(), &it, TextColumn(c), texts[c].c_str(), -1);
}

int GtkResultGrid::RowCount() const {
  return gtk_tree_model_iter_n_children(GTK_TREE_MODEL(store_.get()), nullptr);
}

int GtkResultGrid::ColumnCount() const {
  return static_cast<int>(gtk_tree_view_get_n_columns(view_));
}

std::string GtkResultGrid::CellText(int row, int column) const {
  if (row == -1) return ColumnTitle(column);
  GtkTreeIter it;
  if (column < 0 || column >= ColumnCount() || !RowIter(row, &it)) return {};
  gchar* text = nullptr;
  gtk_tree_model_get(GTK_TREE_MODEL(store_.get()), &it, TextColumn(column), &text, -1);
  GCharPtr owned(text);
  return text ? std::string(text) : std::string();
}

std::string GtkResultGrid::ColumnTitle(int column) const {
  GtkTreeViewColumn* col = ViewColumn(column);
  const gchar* title = col ? gtk_tree_view_column_get_title(col) : nullptr;
  return title ? std::string(title) : std::string();
}

int GtkResultGrid::SelectedRow() const {
  GtkTreeIter it;
  GtkTreeModel* model = nullptr;
  if (!gtk_tree_selection_get_selected(gtk_tree_view_get_selection(view_), &model, &it)) return -1;
  GtkTreePath* path = gtk_tree_model_get_path(model, &it);
  int row = gtk_tree_path_get_indices(path)[0];
  gtk_tree_path_free(path);
  return row;
}

void GtkResultGrid::SelectRow(int row) {
  GtkTreeSelection* selection = gtk_tree_view_get_selection(view_);
  if (row < 0) {
    gtk_tree_selection_unselect_all(selection);
    return;
  }
  GtkTreeIter it;
  if (!RowIter(row, &it)) return;
  gtk_tree_selection_unselect_all(selection);
  GtkTreePath* path = gtk_tree_path_new_from_indices(row, -1);
  gtk_tree_view_set_cursor(view_, path, ViewColumn(0), FALSE);
  gtk_tree_selection_select_path(selection, path);
  gtk_tree_view_scroll_to_cell(view_, path, nullptr, TRUE, 0.5f, 0.0f);
  gtk_tree_path_free(path);
}

void GtkResultGrid::SetColumnWidth(int column, int width) {
  GtkTreeViewColumn* col = ViewColumn(column);
  if (!col) return;
  if (width < 1) {
    gtk_tree_view_column_set_visible(col, FALSE);
    return;
  }
  gtk_tree_view_column_set_visible(col, TRUE);
  gtk_tree_view_column_set_fixed_width(col, width);
}

void GtkResultGrid::SetColumnBackground(int column, Rgb colour) {
  if (column < 0 || column >= ColumnCount()) return;
  GdkRGBA rgba = ToRgba(colour);
  GtkTreeIter it;
  bool more = gtk_tree_model_get_iter_first(GTK_TREE_MODEL(store_.get()), &it);
  while (more) {
    gtk_list_store_set(store_.get(), &it, BackgroundColumn(column), &rgba, -1);
    more = gtk_tree_model_iter_next(GTK_TREE_MODEL(store_.get()), &it);
  }
}

void GtkResultGrid::SetGridVisible(bool visible) { gtk_widget_set_visible(scrolled_, visible); }

}  // namespace zuno

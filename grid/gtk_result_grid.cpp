#include "grid/gtk_result_grid.h"

#include <algorithm>
#include <utility>

#include "base/utf8.h"
#include "grid/cell_text.h"
#include "grid/dark_tint.h"
#include "grid/named_tree_view.h"
#include "grid/row_model.h"

namespace zuno {
namespace {

// Where a view column keeps the number of the grid column it shows.
constexpr const char* kColumnNumber = "zuno-grid-column";

// A cell shows at most this many bytes of its text; the rest is there for
// CellText and the copy-out actions. Laying out a value of megabytes on one
// line would keep the window from drawing for seconds.
constexpr std::size_t kShownBytes = 4000;

// How many columns of a removed result stay in the view for the next one.
constexpr int kSpareColumns = 64;

GdkRGBA ToRgba(Rgb c) {
  return GdkRGBA{(c & 0xFF) / 255.0, ((c >> 8) & 0xFF) / 255.0, ((c >> 16) & 0xFF) / 255.0, 1.0};
}

void RedrawOnScroll(GtkAdjustment*, gpointer view) { gtk_widget_queue_draw(GTK_WIDGET(view)); }

// The text as far as the cell shows it: whole characters up to the limit,
// then an ellipsis.
void ShownText(std::string_view text, std::string& shown) {
  if (text.size() <= kShownBytes) {
    shown.assign(text);
    return;
  }
  shown.assign(text.substr(0, utf8::CharacterStart(text, kShownBytes)));
  shown += "\u2026";
}

}  // namespace

GtkResultGrid::GtkResultGrid(ClickTracker::Report report) {
  scrolled_.reset(GTK_WIDGET(g_object_ref_sink(gtk_scrolled_window_new(nullptr, nullptr))));
  gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(scrolled_.get()), GTK_POLICY_AUTOMATIC,
                                 GTK_POLICY_AUTOMATIC);
  gtk_scrolled_window_set_shadow_type(GTK_SCROLLED_WINDOW(scrolled_.get()), GTK_SHADOW_ETCHED_IN);

  // Held here too: a window destroyed before the grid takes the view with it.
  view_.reset(GTK_TREE_VIEW(g_object_ref_sink(NewNamedTreeView())));
  gtk_widget_set_name(GTK_WIDGET(view_.get()), "result-grid");
  gtk_tree_view_set_headers_visible(view_.get(), TRUE);
  gtk_tree_view_set_headers_clickable(view_.get(), TRUE);  // a click sorts by the column
  gtk_tree_view_set_grid_lines(view_.get(), GTK_TREE_VIEW_GRID_LINES_BOTH);
  gtk_tree_view_set_enable_search(view_.get(), TRUE);
  // Every column has a fixed width and every cell one line of text, so all rows
  // share one height and the view never measures rows it does not show.
  gtk_tree_view_set_fixed_height_mode(view_.get(), TRUE);
  gtk_tree_selection_set_mode(gtk_tree_view_get_selection(view_.get()), GTK_SELECTION_MULTIPLE);
  gtk_container_add(GTK_CONTAINER(scrolled_.get()), GTK_WIDGET(view_.get()));
  // The view shows whenever its scrolled window does: a grid made after the
  // window first showed is not reached by that show.
  gtk_widget_show(GTK_WIDGET(view_.get()));
  g_signal_connect(gtk_scrollable_get_vadjustment(GTK_SCROLLABLE(view_.get())), "value-changed",
                   G_CALLBACK(RedrawOnScroll), view_.get());

  model_.reset(NewRowModel(&rows_));
  Attach();
  // Before the tracker, which keeps the right press from the view: the row
  // under the pointer is selected first, so the popup acts on it.
  g_signal_connect(view_.get(), "button-press-event", G_CALLBACK(SelectUnderRightPress), this);
  g_signal_connect(view_.get(), "style-updated", G_CALLBACK(FollowTheme), this);
  FollowTheme(GTK_WIDGET(view_.get()), this);
  // Before the view's own keys: Ctrl+F would start its type-ahead search.
  g_signal_connect(view_.get(), "key-press-event", G_CALLBACK(OnKeyPress), this);
  report_ = report;
  clicks_ = std::make_unique<ClickTracker>(GTK_WIDGET(view_.get()), scrolled_.get(), std::move(report));
}

gboolean GtkResultGrid::SelectUnderRightPress(GtkWidget*, GdkEventButton* e, gpointer self) {
  auto* grid = static_cast<GtkResultGrid*>(self);
  if (e->type != GDK_BUTTON_PRESS || e->button != GDK_BUTTON_SECONDARY) return FALSE;
  if (e->window != gtk_tree_view_get_bin_window(grid->view_.get())) return FALSE;  // a title, not a row
  GtkTreePath* path = nullptr;
  GtkTreeViewColumn* col = nullptr;
  if (gtk_tree_view_get_path_at_pos(grid->view_.get(), static_cast<gint>(e->x), static_cast<gint>(e->y), &path,
                                    &col, nullptr, nullptr)) {
    const int row = gtk_tree_path_get_indices(path)[0];
    const int column = col ? GPOINTER_TO_INT(g_object_get_data(G_OBJECT(col), kColumnNumber)) : 0;
    // A press on one of several selected rows keeps them: Ctrl+C still
    // copies them all, while the popup acts on the row under the pointer.
    if (gtk_tree_selection_path_is_selected(gtk_tree_view_get_selection(grid->view_.get()), path))
      grid->MoveCursorKeepingSelection(row, column);
    else
      grid->SelectCell(row, column);
    gtk_tree_path_free(path);
  }
  return FALSE;
}

gboolean GtkResultGrid::OnKeyPress(GtkWidget*, GdkEventKey* e, gpointer self) {
  auto* grid = static_cast<GtkResultGrid*>(self);
  const auto mods = e->state & gtk_accelerator_get_default_mod_mask();
  if (mods != GDK_CONTROL_MASK) return FALSE;
  const guint key = gdk_keyval_to_lower(e->keyval);
  if (key == GDK_KEY_c) {
    grid->report_(Action::CopyRows);
    return TRUE;
  }
  if (key == GDK_KEY_f) {
    grid->report_(Action::FindInResult);
    return TRUE;
  }
  return FALSE;
}

void GtkResultGrid::OnHeaderClicked(GtkTreeViewColumn* column, gpointer self) {
  auto* grid = static_cast<GtkResultGrid*>(self);
  const int c = GPOINTER_TO_INT(g_object_get_data(G_OBJECT(column), kColumnNumber));
  const GridSort next = NextSort(grid->sort_, c);
  grid->SortRows(c, next.direction);
}

void GtkResultGrid::MoveCursorKeepingSelection(int row, int column) {
  GtkTreeSelection* selection = gtk_tree_view_get_selection(view_.get());
  const std::vector<int> kept = SelectedRows();
  GtkTreePath* path = gtk_tree_path_new_from_indices(row, -1);
  gtk_tree_view_set_cursor(view_.get(), path, ViewColumn(column), FALSE);
  gtk_tree_path_free(path);
  for (int r : kept) {
    GtkTreePath* p = gtk_tree_path_new_from_indices(r, -1);
    gtk_tree_selection_select_path(selection, p);
    gtk_tree_path_free(p);
  }
}

GtkResultGrid::~GtkResultGrid() {
  attachSource_.Reset();
  hideSource_.Reset();
  g_signal_handlers_disconnect_by_data(view_.get(), clicks_.get());
  g_signal_handlers_disconnect_by_data(view_.get(), this);
  // The view may outlive the grid in a window not yet destroyed: it lets go
  // of the rows first.
  gtk_tree_view_set_model(view_.get(), nullptr);
}

GtkTreeView* GtkResultGrid::view() const {
  Attach();
  return view_.get();
}

void GtkResultGrid::Detach() {
  if (!attached_) return;
  gtk_tree_view_set_model(view_.get(), nullptr);
  attached_ = false;
  // Before input and drawing, which run at lower priorities: nothing outside
  // sees the view without its rows.
  attachSource_ = SourceId(g_idle_add_full(G_PRIORITY_HIGH, AttachWhenIdle, this, nullptr));
}

void GtkResultGrid::Attach() const {
  if (attached_) return;
  attachSource_.Reset();
  gtk_tree_view_set_model(view_.get(), model_.get());
  gtk_tree_view_set_search_column(view_.get(), 0);
  attached_ = true;
  if (selectOnAttach_ >= 0) ShowSelected(std::exchange(selectOnAttach_, -1), std::exchange(cursorOnAttach_, 0));
}

gboolean GtkResultGrid::AttachWhenIdle(gpointer self) {
  auto* grid = static_cast<GtkResultGrid*>(self);
  grid->attachSource_.Forget();  // the source ends as this returns
  grid->Attach();
  return G_SOURCE_REMOVE;
}

void GtkResultGrid::ReportRowsAdded(std::size_t from) const {
  if (!attached_) return;
  for (std::size_t row = from; row < rows_.RowCount(); ++row) {
    GtkTreeIter iter = RowModelIter(model_.get(), static_cast<int>(row));
    GtkTreePath* path = gtk_tree_path_new_from_indices(static_cast<int>(row), -1);
    gtk_tree_model_row_inserted(model_.get(), path, &iter);
    gtk_tree_path_free(path);
  }
}

void GtkResultGrid::FollowTheme(GtkWidget* view, gpointer self) {
  GdkRGBA text;
  gtk_style_context_get_color(gtk_widget_get_style_context(view), GTK_STATE_FLAG_NORMAL, &text);
  static_cast<GtkResultGrid*>(self)->darkTheme_ = IsLightText(text.red, text.green, text.blue);
  gtk_widget_queue_draw(view);
}

void GtkResultGrid::DrawCell(GtkTreeViewColumn* column, GtkCellRenderer* cell, GtkTreeModel* model,
                             GtkTreeIter* iter, gpointer self) {
  const auto* grid = static_cast<const GtkResultGrid*>(self);
  const int row = RowModelRow(model, iter);
  const auto c = static_cast<std::size_t>(GPOINTER_TO_INT(g_object_get_data(G_OBJECT(column), kColumnNumber)));
  std::string_view text = row < 0 ? std::string_view() : grid->rows_.Cell(static_cast<std::size_t>(row), c);
  // A number's text is padded to its column's size, which may be far wider
  // than the column: the blanks give way to the digits, which stand at the
  // right edge, and a number wider still shows its end after an ellipsis.
  const bool number = c < grid->valueTypes_.size() && grid->valueTypes_[c] == ValueType::Number;
  if (number) text = Unpadded(text);
  ShownText(text, grid->shown_);
  const Tint* tint = c < grid->tints_.size() ? &grid->tints_[c] : nullptr;
  const bool tinted = tint && row >= 0 && grid->rows_.Identity(static_cast<std::size_t>(row)) < tint->rows;
  g_object_set(cell, "text", grid->shown_.c_str(), "cell-background-rgba",
               tinted ? (grid->darkTheme_ ? &tint->dark : &tint->colour) : nullptr,
               "xalign", number ? 1.0f : 0.0f, "ellipsize", number ? PANGO_ELLIPSIZE_START : PANGO_ELLIPSIZE_NONE,
               nullptr);
}

void GtkResultGrid::NumberColumnsFrom(int column) const {
  for (int c = column; c < ColumnCount(); ++c) g_object_set_data(G_OBJECT(ViewColumn(c)), kColumnNumber, GINT_TO_POINTER(c));
}

GtkTreeViewColumn* GtkResultGrid::ViewColumn(int column) const {
  return column < 0 || column >= columns_ ? nullptr : gtk_tree_view_get_column(view_.get(), column);
}

void GtkResultGrid::ClearRows() {
  if (RowCount() == 0) return;
  // The view lets go of the rows at once instead of following each removal,
  // and takes the empty grid on the next turn of the main loop.
  Detach();
  selectOnAttach_ = -1;
  rows_.Clear();
  ForgetRowModelIters(model_.get());
  for (Tint& t : tints_) t.rows = 0;
  sort_ = {};
  MarkSortedHeader();
}

void GtkResultGrid::RemoveAllColumns() {
  // The columns stay in the view, hidden, for the next result to take with
  // their header buttons: making and realising those again is most of what
  // showing a small result costs. A very wide result leaves only so many.
  for (int c = columns_ - 1; c >= 0; --c) {
    GtkTreeViewColumn* col = gtk_tree_view_get_column(view_.get(), c);
    if (c >= kSpareColumns)
      gtk_tree_view_remove_column(view_.get(), col);
    else
      gtk_tree_view_column_set_visible(col, FALSE);
  }
  columns_ = 0;
  SetRowModelColumns(model_.get(), 0);
  tints_.clear();
  valueTypes_.clear();
  orders_.clear();
  rows_.DropCells();
  sort_ = {};
  // The spare columns too: a result that takes one finds no mark on it.
  GList* all = gtk_tree_view_get_columns(view_.get());
  for (GList* l = all; l; l = l->next) gtk_tree_view_column_set_sort_indicator(GTK_TREE_VIEW_COLUMN(l->data), FALSE);
  g_list_free(all);
}

void GtkResultGrid::AddColumn(int position, std::string_view title, int width) {
  const int count = ColumnCount();
  if (position < 0 || position > count) position = count;
  if (position < count && RowCount() > 0) rows_.InsertEmptyCell(static_cast<std::size_t>(position));
  tints_.insert(tints_.begin() + position, Tint{});
  valueTypes_.insert(valueTypes_.begin() + position, ValueType::Unknown);
  orders_.insert(orders_.begin() + position, ValueOrder::Text);
  if (sort_.column >= position) ++sort_.column;

  const std::string text(title);
  GtkTreeViewColumn* col = gtk_tree_view_get_column(view_.get(), count);  // a spare one, hidden
  if (col) {
    if (position < count) gtk_tree_view_move_column_after(view_.get(), col, position > 0 ? ViewColumn(position - 1) : nullptr);
    const gchar* was = gtk_tree_view_column_get_title(col);
    if (!was || text != was) {
      gtk_tree_view_column_set_title(col, text.c_str());
      gtk_label_set_text(GTK_LABEL(gtk_tree_view_column_get_widget(col)), text.c_str());
    }
  } else {
    col = NewViewColumn(text);
    gtk_tree_view_insert_column(view_.get(), col, position);
  }
  gtk_tree_view_column_set_fixed_width(col, width < 1 ? 1 : width);
  gtk_tree_view_column_set_visible(col, TRUE);
  columns_ = count + 1;
  SetRowModelColumns(model_.get(), columns_);
  NumberColumnsFrom(position);
  if (sort_.column >= 0) MarkSortedHeader();  // the mark stays with its column
}

GtkTreeViewColumn* GtkResultGrid::NewViewColumn(const std::string& title) {
  GtkTreeViewColumn* col = gtk_tree_view_column_new();
  GtkCellRenderer* cell = gtk_cell_renderer_text_new();
  gtk_tree_view_column_pack_start(col, cell, TRUE);
  gtk_tree_view_column_set_cell_data_func(col, cell, DrawCell, this, nullptr);
  gtk_tree_view_column_set_title(col, title.c_str());
  // The header shows the title as it stands: the column's own header label
  // would take an underscore for a mnemonic, and Db2 names are full of them.
  GtkWidget* header = gtk_label_new(title.c_str());
  gtk_widget_show(header);
  gtk_tree_view_column_set_widget(col, header);
  gtk_tree_view_column_set_expand(col, FALSE);
  gtk_tree_view_column_set_sizing(col, GTK_TREE_VIEW_COLUMN_FIXED);
  gtk_tree_view_column_set_resizable(col, TRUE);
  gtk_tree_view_column_set_reorderable(col, FALSE);
  gtk_tree_view_column_set_clickable(col, TRUE);
  g_signal_connect(col, "clicked", G_CALLBACK(OnHeaderClicked), this);
  return col;
}

void GtkResultGrid::AppendRow(const std::vector<std::string>& texts) {
  // The first row of a fill: the view takes the rows all at once later.
  if (RowCount() == 0) Detach();
  const std::size_t before = rows_.RowCount();
  rows_.AppendRow(texts, static_cast<std::size_t>(ColumnCount()));
  ReportRowsAdded(before);
}

void GtkResultGrid::AppendRows(ResultRows&& rows) {
  if (RowCount() == 0) Detach();
  const std::size_t before = rows_.RowCount();
  // A view told of each row takes about ten times as long a row as one
  // that takes the rows whole: a large share of new rows is given whole.
  if (attached_ && rows.RowCount() * 10 >= before + rows.RowCount()) return AppendRowsWhole(std::move(rows));
  rows_.Append(std::move(rows));
  ReportRowsAdded(before);
}

// The view takes the rows anew; its selection, its cursor and the first row
// it shows stay where the user left them.
void GtkResultGrid::AppendRowsWhole(ResultRows&& rows) {
  GtkTreeView* view = view_.get();
  GtkTreeSelection* selection = gtk_tree_view_get_selection(view);
  const std::vector<int> selected = SelectedRows();
  GtkTreePath* cursor = nullptr;
  GtkTreeViewColumn* cursorColumn = nullptr;
  gtk_tree_view_get_cursor(view, &cursor, &cursorColumn);
  GtkTreePath* top = nullptr;
  if (!gtk_tree_view_get_visible_range(view, &top, nullptr)) top = nullptr;
  gtk_tree_view_set_model(view, nullptr);
  rows_.Append(std::move(rows));
  gtk_tree_view_set_model(view, model_.get());
  gtk_tree_view_set_search_column(view, 0);
  if (cursor) gtk_tree_view_set_cursor(view, cursor, cursorColumn, FALSE);
  gtk_tree_selection_unselect_all(selection);
  for (int row : selected) {
    GtkTreePath* path = gtk_tree_path_new_from_indices(row, -1);
    gtk_tree_selection_select_path(selection, path);
    gtk_tree_path_free(path);
  }
  if (top) gtk_tree_view_scroll_to_cell(view, top, nullptr, TRUE, 0.0f, 0.0f);
  if (cursor) gtk_tree_path_free(cursor);
  if (top) gtk_tree_path_free(top);
}

int GtkResultGrid::RowCount() const { return static_cast<int>(rows_.RowCount()); }

int GtkResultGrid::ColumnCount() const { return columns_; }

std::string GtkResultGrid::CellText(int row, int column) const {
  if (row == -1) return ColumnTitle(column);
  if (row < 0 || column < 0 || column >= ColumnCount()) return {};
  return std::string(rows_.Cell(static_cast<std::size_t>(row), static_cast<std::size_t>(column)));
}

std::string GtkResultGrid::ColumnTitle(int column) const {
  GtkTreeViewColumn* col = ViewColumn(column);
  const gchar* title = col ? gtk_tree_view_column_get_title(col) : nullptr;
  return title ? std::string(title) : std::string();
}

int GtkResultGrid::SelectedRow() const {
  // Rows kept from the view hold the row the view is to select when it takes
  // them.
  if (!attached_) return selectOnAttach_;
  GtkTreePath* cursor = nullptr;
  gtk_tree_view_get_cursor(view_.get(), &cursor, nullptr);
  int row = -1;
  if (cursor && gtk_tree_selection_path_is_selected(gtk_tree_view_get_selection(view_.get()), cursor))
    row = gtk_tree_path_get_indices(cursor)[0];
  if (cursor) gtk_tree_path_free(cursor);
  if (row >= 0) return row;
  const std::vector<int> rows = SelectedRows();
  return rows.empty() ? -1 : rows.front();
}

std::vector<int> GtkResultGrid::SelectedRows() const {
  if (!attached_) return selectOnAttach_ < 0 ? std::vector<int>{} : std::vector<int>{selectOnAttach_};
  std::vector<int> rows;
  GList* paths = gtk_tree_selection_get_selected_rows(gtk_tree_view_get_selection(view_.get()), nullptr);
  for (GList* l = paths; l; l = l->next) rows.push_back(gtk_tree_path_get_indices(static_cast<GtkTreePath*>(l->data))[0]);
  g_list_free_full(paths, reinterpret_cast<GDestroyNotify>(gtk_tree_path_free));
  std::sort(rows.begin(), rows.end());
  return rows;
}

void GtkResultGrid::AddToSelection(int row) {
  if (row < 0 || row >= RowCount()) return;
  Attach();
  MoveCursorKeepingSelection(row, std::max(CursorColumn(), 0));
}

void GtkResultGrid::SelectAllRows() {
  Attach();
  gtk_tree_selection_select_all(gtk_tree_view_get_selection(view_.get()));
}

void GtkResultGrid::SelectCell(int row, int column) {
  if (row < 0 || row >= RowCount() || (column != 0 && (column < 0 || column >= ColumnCount()))) return;
  if (!attached_) {
    selectOnAttach_ = row;
    cursorOnAttach_ = column;
    return;
  }
  ShowSelected(row, column, false);
}

int GtkResultGrid::CursorColumn() const {
  if (!attached_) return selectOnAttach_ < 0 || ColumnCount() == 0 ? -1 : cursorOnAttach_;
  GtkTreePath* path = nullptr;
  GtkTreeViewColumn* col = nullptr;
  gtk_tree_view_get_cursor(view_.get(), &path, &col);
  if (path) gtk_tree_path_free(path);
  if (!path || !col) return -1;
  const int c = GPOINTER_TO_INT(g_object_get_data(G_OBJECT(col), kColumnNumber));
  return c < ColumnCount() ? c : -1;
}

int GtkResultGrid::RowIdentity(int row) const {
  return row < 0 || row >= RowCount() ? -1 : static_cast<int>(rows_.Identity(static_cast<std::size_t>(row)));
}

int GtkResultGrid::RowOfIdentity(int identity) const {
  if (identity < 0) return -1;
  const std::size_t row = rows_.RowOfIdentity(static_cast<std::size_t>(identity));
  return row < rows_.RowCount() ? static_cast<int>(row) : -1;
}

void GtkResultGrid::SetColumnOrder(int column, ValueOrder order) {
  if (column >= 0 && column < ColumnCount()) orders_[static_cast<std::size_t>(column)] = order;
}

void GtkResultGrid::SortRows(int column, SortDirection direction) {
  if (column < 0 || column >= ColumnCount()) return;
  const std::vector<std::size_t> order =
      SortedRows(rows_, static_cast<std::size_t>(column), orders_[static_cast<std::size_t>(column)], direction);
  rows_.Reorder(order);
  sort_ = direction == SortDirection::None ? GridSort{} : GridSort{column, direction};
  MarkSortedHeader();
  if (!attached_) {
    // The row to select when the view takes the rows moves with its row.
    if (selectOnAttach_ >= 0)
      selectOnAttach_ = static_cast<int>(std::find(order.begin(), order.end(), static_cast<std::size_t>(selectOnAttach_)) - order.begin());
    return;
  }
  // The view moves its rows, their selection and its cursor along.
  ForgetRowModelIters(model_.get());
  if (order.empty()) return;
  std::vector<gint> newOrder(order.begin(), order.end());
  GtkTreePath* root = gtk_tree_path_new();
  gtk_tree_model_rows_reordered(model_.get(), root, nullptr, newOrder.data());
  gtk_tree_path_free(root);
  gtk_widget_queue_draw(GTK_WIDGET(view_.get()));
}

int GtkResultGrid::MarkedHeader() const {
  for (int c = 0; c < ColumnCount(); ++c)
    if (gtk_tree_view_column_get_sort_indicator(ViewColumn(c))) return c;
  return -1;
}

void GtkResultGrid::MarkSortedHeader() const {
  for (int c = 0; c < ColumnCount(); ++c) {
    GtkTreeViewColumn* col = ViewColumn(c);
    const bool sorted = c == sort_.column;
    gtk_tree_view_column_set_sort_indicator(col, sorted);
    if (sorted)
      gtk_tree_view_column_set_sort_order(
          col, sort_.direction == SortDirection::Ascending ? GTK_SORT_ASCENDING : GTK_SORT_DESCENDING);
  }
}

void GtkResultGrid::SelectRow(int row) {
  if (row < 0) {
    selectOnAttach_ = -1;
    gtk_tree_selection_unselect_all(gtk_tree_view_get_selection(view_.get()));
    return;
  }
  if (row >= RowCount()) return;
  // A view that has let go of the rows takes them, with the selection, on the
  // next turn of the main loop: taking 100,000 rows now would only make the
  // producer wait for what the view does before it draws anyway.
  if (!attached_) {
    selectOnAttach_ = row;
    cursorOnAttach_ = 0;
    return;
  }
  ShowSelected(row);
}

void GtkResultGrid::ShowSelected(int row, int column, bool middle) const {
  GtkTreeSelection* selection = gtk_tree_view_get_selection(view_.get());
  gtk_tree_selection_unselect_all(selection);
  GtkTreePath* path = gtk_tree_path_new_from_indices(row, -1);
  gtk_tree_view_set_cursor(view_.get(), path, ViewColumn(column), FALSE);
  gtk_tree_selection_select_path(selection, path);
  gtk_tree_view_scroll_to_cell(view_.get(), path, middle ? nullptr : ViewColumn(column), middle, 0.5f, 0.0f);
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
  tints_[static_cast<std::size_t>(column)] = Tint{ToRgba(colour), ToRgba(DarkTint(colour)), colour, rows_.RowCount()};
  gtk_widget_queue_draw(GTK_WIDGET(view_.get()));
}

void GtkResultGrid::SetAccessibleName(std::string_view name) {
  SetAccessibleNameOf(GTK_WIDGET(view_.get()), name);
}

void GtkResultGrid::SetGridVisible(bool visible) {
  if (visible) {
    hideSource_.Reset();
    gtk_widget_show(scrolled_.get());
    return;
  }
  // A producer hides the grid while it fills it and shows it again: hidden
  // before the window next lays out or draws anything, the grid is never
  // unmapped and mapped again for a fill that needed no turn of the loop.
  if (!hideSource_ && gtk_widget_get_visible(scrolled_.get()))
    hideSource_ = SourceId(g_idle_add_full(G_PRIORITY_HIGH, HideWhenIdle, this, nullptr));
}

gboolean GtkResultGrid::HideWhenIdle(gpointer self) {
  auto* grid = static_cast<GtkResultGrid*>(self);
  grid->hideSource_.Forget();  // the source ends as this returns
  gtk_widget_hide(grid->scrolled_.get());
  return G_SOURCE_REMOVE;
}

void GtkResultGrid::SetColumnValueType(int column, ValueType type) {
  if (column >= 0 && column < ColumnCount()) valueTypes_[static_cast<size_t>(column)] = type;
}

ValueType GtkResultGrid::ColumnValueType(int column) const {
  return column >= 0 && column < ColumnCount() ? valueTypes_[static_cast<size_t>(column)] : ValueType::Unknown;
}

void GtkResultGrid::MarkCellNull(int row, int column) {
  if (row >= 0 && column >= 0 && column < ColumnCount())
    rows_.MarkNull(static_cast<std::size_t>(row), static_cast<std::size_t>(column));
}

bool GtkResultGrid::CellIsNull(int row, int column) const {
  return row >= 0 && column >= 0 && column < ColumnCount() &&
         rows_.IsNull(static_cast<std::size_t>(row), static_cast<std::size_t>(column));
}

int GtkResultGrid::ColumnWidth(int column) const {
  GtkTreeViewColumn* col = ViewColumn(column);
  return col ? gtk_tree_view_column_get_fixed_width(col) : 0;
}

bool GtkResultGrid::ColumnVisible(int column) const {
  GtkTreeViewColumn* col = ViewColumn(column);
  return col && gtk_tree_view_column_get_visible(col);
}

std::optional<Rgb> GtkResultGrid::Background(int row, int column) const {
  if (row < 0 || row >= RowCount() || column < 0 || column >= ColumnCount()) return std::nullopt;
  const Tint& t = tints_[static_cast<std::size_t>(column)];
  if (rows_.Identity(static_cast<std::size_t>(row)) >= t.rows) return std::nullopt;
  return t.rgb;
}

bool GtkResultGrid::visible() const { return !hideSource_ && gtk_widget_get_visible(scrolled_.get()); }

}  // namespace zuno

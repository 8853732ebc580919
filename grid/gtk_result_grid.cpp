#include "grid/gtk_result_grid.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace zuno {
namespace {

GdkRGBA ToRgba(Rgb c) {
  return GdkRGBA{(c & 0xFF) / 255.0, ((c >> 8) & 0xFF) / 255.0, ((c >> 16) & 0xFF) / 255.0, 1.0};
}

Rgb FromRgba(const GdkRGBA& c) {
  auto channel = [](double v) { return static_cast<unsigned>(std::lround(std::clamp(v, 0.0, 1.0) * 255)); };
  return MakeRgb(channel(c.red), channel(c.green), channel(c.blue));
}

void RedrawOnScroll(GtkAdjustment*, gpointer view) { gtk_widget_queue_draw(GTK_WIDGET(view)); }

GtkCellRenderer* CellOf(GtkTreeViewColumn* column) {
  GList* cells = gtk_cell_layout_get_cells(GTK_CELL_LAYOUT(column));
  auto* cell = GTK_CELL_RENDERER(cells->data);
  g_list_free(cells);
  return cell;
}

// Values for one store row, read from a row or empty, in the order added.
class RowValues {
 public:
  explicit RowValues(GtkTreeModel* model) : model_(model) {}
  ~RowValues() {
    for (GValue& v : values_) g_value_unset(&v);
  }
  RowValues(const RowValues&) = delete;
  RowValues& operator=(const RowValues&) = delete;

  void Read(GtkTreeIter* iter, gint column) {
    values_.push_back(G_VALUE_INIT);
    gtk_tree_model_get_value(model_, iter, column, &values_.back());
  }
  void Empty(gint column) {
    values_.push_back(G_VALUE_INIT);
    g_value_init(&values_.back(), gtk_tree_model_get_column_type(model_, column));
  }
  GValue* data() { return values_.data(); }

 private:
  GtkTreeModel* model_;
  std::vector<GValue> values_;
};

GObjectPtr<GtkListStore> NewStore(int capacity) {
  std::vector<GType> types;
  for (int i = 0; i < capacity; ++i) types.push_back(G_TYPE_STRING);
  for (int i = 0; i < 2 * capacity; ++i) types.push_back(GDK_TYPE_RGBA);
  return GObjectPtr<GtkListStore>(gtk_list_store_newv(static_cast<gint>(types.size()), types.data()));
}

std::vector<gint> Sequence(int from, int to) {
  std::vector<gint> s;
  for (int i = from; i < to; ++i) s.push_back(i);
  return s;
}

}  // namespace

GtkResultGrid::GtkResultGrid(ClickTracker::Report report) {
  scrolled_ = gtk_scrolled_window_new(nullptr, nullptr);
  g_object_ref_sink(scrolled_);
  gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(scrolled_), GTK_POLICY_AUTOMATIC,
                                 GTK_POLICY_AUTOMATIC);
  gtk_scrolled_window_set_shadow_type(GTK_SCROLLED_WINDOW(scrolled_), GTK_SHADOW_ETCHED_IN);

  // Held here too: a window destroyed before the grid takes the view with it.
  view_ = GTK_TREE_VIEW(g_object_ref_sink(gtk_tree_view_new()));
  gtk_widget_set_name(GTK_WIDGET(view_), "result-grid");
  gtk_tree_view_set_headers_visible(view_, TRUE);
  gtk_tree_view_set_headers_clickable(view_, FALSE);
  gtk_tree_view_set_grid_lines(view_, GTK_TREE_VIEW_GRID_LINES_BOTH);
  gtk_tree_view_set_enable_search(view_, TRUE);
  // Every column has a fixed width and every cell one line of text, so all rows
  // share one height and the view never measures rows it does not show.
  gtk_tree_view_set_fixed_height_mode(view_, TRUE);
  gtk_tree_selection_set_mode(gtk_tree_view_get_selection(view_), GTK_SELECTION_SINGLE);
  gtk_container_add(GTK_CONTAINER(scrolled_), GTK_WIDGET(view_));
  g_signal_connect(gtk_scrollable_get_vadjustment(GTK_SCROLLABLE(view_)), "value-changed",
                   G_CALLBACK(RedrawOnScroll), view_);

  store_ = NewStore(1);
  capacity_ = 1;
  Attach();
  clicks_ = std::make_unique<ClickTracker>(GTK_WIDGET(view_), scrolled_, std::move(report));
}

GtkResultGrid::~GtkResultGrid() {
  if (attachSource_) g_source_remove(attachSource_);
  g_signal_handlers_disconnect_by_data(view_, clicks_.get());
  for (GValue& v : appendValues_) g_value_unset(&v);
  g_object_unref(scrolled_);
  g_object_unref(view_);
}

GtkTreeView* GtkResultGrid::view() const {
  Attach();
  return view_;
}

void GtkResultGrid::Detach() {
  if (!attached_) return;
  gtk_tree_view_set_model(view_, nullptr);
  attached_ = false;
  // Before input and drawing, which run at lower priorities: nothing outside
  // sees the view without its rows.
  attachSource_ = g_idle_add_full(G_PRIORITY_HIGH, AttachWhenIdle, this, nullptr);
}

void GtkResultGrid::Attach() const {
  if (attached_) return;
  if (attachSource_) {
    g_source_remove(attachSource_);
    attachSource_ = 0;
  }
  PaintPendingBackgrounds();
  gtk_tree_view_set_model(view_, GTK_TREE_MODEL(store_.get()));
  gtk_tree_view_set_search_column(view_, TextColumn(0));
  attached_ = true;
}

gboolean GtkResultGrid::AttachWhenIdle(gpointer self) {
  auto* grid = static_cast<GtkResultGrid*>(self);
  grid->attachSource_ = 0;
  grid->Attach();
  return G_SOURCE_REMOVE;
}

void GtkResultGrid::PaintPendingBackgrounds() const {
  if (pendingBackgrounds_.empty()) return;
  std::vector<gint> columns;
  std::vector<GValue> values;
  for (const PendingBackground& p : pendingBackgrounds_) {
    columns.push_back(BackgroundColumn(p.column));
    values.push_back(G_VALUE_INIT);
    g_value_init(&values.back(), GDK_TYPE_RGBA);
    g_value_set_static_boxed(&values.back(), &p.colour);
  }
  // Rows only grow between the calls, so the calls that reach a row are the
  // last ones; a later call for the same column wins.
  GtkTreeModel* model = GTK_TREE_MODEL(store_.get());
  GtkTreeIter it;
  int row = 0;
  size_t first = 0;
  for (bool more = gtk_tree_model_get_iter_first(model, &it); more;
       more = gtk_tree_model_iter_next(model, &it), ++row) {
    while (first < pendingBackgrounds_.size() && pendingBackgrounds_[first].rows <= row) ++first;
    if (first == pendingBackgrounds_.size()) break;
    gtk_list_store_set_valuesv(store_.get(), &it, columns.data() + first, values.data() + first,
                               static_cast<gint>(columns.size() - first));
  }
  for (GValue& v : values) g_value_unset(&v);
  pendingBackgrounds_.clear();
}

// A cell shows at most this many bytes of its text; the rest is there for
// CellText and the copy-out actions. Laying out a value of megabytes on one
// line would keep the window from drawing for seconds.
constexpr gsize kShownBytes = 4000;

namespace {

void ShowLongTextsCut(GtkTreeViewColumn*, GtkCellRenderer* cell, GtkTreeModel* model, GtkTreeIter* iter,
                      gpointer storeColumn) {
  GValue value = G_VALUE_INIT;
  gtk_tree_model_get_value(model, iter, GPOINTER_TO_INT(storeColumn), &value);
  const gchar* text = g_value_get_string(&value);
  if (text && strlen(text) > kShownBytes) {
    gsize end = kShownBytes;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;  // a whole character
    std::string shown(text, end);
    shown += "\u2026";
    g_object_set(cell, "text", shown.c_str(), nullptr);
  }
  g_value_unset(&value);
}

}  // namespace

void GtkResultGrid::BindColumn(GtkTreeViewColumn* column, int gridColumn) const {
  GtkCellRenderer* cell = CellOf(column);
  gtk_tree_view_column_set_attributes(column, cell, "text", TextColumn(gridColumn), "foreground-rgba",
                                      ForegroundColumn(gridColumn), "cell-background-rgba",
                                      BackgroundColumn(gridColumn), nullptr);
  gtk_tree_view_column_set_cell_data_func(column, cell, ShowLongTextsCut, GINT_TO_POINTER(TextColumn(gridColumn)),
                                          nullptr);
}

void GtkResultGrid::GrowStore(int capacity) {
  PaintPendingBackgrounds();
  int oldCapacity = capacity_;
  GObjectPtr<GtkListStore> store = NewStore(capacity);
  // Rows already present move to the wider store (producers add columns to an
  // empty grid, so in practice there is nothing to copy).
  std::vector<gint> from = Sequence(0, 3 * oldCapacity);
  std::vector<gint> to;
  for (int kind = 0; kind < 3; ++kind)
    for (int c = 0; c < oldCapacity; ++c) to.push_back(kind * capacity + c);
  GtkTreeModel* old = GTK_TREE_MODEL(store_.get());
  GtkTreeIter it;
  for (bool more = gtk_tree_model_get_iter_first(old, &it); more;
       more = gtk_tree_model_iter_next(old, &it)) {
    RowValues values(old);
    for (gint c : from) values.Read(&it, c);
    GtkTreeIter added;
    gtk_list_store_insert_with_valuesv(store.get(), &added, -1, to.data(), values.data(),
                                       static_cast<gint>(to.size()));
  }

  // The backgrounds and foregrounds move to new store columns: the view lets go
  // of the old store before the columns are bound to the new one.
  bool wasAttached = attached_;
  int selected = SelectedRow();
  if (wasAttached) gtk_tree_view_set_model(view_, nullptr);
  store_ = std::move(store);
  readRow_ = -1;
  capacity_ = capacity;
  for (int c = 0; c < ColumnCount(); ++c) BindColumn(ViewColumn(c), c);
  if (!wasAttached) return;
  attached_ = false;
  Attach();
  if (selected >= 0) {
    GtkTreePath* path = gtk_tree_path_new_from_indices(selected, -1);
    gtk_tree_selection_select_path(gtk_tree_view_get_selection(view_), path);
    gtk_tree_path_free(path);
  }
}

void GtkResultGrid::ShiftCellsRight(int from, int count) {
  PaintPendingBackgrounds();
  // Store columns of grid columns from..count-1 move one place right; the
  // column at from is left empty for the new grid column.
  auto kinds = [this](int c) { return std::vector<gint>{TextColumn(c), BackgroundColumn(c), ForegroundColumn(c)}; };
  std::vector<gint> target;
  for (int c = from; c <= count; ++c)
    for (gint k : kinds(c)) target.push_back(k);
  GtkTreeModel* model = GTK_TREE_MODEL(store_.get());
  GtkTreeIter it;
  for (bool more = gtk_tree_model_get_iter_first(model, &it); more;
       more = gtk_tree_model_iter_next(model, &it)) {
    RowValues values(model);
    for (gint k : kinds(from)) values.Empty(k);
    for (int c = from; c < count; ++c)
      for (gint k : kinds(c)) values.Read(&it, k);
    gtk_list_store_set_valuesv(store_.get(), &it, target.data(), values.data(),
                               static_cast<gint>(target.size()));
  }
}

GtkTreeViewColumn* GtkResultGrid::ViewColumn(int column) const {
  return column < 0 ? nullptr : gtk_tree_view_get_column(view_, column);
}

bool GtkResultGrid::RowIter(int row, GtkTreeIter* iter) const {
  return row >= 0 &&
         gtk_tree_model_iter_nth_child(GTK_TREE_MODEL(store_.get()), iter, nullptr, row);
}

bool GtkResultGrid::ReadRowIter(int row, GtkTreeIter* iter) const {
  if (readRow_ >= 0 && row == readRow_) {
    *iter = readIter_;
    return true;
  }
  GtkTreeIter next = readIter_;
  if (readRow_ >= 0 && row == readRow_ + 1 && gtk_tree_model_iter_next(GTK_TREE_MODEL(store_.get()), &next)) {
    *iter = next;
  } else if (!RowIter(row, iter)) {
    return false;
  }
  readRow_ = row;
  readIter_ = *iter;
  return true;
}

void GtkResultGrid::ClearRows() {
  if (RowCount() == 0) return;
  // A fresh store is quicker than removing the rows one by one, and the view
  // gets it on the next turn of the main loop instead of following each removal.
  Detach();
  pendingBackgrounds_.clear();
  nullCells_.clear();
  store_ = NewStore(capacity_);
  readRow_ = -1;
}

void GtkResultGrid::RemoveAllColumns() {
  while (GtkTreeViewColumn* c = gtk_tree_view_get_column(view_, 0))
    gtk_tree_view_remove_column(view_, c);
  pendingBackgrounds_.clear();
  valueTypes_.clear();
  nullCells_.clear();
  // The freed store columns are cleared in every row present.
  if (RowCount() == 0) return;
  std::vector<gint> all = Sequence(0, 3 * capacity_);
  GtkTreeModel* model = GTK_TREE_MODEL(store_.get());
  RowValues empty(model);
  for (gint c : all) empty.Empty(c);
  GtkTreeIter it;
  for (bool more = gtk_tree_model_get_iter_first(model, &it); more;
       more = gtk_tree_model_iter_next(model, &it))
    gtk_list_store_set_valuesv(store_.get(), &it, all.data(), empty.data(),
                               static_cast<gint>(all.size()));
}

void GtkResultGrid::AddColumn(int position, std::string_view title, int width) {
  int count = ColumnCount();
  if (position < 0 || position > count) position = count;
  if (count + 1 > capacity_) GrowStore(count + 1);
  if (position < count && RowCount() > 0) ShiftCellsRight(position, count);

  GtkTreeViewColumn* col = gtk_tree_view_column_new();
  gtk_tree_view_column_pack_start(col, gtk_cell_renderer_text_new(), TRUE);
  std::string text(title);
  gtk_tree_view_column_set_title(col, text.c_str());
  // The header shows the title as it stands: the column's own header label
  // would take an underscore for a mnemonic, and Db2 names are full of them.
  GtkWidget* header = gtk_label_new(text.c_str());
  gtk_widget_show(header);
  gtk_tree_view_column_set_widget(col, header);
  gtk_tree_view_column_set_expand(col, FALSE);
  gtk_tree_view_column_set_sizing(col, GTK_TREE_VIEW_COLUMN_FIXED);
  gtk_tree_view_column_set_fixed_width(col, width < 1 ? 1 : width);
  gtk_tree_view_column_set_resizable(col, TRUE);
  gtk_tree_view_column_set_reorderable(col, FALSE);
  gtk_tree_view_column_set_clickable(col, FALSE);
  gtk_tree_view_insert_column(view_, col, position);
  valueTypes_.insert(valueTypes_.begin() + position, ValueType::Unknown);
  std::set<std::pair<int, int>> shifted;
  for (auto [row, column] : nullCells_) shifted.emplace(row, column < position ? column : column + 1);
  nullCells_ = std::move(shifted);
  // The new column and those after it show the store columns of their places.
  for (int c = position; c <= count; ++c) BindColumn(ViewColumn(c), c);
}

void GtkResultGrid::AppendRow(const std::vector<std::string>& texts) {
  // The first row of a fill: the view takes the rows all at once later.
  if (RowCount() == 0) Detach();
  int n = std::min(static_cast<int>(texts.size()), ColumnCount());
  while (static_cast<int>(appendValues_.size()) < n) {
    appendColumns_.push_back(TextColumn(static_cast<int>(appendColumns_.size())));
    appendValues_.push_back(G_VALUE_INIT);
    g_value_init(&appendValues_.back(), G_TYPE_STRING);
  }
  // The store copies each text; the values only lend it the caller's.
  for (int c = 0; c < n; ++c) g_value_set_static_string(&appendValues_[c], texts[c].c_str());
  GtkTreeIter it;
  gtk_list_store_insert_with_valuesv(store_.get(), &it, -1, appendColumns_.data(),
                                     appendValues_.data(), n);
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
  if (column < 0 || column >= ColumnCount() || !ReadRowIter(row, &it)) return {};
  GValue value = G_VALUE_INIT;
  gtk_tree_model_get_value(GTK_TREE_MODEL(store_.get()), &it, TextColumn(column), &value);
  const gchar* text = g_value_get_string(&value);
  std::string cell = text ? std::string(text) : std::string();
  g_value_unset(&value);
  return cell;
}

std::string GtkResultGrid::ColumnTitle(int column) const {
  GtkTreeViewColumn* col = ViewColumn(column);
  const gchar* title = col ? gtk_tree_view_column_get_title(col) : nullptr;
  return title ? std::string(title) : std::string();
}

int GtkResultGrid::SelectedRow() const {
  // Only an empty store is ever kept from the view, and nothing in it can be selected.
  if (!attached_) return -1;
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
  Attach();
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
  if (!attached_) {
    pendingBackgrounds_.push_back(PendingBackground{column, RowCount(), rgba});
    return;
  }
  GValue value = G_VALUE_INIT;
  g_value_init(&value, GDK_TYPE_RGBA);
  g_value_set_static_boxed(&value, &rgba);
  gint target = BackgroundColumn(column);
  GtkTreeModel* model = GTK_TREE_MODEL(store_.get());
  GtkTreeIter it;
  for (bool more = gtk_tree_model_get_iter_first(model, &it); more;
       more = gtk_tree_model_iter_next(model, &it))
    gtk_list_store_set_valuesv(store_.get(), &it, &target, &value, 1);
  g_value_unset(&value);
}

void GtkResultGrid::SetGridVisible(bool visible) { gtk_widget_set_visible(scrolled_, visible); }

void GtkResultGrid::SetColumnValueType(int column, ValueType type) {
  if (column >= 0 && column < ColumnCount()) valueTypes_[static_cast<size_t>(column)] = type;
}

ValueType GtkResultGrid::ColumnValueType(int column) const {
  return column >= 0 && column < ColumnCount() ? valueTypes_[static_cast<size_t>(column)] : ValueType::Unknown;
}

void GtkResultGrid::MarkCellNull(int row, int column) {
  if (row >= 0 && row < RowCount() && column >= 0 && column < ColumnCount()) nullCells_.emplace(row, column);
}

bool GtkResultGrid::CellIsNull(int row, int column) const { return nullCells_.count({row, column}) > 0; }

int GtkResultGrid::ColumnWidth(int column) const {
  GtkTreeViewColumn* col = ViewColumn(column);
  return col ? gtk_tree_view_column_get_fixed_width(col) : 0;
}

bool GtkResultGrid::ColumnVisible(int column) const {
  GtkTreeViewColumn* col = ViewColumn(column);
  return col && gtk_tree_view_column_get_visible(col);
}

std::optional<Rgb> GtkResultGrid::Background(int row, int column) const {
  GtkTreeIter it;
  if (column < 0 || column >= ColumnCount() || !RowIter(row, &it)) return std::nullopt;
  PaintPendingBackgrounds();
  GdkRGBA* rgba = nullptr;
  gtk_tree_model_get(GTK_TREE_MODEL(store_.get()), &it, BackgroundColumn(column), &rgba, -1);
  if (!rgba) return std::nullopt;
  Rgb colour = FromRgba(*rgba);
  gdk_rgba_free(rgba);
  return colour;
}

bool GtkResultGrid::visible() const { return gtk_widget_get_visible(scrolled_); }

}  // namespace zuno

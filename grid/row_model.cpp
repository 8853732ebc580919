#include "grid/row_model.h"

namespace zuno {
namespace {

struct ZunoRowModel {
  GObject parent;
  const ResultRows* rows;
  int columns;
  int stamp;
};

struct ZunoRowModelClass {
  GObjectClass parent;
};

void RowModelInterfaceInit(GtkTreeModelIface* iface);

G_DEFINE_TYPE_WITH_CODE(ZunoRowModel, zuno_row_model, G_TYPE_OBJECT,
                        G_IMPLEMENT_INTERFACE(GTK_TYPE_TREE_MODEL, RowModelInterfaceInit))

ZunoRowModel* Self(GtkTreeModel* model) { return reinterpret_cast<ZunoRowModel*>(model); }

int Rows(ZunoRowModel* m) { return static_cast<int>(m->rows->RowCount()); }

// An iterator holds its row in user_data; the stamp tells whether the rows
// it was made for are still those held.
bool SetIter(ZunoRowModel* m, GtkTreeIter* iter, int row) {
  if (row < 0 || row >= Rows(m)) {
    iter->stamp = 0;
    return false;
  }
  iter->stamp = m->stamp;
  iter->user_data = GINT_TO_POINTER(row);
  iter->user_data2 = nullptr;
  iter->user_data3 = nullptr;
  return true;
}

int IterRow(ZunoRowModel* m, const GtkTreeIter* iter) {
  if (!iter || iter->stamp != m->stamp) return -1;
  int row = GPOINTER_TO_INT(iter->user_data);
  return row < Rows(m) ? row : -1;
}

GtkTreeModelFlags GetFlags(GtkTreeModel*) {
  return static_cast<GtkTreeModelFlags>(GTK_TREE_MODEL_LIST_ONLY | GTK_TREE_MODEL_ITERS_PERSIST);
}

gint GetNColumns(GtkTreeModel* model) { return Self(model)->columns; }

GType GetColumnType(GtkTreeModel*, gint) { return G_TYPE_STRING; }

gboolean GetIter(GtkTreeModel* model, GtkTreeIter* iter, GtkTreePath* path) {
  if (gtk_tree_path_get_depth(path) != 1) return FALSE;
  return SetIter(Self(model), iter, gtk_tree_path_get_indices(path)[0]);
}

GtkTreePath* GetPath(GtkTreeModel* model, GtkTreeIter* iter) {
  int row = IterRow(Self(model), iter);
  return row < 0 ? nullptr : gtk_tree_path_new_from_indices(row, -1);
}

void GetValue(GtkTreeModel* model, GtkTreeIter* iter, gint column, GValue* value) {
  ZunoRowModel* m = Self(model);
  g_value_init(value, G_TYPE_STRING);
  int row = IterRow(m, iter);
  if (row < 0 || column < 0 || column >= m->columns) return;
  std::string_view text = m->rows->Cell(static_cast<std::size_t>(row), static_cast<std::size_t>(column));
  g_value_take_string(value, g_strndup(text.data(), text.size()));
}

gboolean IterNext(GtkTreeModel* model, GtkTreeIter* iter) {
  ZunoRowModel* m = Self(model);
  int row = IterRow(m, iter);
  return row >= 0 && SetIter(m, iter, row + 1);
}

gboolean IterPrevious(GtkTreeModel* model, GtkTreeIter* iter) {
  ZunoRowModel* m = Self(model);
  int row = IterRow(m, iter);
  return row >= 0 && SetIter(m, iter, row - 1);
}

gboolean IterNthChild(GtkTreeModel* model, GtkTreeIter* iter, GtkTreeIter* parent, gint n) {
  if (parent) {
    iter->stamp = 0;
    return FALSE;
  }
  return SetIter(Self(model), iter, n);
}

gboolean IterChildren(GtkTreeModel* model, GtkTreeIter* iter, GtkTreeIter* parent) {
  return IterNthChild(model, iter, parent, 0);
}

gboolean IterHasChild(GtkTreeModel*, GtkTreeIter*) { return FALSE; }

gint IterNChildren(GtkTreeModel* model, GtkTreeIter* iter) { return iter ? 0 : Rows(Self(model)); }

gboolean IterParent(GtkTreeModel*, GtkTreeIter* iter, GtkTreeIter*) {
  iter->stamp = 0;
  return FALSE;
}

void RowModelInterfaceInit(GtkTreeModelIface* iface) {
  iface->get_flags = GetFlags;
  iface->get_n_columns = GetNColumns;
  iface->get_column_type = GetColumnType;
  iface->get_iter = GetIter;
  iface->get_path = GetPath;
  iface->get_value = GetValue;
  iface->iter_next = IterNext;
  iface->iter_previous = IterPrevious;
  iface->iter_children = IterChildren;
  iface->iter_has_child = IterHasChild;
  iface->iter_n_children = IterNChildren;
  iface->iter_nth_child = IterNthChild;
  iface->iter_parent = IterParent;
}

void zuno_row_model_class_init(ZunoRowModelClass*) {}

void zuno_row_model_init(ZunoRowModel* m) {
  m->rows = nullptr;
  m->columns = 0;
  m->stamp = 1;
}

}  // namespace

GtkTreeModel* NewRowModel(const ResultRows* rows) {
  auto* m = static_cast<ZunoRowModel*>(g_object_new(zuno_row_model_get_type(), nullptr));
  m->rows = rows;
  return GTK_TREE_MODEL(m);
}

void SetRowModelColumns(GtkTreeModel* model, int columns) { Self(model)->columns = columns; }

void ForgetRowModelIters(GtkTreeModel* model) {
  ZunoRowModel* m = Self(model);
  // Never 0, which marks an iterator that points nowhere.
  m->stamp = m->stamp == G_MAXINT ? 1 : m->stamp + 1;
}

int RowModelRow(GtkTreeModel* model, const GtkTreeIter* iter) { return IterRow(Self(model), iter); }

GtkTreeIter RowModelIter(GtkTreeModel* model, int row) {
  GtkTreeIter iter{};
  SetIter(Self(model), &iter, row);
  return iter;
}

}  // namespace zuno

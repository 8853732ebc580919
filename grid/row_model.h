// A GtkTreeModel over the Result Grid's own rows: a flat list whose row n is
// row n of the storage and whose column c is the text of grid column c. It
// holds no copy: the view reads the rows through it as it draws them.
#pragma once

#include <gtk/gtk.h>

#include "grid/result_rows.h"

namespace zuno {

// A model over rows, which must outlive it, with no columns yet.
GtkTreeModel* NewRowModel(const ResultRows* rows);
void SetRowModelColumns(GtkTreeModel* model, int columns);
// Iterators handed out before the rows were replaced are no longer valid.
void ForgetRowModelIters(GtkTreeModel* model);
// The row an iterator of the model points at; -1 for a stale one.
int RowModelRow(GtkTreeModel* model, const GtkTreeIter* iter);
// An iterator at row, which must exist.
GtkTreeIter RowModelIter(GtkTreeModel* model, int row);

}  // namespace zuno

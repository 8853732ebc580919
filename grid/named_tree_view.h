// A tree view whose accessible object is made only when something asks for
// it (a screen reader), and is then given the view's name. A made accessible
// announces every cell of every row the view takes in; nobody listening, the
// announcements of a large result would cost more than reading it.
#pragma once

#include <gtk/gtk.h>

#include <string_view>

namespace zuno {

GtkWidget* NewNamedTreeView();
// The name the view's accessible has, now or once it is made.
void SetAccessibleNameOf(GtkWidget* namedTreeView, std::string_view name);

}  // namespace zuno

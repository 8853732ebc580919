#include "grid/named_tree_view.h"

#include <string>

namespace zuno {
namespace {

struct ZunoNamedTreeView {
  GtkTreeView parent;
  gchar* accessibleName;
  gboolean accessibleMade;
};

struct ZunoNamedTreeViewClass {
  GtkTreeViewClass parent;
};

G_DEFINE_TYPE(ZunoNamedTreeView, zuno_named_tree_view, GTK_TYPE_TREE_VIEW)

ZunoNamedTreeView* Self(gpointer view) { return reinterpret_cast<ZunoNamedTreeView*>(view); }

AtkObject* GetAccessible(GtkWidget* widget) {
  AtkObject* accessible = GTK_WIDGET_CLASS(zuno_named_tree_view_parent_class)->get_accessible(widget);
  ZunoNamedTreeView* view = Self(widget);
  if (!view->accessibleMade) {
    view->accessibleMade = TRUE;
    if (accessible && view->accessibleName) atk_object_set_name(accessible, view->accessibleName);
  }
  return accessible;
}

void Finalize(GObject* object) {
  g_free(Self(object)->accessibleName);
  G_OBJECT_CLASS(zuno_named_tree_view_parent_class)->finalize(object);
}

void zuno_named_tree_view_class_init(ZunoNamedTreeViewClass* c) {
  GTK_WIDGET_CLASS(c)->get_accessible = GetAccessible;
  G_OBJECT_CLASS(c)->finalize = Finalize;
}

void zuno_named_tree_view_init(ZunoNamedTreeView* view) {
  view->accessibleName = nullptr;
  view->accessibleMade = FALSE;
}

}  // namespace

GtkWidget* NewNamedTreeView() { return GTK_WIDGET(g_object_new(zuno_named_tree_view_get_type(), nullptr)); }

void SetAccessibleNameOf(GtkWidget* namedTreeView, std::string_view name) {
  ZunoNamedTreeView* view = Self(namedTreeView);
  g_free(view->accessibleName);
  view->accessibleName = g_strndup(name.data(), name.size());
  if (view->accessibleMade) atk_object_set_name(gtk_widget_get_accessible(namedTreeView), view->accessibleName);
}

}  // namespace zuno

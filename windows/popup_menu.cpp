#include "windows/popup_menu.h"

#include <string>

#include "windows/control_table.h"

namespace zuno {
namespace {

constexpr const char* kMenuItemKey = "zuno-menu-item";

}  // namespace

GtkPopupMenu::GtkPopupMenu(GtkWidget* window, std::function<void(int)> chosen) : chosen_(std::move(chosen)) {
  menu_ = gtk_menu_new();
  for (const PopupMenuEntry& entry : PopupMenuEntries()) {
    GtkWidget* item = entry.id == 0 ? gtk_separator_menu_item_new()
                                    : gtk_menu_item_new_with_label(std::string(entry.caption).c_str());
    g_object_set_data(G_OBJECT(item), kMenuItemKey, GINT_TO_POINTER(entry.id));
    if (entry.id != 0)
      g_signal_connect(item, "activate", G_CALLBACK(+[](GtkMenuItem* i, gpointer self) {
                         int id = GPOINTER_TO_INT(g_object_get_data(G_OBJECT(i), kMenuItemKey));
                         static_cast<GtkPopupMenu*>(self)->chosen_(id);
                       }),
                       this);
    gtk_menu_shell_append(GTK_MENU_SHELL(menu_), item);
  }
  gtk_widget_show_all(menu_);
  gtk_menu_attach_to_widget(GTK_MENU(menu_), window, nullptr);
}

void GtkPopupMenu::ShowAtPointer() { gtk_menu_popup_at_pointer(GTK_MENU(menu_), nullptr); }

}  // namespace zuno

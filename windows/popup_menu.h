// The Result Grid's popup menu: its items from the popup table, each
// reporting its number when chosen.
#pragma once

#include <gtk/gtk.h>

#include <functional>

namespace zuno {

class GtkPopupMenu {
 public:
  // Builds the menu on the window; chosen gets the item's number.
  GtkPopupMenu(GtkWidget* window, std::function<void(int)> chosen);
  GtkPopupMenu(const GtkPopupMenu&) = delete;
  GtkPopupMenu& operator=(const GtkPopupMenu&) = delete;

  void ShowAtPointer();
  GtkWidget* menu() const { return menu_; }

 private:
  GtkWidget* menu_ = nullptr;  // the window it is attached to owns it
  std::function<void(int)> chosen_;
};

}  // namespace zuno

// The busy window ("running...") and the nested wait of long work: while the
// work runs, the toolkit's loop goes on, so the windows stay painted, and one
// window holds the input grab, so nothing else takes a click or a key.
#pragma once

#include <gtk/gtk.h>

#include <functional>

#include "windows/gtk_windows.h"

namespace zuno {

class GtkBusyWindow {
 public:
  GtkBusyWindow(GtkWindow* owner, ControlWidgets& widgets);
  ~GtkBusyWindow();
  GtkBusyWindow(const GtkBusyWindow&) = delete;
  GtkBusyWindow& operator=(const GtkBusyWindow&) = delete;

  void Open();
  void Close();
  bool Shown() const { return busy_.window && gtk_widget_get_visible(busy_.window); }
  GtkWidget* window() const { return busy_.window; }

  // Runs the toolkit's loop until finished() holds; Escape and the busy
  // window's close box call cancel meanwhile.
  void WaitUntil(const std::function<bool()>& finished, const std::function<void()>& cancel);

 private:
  void Build();
  void Cancel() const {
    if (cancel_) cancel_();
  }

  GtkWindow* owner_;
  ControlWidgets& widgets_;
  BuiltWindow busy_;  // built at its first use, then shown and hidden
  std::function<void()> cancel_;
};

}  // namespace zuno

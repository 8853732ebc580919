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
  bool Shown() const { return busy_.window && gtk_widget_get_visible(busy_.window) && !hideWhenMapped_; }
  GtkWidget* window() const { return busy_.window; }

  // Runs the toolkit's loop until finished() holds; Escape and the busy
  // window's close box call cancel meanwhile.
  void WaitUntil(const std::function<bool()>& finished, const std::function<void()>& cancel);
  // During the wait: the busy window closes and result (with view, which
  // takes the keys, inside it) holds the input grab until the wait ends;
  // Escape there cancels. A later result takes the grab from the one before.
  void GiveWay(GtkWidget* result, GtkWidget* view);

 private:
  void Build();
  void EndGiveWay();
  static gboolean ResultKey(GtkWidget* result, GdkEventKey* e, gpointer self);
  void Cancel() const {
    if (cancel_) cancel_();
  }

  GtkWindow* owner_;
  ControlWidgets& widgets_;
  BuiltWindow busy_;  // built at its first use, then shown and hidden
  std::function<void()> cancel_;
  // The result that holds the grab once the busy window gave way, and the
  // view inside it that takes the keys.
  GtkWidget* result_ = nullptr;
  GtkWidget* resultView_ = nullptr;
  gulong resultKeys_ = 0;
  // A window withdrawn before the window manager has mapped it can be lost
  // by the manager when it is shown again soon after (it stays unmapped
  // while the toolkit holds it for shown): a close that comes before the map
  // waits for it.
  bool mapped_ = false;
  bool hideWhenMapped_ = false;
};

}  // namespace zuno

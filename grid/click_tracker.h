// Turns button presses and releases on a list or the grid into the actions the
// dispatch table knows: a click is reported when the button that was pressed is
// released with the pointer still over the control. A right press is kept
// from the control's own handling (the grid selects the row under it itself).
#pragma once

#include <gtk/gtk.h>

#include <functional>

#include "grid/control_action.h"

namespace zuno {

class ClickTracker {
 public:
  using Report = std::function<void(Action)>;

  // area: the widget whose allocation counts as "over the control".
  ClickTracker(GtkWidget* source, GtkWidget* area, Report report);
  ClickTracker(const ClickTracker&) = delete;
  ClickTracker& operator=(const ClickTracker&) = delete;

 private:
  static gboolean OnPress(GtkWidget*, GdkEventButton* e, gpointer self);
  static gboolean OnRelease(GtkWidget*, GdkEventButton* e, gpointer self);
  bool PointerInside(const GdkEventButton* e) const;

  GtkWidget* area_;
  Report report_;
  guint pressed_ = 0;
  bool doublePress_ = false;
};

}  // namespace zuno

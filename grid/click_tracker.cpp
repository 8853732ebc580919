#include "grid/click_tracker.h"

namespace zuno {

ClickTracker::ClickTracker(GtkWidget* source, GtkWidget* area, Report report)
    : area_(area), report_(std::move(report)) {
  gtk_widget_add_events(source, GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK);
  g_signal_connect(source, "button-press-event", G_CALLBACK(OnPress), this);
  g_signal_connect(source, "button-release-event", G_CALLBACK(OnRelease), this);
}

gboolean ClickTracker::OnPress(GtkWidget*, GdkEventButton* e, gpointer self) {
  auto* t = static_cast<ClickTracker*>(self);
  if (e->type == GDK_2BUTTON_PRESS) {
    t->doublePress_ = true;
  } else if (e->type == GDK_BUTTON_PRESS) {
    t->pressed_ = e->button;
    t->doublePress_ = false;
  }
  // The control's own handling of the right button stops here.
  return e->button == GDK_BUTTON_SECONDARY ? TRUE : FALSE;
}

gboolean ClickTracker::OnRelease(GtkWidget*, GdkEventButton* e, gpointer self) {
  auto* t = static_cast<ClickTracker*>(self);
  if (e->button != t->pressed_) return FALSE;
  bool twice = t->doublePress_;
  t->pressed_ = 0;
  t->doublePress_ = false;
  if (!t->PointerInside(e)) return FALSE;
  if (e->button == GDK_BUTTON_PRIMARY)
    t->report_(twice ? Action::LeftDoubleClick : Action::LeftClick);
  else if (e->button == GDK_BUTTON_SECONDARY)
    t->report_(twice ? Action::RightDoubleClick : Action::RightClick);
  return FALSE;
}

bool ClickTracker::PointerInside(const GdkEventButton* e) const {
  GdkWindow* window = gtk_widget_get_window(area_);
  if (!window) return false;
  gint ox = 0, oy = 0;
  gdk_window_get_origin(window, &ox, &oy);
  GtkAllocation a;
  gtk_widget_get_allocation(area_, &a);
  if (!gtk_widget_get_has_window(area_)) {
    ox += a.x;
    oy += a.y;
  }
  double x = e->x_root - ox, y = e->y_root - oy;
  return x >= 0 && y >= 0 && x < a.width && y < a.height;
}

}  // namespace zuno

#include "windows/busy_window.h"

namespace zuno {
namespace {

constexpr const char* kBusyTooltip = "Press Escape to cancel a running statement";

}  // namespace

GtkBusyWindow::GtkBusyWindow(GtkWindow* owner, ControlWidgets& widgets) : owner_(owner), widgets_(widgets) {}

GtkBusyWindow::~GtkBusyWindow() {
  if (!busy_.window) return;
  gtk_widget_destroy(busy_.window);
  widgets_.Forget(WindowId::Busy);
}

void GtkBusyWindow::Open() {
  if (Shown()) return;
  if (hideWhenMapped_) {  // still on its way to the screen: it stays
    hideWhenMapped_ = false;
    gtk_grab_add(busy_.window);
    return;
  }
  // Built once and then shown and hidden: a toolkit window that is
  // destroyed leaves its accessible object behind wherever the
  // accessibility bridge still holds it, and that object answers a screen
  // reader's question for its states with nothing.
  if (!busy_.window) Build();
  mapped_ = false;
  gtk_widget_show_all(busy_.window);
  gtk_window_present(GTK_WINDOW(busy_.window));
  // The busy window takes all input while the handler runs: clicks elsewhere
  // are dropped. It paints its text while the long work waits in
  // WaitUntil, which keeps the toolkit's loop going; nothing waits here.
  gtk_grab_add(busy_.window);
  gdk_display_flush(gtk_widget_get_display(busy_.window));
}

void GtkBusyWindow::Build() {
  busy_ = BuildWindow(WindowId::Busy, owner_, widgets_);
  // Its close box cancels the work as Escape does; the program goes on.
  g_signal_connect(busy_.window, "delete-event", G_CALLBACK(+[](GtkWidget*, GdkEvent*, gpointer self) -> gboolean {
                     static_cast<GtkBusyWindow*>(self)->Cancel();
                     return TRUE;
                   }),
                   this);
  g_signal_connect(busy_.window, "map-event", G_CALLBACK(+[](GtkWidget* w, GdkEvent*, gpointer data) -> gboolean {
                     auto* self = static_cast<GtkBusyWindow*>(data);
                     self->mapped_ = true;
                     if (self->hideWhenMapped_) {
                       self->hideWhenMapped_ = false;
                       gtk_widget_hide(w);
                     }
                     return FALSE;
                   }),
                   this);
  gtk_widget_set_tooltip_text(busy_.window, kBusyTooltip);
  g_signal_connect(busy_.window, "key-press-event",
                   G_CALLBACK(+[](GtkWidget*, GdkEventKey* e, gpointer self) -> gboolean {
                     if (e->keyval != GDK_KEY_Escape) return FALSE;
                     static_cast<GtkBusyWindow*>(self)->Cancel();
                     return TRUE;
                   }),
                   this);
}

void GtkBusyWindow::WaitUntil(const std::function<bool()>& finished, const std::function<void()>& cancel) {
  // Without the busy window an invisible widget holds the input grab, so
  // the Main Window and the library take no clicks or keys meanwhile.
  GtkWidget* blocker = nullptr;
  if (!Shown()) {
    blocker = gtk_invisible_new();
    gtk_widget_show(blocker);
    gtk_grab_add(blocker);
  }
  cancel_ = cancel;
  while (!finished()) g_main_context_iteration(nullptr, TRUE);
  cancel_ = nullptr;
  EndGiveWay();
  if (blocker) {
    gtk_grab_remove(blocker);
    gtk_widget_destroy(blocker);
  }
}

void GtkBusyWindow::GiveWay(GtkWidget* result, GtkWidget* view) {
  Close();
  if (!result || result == result_) return;
  EndGiveWay();  // a later result (a script's next page) takes the keys
  result_ = GTK_WIDGET(g_object_ref(result));
  resultView_ = view ? GTK_WIDGET(g_object_ref(view)) : nullptr;
  gtk_grab_add(result_);
  resultKeys_ = g_signal_connect(result_, "key-press-event", G_CALLBACK(ResultKey), this);
}

// The keys reach the result's view alone, wherever the focus stands: the
// Main Window's mnemonics and its other controls wait for the end of the
// work. (Moving the focus to the view would cost a large result a walk of
// its rows.)
gboolean GtkBusyWindow::ResultKey(GtkWidget*, GdkEventKey* e, gpointer data) {
  auto* self = static_cast<GtkBusyWindow*>(data);
  if (e->keyval == GDK_KEY_Escape) {
    self->Cancel();
    return TRUE;
  }
  if (self->resultView_) gtk_widget_event(self->resultView_, reinterpret_cast<GdkEvent*>(e));
  return TRUE;
}

void GtkBusyWindow::EndGiveWay() {
  if (!result_) return;
  g_signal_handler_disconnect(result_, resultKeys_);
  gtk_grab_remove(result_);
  g_object_unref(result_);
  if (resultView_) g_object_unref(resultView_);
  result_ = resultView_ = nullptr;
  resultKeys_ = 0;
}

void GtkBusyWindow::Close() {
  if (!Shown()) return;
  gtk_grab_remove(busy_.window);
  if (mapped_)
    gtk_widget_hide(busy_.window);
  else
    hideWhenMapped_ = true;
}

}  // namespace zuno

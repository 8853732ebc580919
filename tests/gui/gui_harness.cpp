#include "tests/gui/gui_harness.h"

namespace zuno::testing {
namespace {

std::vector<std::string>& Warnings() {
  static std::vector<std::string> warnings;
  return warnings;
}

}  // namespace

void RecordToolkitWarning(const std::string& message) { Warnings().push_back(message); }

std::vector<std::string> TakeToolkitWarnings() {
  std::vector<std::string> taken;
  taken.swap(Warnings());
  return taken;
}

bool RunUntil(const std::function<bool()>& done, int timeoutMs) {
  gint64 deadline = g_get_monotonic_time() + gint64{timeoutMs} * 1000;
  guint wake = g_timeout_add(10, [](gpointer) -> gboolean { return G_SOURCE_CONTINUE; }, nullptr);
  while (!done() && g_get_monotonic_time() < deadline) g_main_context_iteration(nullptr, TRUE);
  g_source_remove(wake);
  return done();
}

void RunFor(int ms) {
  gint64 end = g_get_monotonic_time() + gint64{ms} * 1000;
  RunUntil([end] { return g_get_monotonic_time() >= end; }, ms + 1000);
}

bool WaitForDraw(GtkWidget* widget, int timeoutMs) {
  bool drawn = false;
  gulong id = g_signal_connect_after(widget, "draw",
                                     G_CALLBACK(+[](GtkWidget*, cairo_t*, gpointer flag) -> gboolean {
                                       *static_cast<bool*>(flag) = true;
                                       return FALSE;
                                     }),
                                     &drawn);
  gtk_widget_queue_draw(widget);
  bool ok = RunUntil([&] { return drawn; }, timeoutMs);
  g_signal_handler_disconnect(widget, id);
  return ok;
}

std::unique_ptr<Program> StartAndShow() {
  std::unique_ptr<Program> p = StartProgram();
  WaitForDraw(p->shell.mainWindow());
  // Let the size negotiation settle before anyone measures.
  RunUntil([&] {
    GtkAllocation a;
    gtk_widget_get_allocation(p->shell.outer(kExitButton), &a);
    return a.width == 145;
  });
  return p;
}

Rect AllocationOf(GtkWidget* w) {
  GtkAllocation a;
  gtk_widget_get_allocation(w, &a);
  return Rect{a.x, a.y, a.width, a.height};
}

Rect PlaceInWindow(GtkWidget* w) {
  GtkWidget* client = gtk_bin_get_child(GTK_BIN(gtk_widget_get_toplevel(w)));
  Rect r = AllocationOf(w);
  gtk_widget_translate_coordinates(w, client, 0, 0, &r.x, &r.y);
  return r;
}

void CountStatementRuns(Program& p, int& runs) {
  auto run = p.dispatcher.handlers().runStatement;
  p.dispatcher.handlers().runStatement = [&runs, run] {
    ++runs;
    run();
  };
}

MessageBoxAnswerer::MessageBoxAnswerer() : source_(g_timeout_add(20, &MessageBoxAnswerer::Poll, this)) {}

MessageBoxAnswerer::~MessageBoxAnswerer() { g_source_remove(source_); }

// A dialog is answered once each time it shows: the program shows the same
// one again for its next question.
static void MarkAnswered(GtkWidget* w) {
  if (!g_object_get_data(G_OBJECT(w), "answer-watched")) {
    g_signal_connect(w, "hide", G_CALLBACK(+[](GtkWidget* d, gpointer) {
                       g_object_set_data(G_OBJECT(d), "answered", nullptr);
                     }),
                     nullptr);
    g_object_set_data(G_OBJECT(w), "answer-watched", GINT_TO_POINTER(1));
  }
  g_object_set_data(G_OBJECT(w), "answered", GINT_TO_POINTER(1));
}

gboolean MessageBoxAnswerer::Poll(gpointer self) {
  auto* answerer = static_cast<MessageBoxAnswerer*>(self);
  GList* windows = gtk_window_list_toplevels();
  for (GList* l = windows; l; l = l->next) {
    GtkWidget* w = GTK_WIDGET(l->data);
    if (!GTK_IS_DIALOG(w) || !gtk_widget_get_visible(w) || g_object_get_data(G_OBJECT(w), "answered")) continue;
    if (!GTK_IS_MESSAGE_DIALOG(w)) {
      // An input dialog: the one entry of its content area.
      GList* children = gtk_container_get_children(GTK_CONTAINER(gtk_dialog_get_content_area(GTK_DIALOG(w))));
      for (GList* c = children; c; c = c->next) {
        if (!GTK_IS_ENTRY(c->data) || answerer->inputs.empty()) continue;
        answerer->presets.emplace_back(gtk_entry_get_text(GTK_ENTRY(c->data)));
        gtk_entry_set_text(GTK_ENTRY(c->data), answerer->inputs.front().c_str());
        answerer->inputs.erase(answerer->inputs.begin());
        MarkAnswered(w);
        gtk_dialog_response(GTK_DIALOG(w), GTK_RESPONSE_OK);
        break;
      }
      g_list_free(children);
      continue;
    }
    gchar* text = nullptr;
    g_object_get(w, "text", &text, nullptr);
    answerer->texts.emplace_back(text ? text : "");
    answerer->seenAt.push_back(g_get_monotonic_time());
    g_free(text);
    MarkAnswered(w);
    gtk_dialog_response(GTK_DIALOG(w), GTK_RESPONSE_OK);
  }
  g_list_free(windows);
  return G_SOURCE_CONTINUE;
}

}  // namespace zuno::testing

// The second floor of the start-up and memory cases: a GTK 3 program that
// shows the Main Window's widgets and nothing else. Every control of the
// control table is made in the same kind, laid out in the same containers, with
// the same caption and checked state; the SQL editor is a source view with
// line numbers, the lists and the Result Grid are tree views in scrolled
// windows, the logo is ZUNO.JPG of the working directory, and ZUNO's CSS
// provider is installed. No handler, no ODBC, no settings, no files read
// besides the logo.
//
//   bench_same_widgets            shows the window until it is closed or killed
//   bench_same_widgets --memory   shows it, lets the loop rest, prints its
//                                 memory as samples "memory-rss-widgets" and
//                                 "memory-anon-widgets" and ends
#include <gtk/gtk.h>
#include <gtksourceview/gtksource.h>

#include <cstring>
#include <string>

#include "bench/floor_window.h"
#include "windows/control_table.h"
#include "windows/css_provider.h"
#include "windows/gtk_windows.h"

namespace {

using zuno::ControlKind;
using zuno::ControlSpec;

GtkWidget* Scrolled(GtkWidget* inner) {
  GtkWidget* scrolled = gtk_scrolled_window_new(nullptr, nullptr);
  gtk_scrolled_window_set_shadow_type(GTK_SCROLLED_WINDOW(scrolled), GTK_SHADOW_ETCHED_IN);
  gtk_container_add(GTK_CONTAINER(scrolled), inner);
  return scrolled;
}

GtkWidget* TreeView(bool headers, int columns) {
  GtkListStore* store = gtk_list_store_new(1, G_TYPE_STRING);
  GtkWidget* view = gtk_tree_view_new_with_model(GTK_TREE_MODEL(store));
  g_object_unref(store);
  gtk_tree_view_set_headers_visible(GTK_TREE_VIEW(view), headers);
  for (int c = 0; c < columns; ++c)
    gtk_tree_view_append_column(GTK_TREE_VIEW(view), gtk_tree_view_column_new_with_attributes(
                                                         headers ? "Column 1" : "", gtk_cell_renderer_text_new(),
                                                         "text", 0, nullptr));
  return view;
}

GtkWidget* Label(const std::string& caption, float xalign) {
  GtkWidget* label = gtk_label_new(caption.c_str());
  gtk_label_set_line_wrap(GTK_LABEL(label), TRUE);
  gtk_label_set_xalign(GTK_LABEL(label), xalign);
  return label;
}

GtkWidget* Entry(const std::string& text, bool visible) {
  GtkWidget* entry = gtk_entry_new();
  gtk_entry_set_width_chars(GTK_ENTRY(entry), 1);
  gtk_entry_set_text(GTK_ENTRY(entry), text.c_str());
  gtk_entry_set_visibility(GTK_ENTRY(entry), visible);
  return entry;
}

GtkWidget* Control(const ControlSpec& c) {
  const std::string caption(c.caption);
  switch (c.kind) {
    case ControlKind::Button: return gtk_button_new_with_label(caption.c_str());
    case ControlKind::CheckBox: {
      GtkWidget* box = gtk_check_button_new_with_label(caption.c_str());
      gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(box), c.checked);
      return box;
    }
    case ControlKind::ComboEntry: {
      GtkWidget* combo = gtk_combo_box_text_new_with_entry();
      gtk_entry_set_width_chars(GTK_ENTRY(gtk_bin_get_child(GTK_BIN(combo))), 1);
      return combo;
    }
    case ControlKind::Entry: return Entry("", true);
    case ControlKind::PasswordEntry: return Entry("", false);
    case ControlKind::DigitsEntry: return Entry(caption, true);
    case ControlKind::LabelLeft: return Label(caption, 0.0f);
    case ControlKind::LabelRight: return Label(caption, 1.0f);
    case ControlKind::LabelCentre: return Label(caption, 0.5f);
    case ControlKind::List: return Scrolled(TreeView(false, 1));
    case ControlKind::Grid: {
      GtkWidget* view = TreeView(true, 0);
      gtk_widget_set_name(view, "result-grid");
      gtk_tree_view_set_grid_lines(GTK_TREE_VIEW(view), GTK_TREE_VIEW_GRID_LINES_BOTH);
      return Scrolled(view);
    }
    case ControlKind::Editor: {
      GtkWidget* view = gtk_source_view_new();
      gtk_source_view_set_show_line_numbers(GTK_SOURCE_VIEW(view), TRUE);
      return Scrolled(view);
    }
    case ControlKind::Image: {
      GtkWidget* image = gtk_image_new_from_file("ZUNO.JPG");
      gtk_widget_set_halign(image, GTK_ALIGN_START);
      gtk_widget_set_valign(image, GTK_ALIGN_START);
      return image;
    }
  }
  return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  const bool memory = argc > 1 && std::strcmp(argv[1], "--memory") == 0;
  int toolkitArgc = 1;
  gtk_init(&toolkitArgc, &argv);
  zuno::InstallCssProvider();
  const zuno::WindowSpec& shape = zuno::WindowById(zuno::WindowId::Main);
  GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  gtk_window_set_title(GTK_WINDOW(window), std::string(shape.title).c_str());
  gtk_window_set_default_size(GTK_WINDOW(window), shape.width, shape.height);
  zuno::ControlWidgets widgets;
  for (const ControlSpec& c : zuno::AllControls()) {
    if (c.window != zuno::WindowId::Main) continue;
    GtkWidget* w = Control(c);
    gtk_widget_set_sensitive(w, c.enabled);
    widgets.Put(c.id, w, w);
  }
  zuno::MainWindowParts parts;
  gtk_container_add(GTK_CONTAINER(window), zuno::LayOutWindow(zuno::WindowId::Main, widgets, parts));
  return zuno::bench::ShowFloorWindow(window, memory, "memory-rss-widgets", "memory-anon-widgets");
}

// The widget grid as the Main Window holds it: in a shown toplevel, at the size
// of its place, with the program's style provider (installed by the GUI suite's
// start-up) giving it its font. For gui_tests only.
#pragma once

#include <gtk/gtk.h>

#include <functional>
#include <vector>

#include "grid/click_tracker.h"
#include "grid/gtk_result_grid.h"
#include "tests/gui/gui_harness.h"

namespace zuno::testing {

class GridInWindow {
 public:
  GridInWindow()
      : grid([this](Action a) {
          reports.push_back(a);
          if (onReport) onReport(a);
        }) {
    window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_resizable(GTK_WINDOW(window), FALSE);
    gtk_widget_set_size_request(grid.widget(), 630, 255);
    gtk_container_add(GTK_CONTAINER(window), grid.widget());
    gtk_widget_show_all(window);
    WaitForDraw(GTK_WIDGET(grid.view()));
  }
  ~GridInWindow() { gtk_widget_destroy(window); }
  GridInWindow(const GridInWindow&) = delete;
  GridInWindow& operator=(const GridInWindow&) = delete;

  // Runs what the toolkit left for later, up to the grid's next drawing when
  // it is shown.
  void Settle() {
    if (grid.visible()) WaitForDraw(GTK_WIDGET(grid.view()));
    for (int i = 0; i < 100 && g_main_context_iteration(nullptr, FALSE); ++i) {
    }
  }

  std::vector<Action> reports;  // what the grid reported, in order
  std::function<void(Action)> onReport;  // a handler's part, run on each report
  GtkResultGrid grid;
  GtkWidget* window;
};

}  // namespace zuno::testing

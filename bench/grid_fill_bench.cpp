// How long the Result Grid takes to show a catalog list of 100,000 rows of eight
// short texts: filled the way the catalog lists fill it (grid left visible) and
// the way a query result fills it (grid hidden while the rows go in), twice each
// so the second round also pays for clearing a full grid.
//
//   xvfb-run -a ./grid_fill_bench [rows]
#include <gtk/gtk.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "windows/css_provider.h"
#include "grid/gtk_result_grid.h"

namespace {

using zuno::GtkResultGrid;

constexpr int kColumns = 8;
constexpr zuno::Rgb kCatalogTint = zuno::MakeRgb(250, 250, 250);

double NowMs() { return static_cast<double>(g_get_monotonic_time()) / 1000.0; }

// Runs the main loop until done() holds; gives up after a minute.
template <typename Done>
bool Iterate(Done done) {
  double deadline = NowMs() + 60000;
  while (!done() && NowMs() < deadline) g_main_context_iteration(nullptr, TRUE);
  return done();
}

std::vector<std::vector<std::string>> MakeRows(int count) {
  std::vector<std::vector<std::string>> rows(count);
  for (int r = 0; r < count; ++r) {
    rows[r] = {"SYSIBM",  "TAB" + std::to_string(r), "T", "USERSPACE1", std::to_string(r * 7),
               "2024-03-01", "N", "row " + std::to_string(r)};
  }
  return rows;
}

struct Timings {
  double fill = 0;     // clear, columns and rows
  double tint = 0;     // one background per column, as the catalog lists do
  double select = 0;   // re-selecting a row in the middle: the view takes the rows
                       // here at the latest, and colours held back are written
  double drawn = 0;    // from the end of those calls until the view has drawn once
  double settled = 0;  // until the main loop has nothing left to do
};

Timings Refill(GtkResultGrid& grid, const std::vector<std::vector<std::string>>& rows,
               bool hideWhileAppending) {
  bool drawn = false;
  gulong id = g_signal_connect_after(grid.view(), "draw",
                                     G_CALLBACK(+[](GtkWidget*, cairo_t*, gpointer flag) -> gboolean {
                                       *static_cast<bool*>(flag) = true;
                                       return FALSE;
                                     }),
                                     &drawn);
  Timings t;
  double start = NowMs();
  grid.ClearRows();
  grid.RemoveAllColumns();
  for (int c = 0; c < kColumns; ++c) grid.AddColumn(c, "COLUMN" + std::to_string(c), 100);
  if (hideWhileAppending) grid.SetGridVisible(false);
  for (const auto& row : rows) grid.AppendRow(row);
  if (hideWhileAppending) grid.SetGridVisible(true);
  double filled = NowMs();
  t.fill = filled - start;
  for (int c = 0; c < kColumns; ++c) grid.SetColumnBackground(c, kCatalogTint);
  double tinted = NowMs();
  t.tint = tinted - filled;
  grid.SelectRow(static_cast<int>(rows.size()) / 2);
  double selected = NowMs();
  t.select = selected - tinted;

  drawn = false;
  Iterate([&] { return drawn; });
  t.drawn = NowMs() - selected;
  bool idle = false;
  g_idle_add_full(G_PRIORITY_LOW, +[](gpointer flag) -> gboolean {
    *static_cast<bool*>(flag) = true;
    return G_SOURCE_REMOVE;
  }, &idle, nullptr);
  Iterate([&] { return idle; });
  t.settled = NowMs() - selected;
  g_signal_handler_disconnect(grid.view(), id);
  if (grid.SelectedRow() != static_cast<int>(rows.size()) / 2 ||
      grid.RowCount() != static_cast<int>(rows.size())) {
    std::fprintf(stderr, "the grid did not end up as filled\n");
    std::exit(1);
  }
  return t;
}

}  // namespace

int main(int argc, char** argv) {
  gtk_init(&argc, &argv);
  zuno::InstallCssProvider();
  int count = argc > 1 ? std::atoi(argv[1]) : 100000;

  GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  gtk_window_set_default_size(GTK_WINDOW(window), 630, 255);
  GtkResultGrid grid([](zuno::Action) {});
  gtk_container_add(GTK_CONTAINER(window), grid.widget());
  // The Main Window names the grid for screen readers, which makes the view keep
  // an accessible object that follows every change of the rows.
  atk_object_set_name(gtk_widget_get_accessible(GTK_WIDGET(grid.view())), "Result Grid");
  gtk_widget_show_all(window);
  bool mapped = false;
  Iterate([&] {
    mapped = gtk_widget_get_mapped(GTK_WIDGET(grid.view()));
    return mapped;
  });

  std::vector<std::vector<std::string>> rows = MakeRows(count);
  std::printf("%d rows x %d columns; times in ms\n", count, kColumns);
  std::printf("%-26s %8s %8s %8s %8s %8s %8s\n", "round", "fill", "tint", "select", "drawn",
              "to draw", "settled");
  for (bool hidden : {false, true}) {
    for (int round = 1; round <= 2; ++round) {
      Timings t = Refill(grid, rows, hidden);
      std::string name = std::string(hidden ? "hidden while appending" : "left visible") + " #" +
                         std::to_string(round);
      std::printf("%-26s %8.1f %8.1f %8.1f %8.1f %8.1f %8.1f\n", name.c_str(), t.fill, t.tint,
                  t.select, t.drawn, t.fill + t.tint + t.select + t.drawn,
                  t.fill + t.tint + t.select + t.settled);
      std::fflush(stdout);
    }
  }
  gtk_widget_destroy(window);
  return 0;
}

// The floor of the start-up and memory cases: the least GTK 3 program that
// shows one window of the Main Window's size, 820 x 555.
//
//   bench_gtk_floor            shows the window until it is closed or killed
//   bench_gtk_floor --memory   shows it, lets the loop rest, prints its memory
//                              as samples "memory-rss" and "memory-anon" and ends
#include <gtk/gtk.h>

#include <cstring>

#include "bench/main_loop_wait.h"
#include "bench/process_memory.h"
#include "bench/samples.h"

int main(int argc, char** argv) {
  const bool memory = argc > 1 && std::strcmp(argv[1], "--memory") == 0;
  int toolkitArgc = 1;
  gtk_init(&toolkitArgc, &argv);
  GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  gtk_window_set_title(GTK_WINDOW(window), "floor");
  gtk_window_set_default_size(GTK_WINDOW(window), 820, 555);
  g_signal_connect(window, "destroy", G_CALLBACK(gtk_main_quit), nullptr);

  if (!memory) {
    gtk_widget_show_all(window);
    gtk_main();
    return 0;
  }
  // The same rest as ZUNO's at-rest measurement gives its process.
  zuno::bench::DrawWatch drawn(window);
  gtk_widget_show_all(window);
  if (!drawn.Wait(10000)) zuno::bench::Fail("the window was not drawn");
  zuno::bench::Settle(800);
  zuno::bench::ProcessMemory m = zuno::bench::ReadOwnMemory();
  if (m.rssKb < 0 || m.anonymousKb < 0) zuno::bench::Fail("cannot read the process's memory");
  zuno::bench::PrintSample("memory-rss", "floor", static_cast<double>(m.rssKb));
  zuno::bench::PrintSample("memory-anon", "floor", static_cast<double>(m.anonymousKb));
  return 0;
}

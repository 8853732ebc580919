// The floor of the start-up and memory cases: the least GTK 3 program that
// shows one window of the Main Window's size, 820 x 555.
//
//   bench_gtk_floor            shows the window until it is closed or killed
//   bench_gtk_floor --memory   shows it, lets the loop rest, prints its memory
//                              as samples "memory-rss" and "memory-anon" and ends
#include <gtk/gtk.h>

#include <cstring>

#include "bench/floor_window.h"

int main(int argc, char** argv) {
  const bool memory = argc > 1 && std::strcmp(argv[1], "--memory") == 0;
  int toolkitArgc = 1;
  gtk_init(&toolkitArgc, &argv);
  GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  gtk_window_set_title(GTK_WINDOW(window), "floor");
  gtk_window_set_default_size(GTK_WINDOW(window), 820, 555);
  return zuno::bench::ShowFloorWindow(window, memory, "memory-rss", "memory-anon");
}

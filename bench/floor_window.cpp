#include "bench/floor_window.h"

#include "bench/main_loop_wait.h"
#include "bench/process_memory.h"
#include "bench/samples.h"

namespace zuno::bench {

int ShowFloorWindow(GtkWidget* window, bool memory, const std::string& rssSample, const std::string& anonSample) {
  g_signal_connect(window, "destroy", G_CALLBACK(gtk_main_quit), nullptr);
  if (!memory) {
    gtk_widget_show_all(window);
    gtk_main();
    return 0;
  }
  DrawWatch drawn(window);
  gtk_widget_show_all(window);
  if (!drawn.Wait(10000)) Fail("the window was not drawn");
  Settle(800);
  ProcessMemory m = ReadOwnMemory();
  if (m.rssKb < 0 || m.anonymousKb < 0) Fail("cannot read the process's memory");
  PrintSample(rssSample, "floor", static_cast<double>(m.rssKb));
  PrintSample(anonSample, "floor", static_cast<double>(m.anonymousKb));
  return 0;
}

}  // namespace zuno::bench

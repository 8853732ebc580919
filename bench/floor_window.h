// The end of each start-up and memory floor: show the window, and either
// keep it until it is closed or, for the memory case, let the loop rest as
// ZUNO's at-rest measurement does and print the process's memory.
#pragma once

#include <gtk/gtk.h>

#include <string>

namespace zuno::bench {

// The memory case prints its resident set as rssSample and its anonymous
// memory as anonSample. Returns the program's exit code.
int ShowFloorWindow(GtkWidget* window, bool memory, const std::string& rssSample, const std::string& anonSample);

}  // namespace zuno::bench

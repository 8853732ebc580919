// The SQL editor's font size, zoomed by Ctrl+plus, Ctrl+minus and Ctrl+0.
#pragma once

#include <gtk/gtk.h>

namespace zuno {

enum class Zoom { In, Out, Reset };

void ZoomEditor(GtkWidget* view, Zoom zoom);

// The editor's font size in percent of the theme's; 100 until zoomed.
int EditorZoomPercent(GtkWidget* view);

}  // namespace zuno

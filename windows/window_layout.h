// Where the controls stand: the containers each window's controls are laid
// out in. GTK gives them their places and their share of a window's growth.
#pragma once

#include <gtk/gtk.h>

#include "session/control_ids.h"

namespace zuno {

class ControlWidgets;

// The Main Window's containers, and the places kept empty for what is to
// come (docs/ARCHITECTURE.md, "Where new things go").
struct MainWindowParts {
  GtkPaned* historySplit = nullptr;  // the Statement History over the rest
  GtkPaned* editorSplit = nullptr;   // the SQL editor over the result area
  GtkWidget* notesPlace = nullptr;   // over the result pages: the notes bar
  GtkWidget* resultPages = nullptr;  // holds the Result Grid
  GtkWidget* transactionPlace = nullptr;  // beside Colored Datatypes, below Rows To Fetch
};

// The heights the history and the editor have at the creation size.
constexpr int kHistoryHeight = 85;
constexpr int kEditorHeight = 90;

// The container that holds every control of the window, laid out; parts
// are filled in for the Main Window.
GtkWidget* LayOutWindow(WindowId id, const ControlWidgets& widgets, MainWindowParts& parts);

}  // namespace zuno

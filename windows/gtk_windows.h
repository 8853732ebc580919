// Builds a window and its controls from the control table.
#pragma once

#include <gtk/gtk.h>

#include <map>

#include "session/control_ids.h"
#include "windows/control_table.h"
#include "windows/window_layout.h"

namespace zuno {

// The widgets of the controls that exist now, by name. outer: what stands
// in the window (a list's scrolled frame, ...); inner: what holds the text or
// the state (the entry of a drop-down, the view of a list, ...).
class ControlWidgets {
 public:
  GtkWidget* outer(Control c) const;
  GtkWidget* inner(Control c) const;
  void Put(Control c, GtkWidget* outer, GtkWidget* inner);
  void Forget(WindowId window);

 private:
  struct Pair {
    GtkWidget* outer = nullptr;
    GtkWidget* inner = nullptr;
  };
  std::map<Control, Pair> widgets_;
};

struct BuiltWindow {
  GtkWidget* window = nullptr;
  MainWindowParts parts;  // the Main Window's containers and places
};

// Creates the window with every control of the table that belongs to it and
// lays them out. A control already among the widgets (the Result Grid, which
// its owner makes) is laid out as it is.
BuiltWindow BuildWindow(WindowId id, GtkWindow* parent, ControlWidgets& widgets);

// Buttons, check boxes and labels are named by their captions; every other
// control carries its role name as its accessible name.
bool HasOwnCaption(ControlKind kind);
void SetAccessibleName(GtkWidget* w, std::string_view role);

// The width in pixels of a text in a title bar's bold type.
int TitleTextWidth(GtkWidget* w, std::string_view text);

// The list kind: a single-column list without header over a string store.
GtkListStore* ListStoreOf(GtkWidget* inner);

}  // namespace zuno

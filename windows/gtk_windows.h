// Builds a window and its controls from the control table.
#pragma once

#include <gtk/gtk.h>

#include <array>

#include "session/control_ids.h"
#include "windows/control_table.h"

namespace zuno {

struct ControlWidgets {
  // outer: what stands in the window at the control's place; inner: what holds
  // the text or the state (the entry of a drop-down, the view of a list, ...).
  std::array<GtkWidget*, kControlCount> outer{};
  std::array<GtkWidget*, kControlCount> inner{};
};

struct BuiltWindow {
  GtkWidget* window = nullptr;
  GtkWidget* layout = nullptr;  // the GtkLayout the controls are placed on
};

// Creates the window of the given number with every control of the table that
// belongs to it, except the Result Grid, which its owner places with PlaceControl.
BuiltWindow BuildWindow(WindowId id, GtkWindow* parent, ControlWidgets& widgets);

void PlaceControl(const BuiltWindow& w, GtkWidget* outer, const Rect& r);
void MoveControl(GtkWidget* layout, GtkWidget* outer, const Rect& r);

// Buttons, check boxes and labels are named by their captions; every other
// control carries its role name as its accessible name.
bool HasOwnCaption(ControlKind kind);
void SetAccessibleName(GtkWidget* w, std::string_view role);

// The width in pixels of a text in a title bar's bold type.
int TitleTextWidth(GtkWidget* w, std::string_view text);

// The list kind: a single-column list without header over a string store.
GtkListStore* ListStoreOf(GtkWidget* inner);

}  // namespace zuno

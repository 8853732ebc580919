// What each control is when its window is created: kind, role, caption, place,
// enabled and checked state. The GTK side builds the windows from this table.
#pragma once

#include <span>
#include <string_view>

#include "session/control_ids.h"
#include "windows/geometry.h"

namespace zuno {

enum class ControlKind {
  Button,
  CheckBox,
  ComboEntry,     // drop-down with an editable entry
  Entry,          // one-line text field
  PasswordEntry,  // characters hidden
  DigitsEntry,    // accepts digits only
  LabelLeft,
  LabelRight,
  LabelCentre,
  List,           // single-column list without header
  Grid,           // the Result Grid
  Editor,         // multi-line text in a scrolled frame
  Image,
};

struct ControlSpec {
  Control id;
  WindowId window;
  ControlKind kind;
  std::string_view role;     // the role name, also the accessible name
  std::string_view caption;  // caption or initial content
  Rect place;                // at creation
  bool enabled = true;
  bool checked = false;
  bool digitsOnly = false;  // an entry that keeps only the digits typed or pasted
};

struct WindowSpec {
  WindowId id;
  std::string_view title;
  Size size;
};

std::span<const ControlSpec> AllControls();

// What a first-time user is told a control is for without moving anything:
// a field's placeholder text, a text area's tooltip; empty for the rest.
std::string_view ControlHint(Control id);
const ControlSpec& ControlById(Control id);
const WindowSpec& WindowById(WindowId id);

constexpr std::string_view kProgramTitle = "ZUNO";
constexpr std::string_view kSelectColumnCaption = "Select Column";

struct PopupMenuEntry {
  int id;                    // 0 stands for a separator
  std::string_view caption;
};
std::span<const PopupMenuEntry> PopupMenuEntries();

}  // namespace zuno

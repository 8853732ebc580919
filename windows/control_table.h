// What each control is when its window is created: kind, role, caption, the
// key that reaches it, enabled and checked state. The GTK side builds the
// controls from this table; where they stand is the windows' layout's
// business (windows/window_layout.cpp).
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "session/control_ids.h"

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
  // The letter that Alt reaches the control with, underlined in its caption; 0 for none.
  char key = 0;
  bool enabled = true;
  bool checked = false;
  bool digitsOnly = false;  // an entry that keeps only the digits typed or pasted
};

struct WindowSpec {
  WindowId id;
  std::string_view title;
  int width;  // the client size at creation
  int height;
};

std::span<const ControlSpec> AllControls();

// What a first-time user is told a control is for without moving anything:
// a field's placeholder text, a text area's tooltip; empty for the rest.
std::string_view ControlHint(Control id);
const ControlSpec& ControlById(Control id);
const WindowSpec& WindowById(WindowId id);

// The caption as the toolkit takes it with its key underlined: an underscore
// before the first letter that is the key in either case, every underscore
// of the caption doubled. A caption without the letter has no key.
std::string MnemonicCaption(std::string_view caption, char key);
// The tooltip that tells a control's key, after its hint where it has one:
// "Alt+C", or "Connect to ... (Alt+C)".
std::string KeyTooltip(std::string_view hint, char key);

constexpr std::string_view kProgramTitle = "ZUNO";
constexpr std::string_view kSelectColumnCaption = "Select Column";

struct PopupMenuEntry {
  int id;                    // 0 stands for a separator
  std::string_view caption;
};
std::span<const PopupMenuEntry> PopupMenuEntries();

}  // namespace zuno

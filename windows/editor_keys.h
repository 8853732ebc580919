// The Main Window's keys: what a key press asks for, decided from the key
// and its modifiers alone.
#pragma once

#include <string_view>

namespace zuno {

enum class EditorCommand {
  None,          // the key goes on to the focused control
  RunStatement,  // Ctrl+Return, Ctrl+keypad Enter, F5: as the Run button
  SaveQuery,     // Ctrl+S: the library's Save, asking for the query's name
};

// keyval is a GDK key value, state the event's modifier mask. Shift, Caps
// Lock, Num Lock and the like do not change the answer; Alt or Super do.
EditorCommand CommandForKey(unsigned keyval, unsigned state);

// The Run button's tooltip, naming its keys.
constexpr std::string_view kRunTooltip = "Run the statement (Ctrl+Return or F5)";

}  // namespace zuno

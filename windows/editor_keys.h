// The Main Window's keys: what a key press asks for, decided from the key
// and its modifiers alone.
#pragma once

#include <string_view>

namespace zuno {

enum class EditorCommand {
  None,          // the key goes on to the focused control
  RunStatement,  // F5: as the Run button
  RunAtCursor,   // Ctrl+Return, Ctrl+keypad Enter: the statement at the cursor or the selection
  RunScript,     // Ctrl+Shift+Return, Ctrl+Shift+keypad Enter: the whole text as a script
  SaveQuery,     // Ctrl+S: the library's Save, asking for the query's name
  Find,          // Ctrl+F: the editor's find bar
  Replace,       // Ctrl+H: the find bar with replacing
  GoToLine,      // Ctrl+L
  ZoomIn,        // Ctrl+plus (also Ctrl+= and the keypad's plus)
  ZoomOut,       // Ctrl+minus
  ZoomReset,     // Ctrl+0
  ToggleComment, // Ctrl+/: the selected lines commented with -- or uncommented
  TableDetails,  // F4: as the popup item Table Details
};

// keyval is a GDK key value, state the event's modifier mask. Caps Lock,
// Num Lock and the like do not change the answer; Alt or Super do, and Shift
// does with Ctrl+Return.
EditorCommand CommandForKey(unsigned keyval, unsigned state);

// The keys that move the editor's cursor far or run a statement: an open
// completion popup would take Page Up and Page Down for its list, and a run
// leaves the text it offers for. They go to the editor, and the popup closes.
bool KeyLeavesCompletion(unsigned keyval, unsigned state);

// The Run button's tooltip, naming its keys.
constexpr std::string_view kRunTooltip =
    "Run the whole text as one statement (F5); Ctrl+Return runs the statement at the cursor, Ctrl+Shift+Return "
    "the text as a script";

}  // namespace zuno

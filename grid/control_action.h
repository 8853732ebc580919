// What a user did to a control: the clicks a list or the grid reports, a
// change of a field's text, and the keys that run the SQL editor's text.
#pragma once

namespace zuno {

enum class Action {
  LeftClick,
  LeftDoubleClick,
  RightClick,
  RightDoubleClick,
  Change,
  RunAtCursor,   // the statement at the cursor, or the selection
  RunScript,     // every statement of the text in turn
  CopyRows,      // Ctrl+C in the grid: the selected rows
  FindInResult,  // Ctrl+F in the grid: the next cell holding a text
  ShowPage,      // a result page's tab: the page the event names comes to the front
  PinPage,       // ... is pinned: the next run keeps it
  UnpinPage,     // ... is no longer pinned
  ClosePage,     // ... is closed, its rows freed
};

}  // namespace zuno

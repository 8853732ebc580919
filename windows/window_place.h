// Where the user left the Main Window: its size, whether it was maximised,
// and the heights of the Statement History and the SQL editor in its split.
#pragma once

namespace zuno {

struct MainWindowPlace {
  int width = 820;   // the size when not maximised
  int height = 555;
  bool maximised = false;
  int historyHeight = 85;
  int editorHeight = 90;
  friend bool operator==(const MainWindowPlace&, const MainWindowPlace&) = default;
};

}  // namespace zuno

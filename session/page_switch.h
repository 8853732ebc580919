// Which page of the result area the handlers act on. Each page keeps what
// belongs to its result (statement, Grid Mode, drill-down state); the texts
// below the grid show the current page's Row Count and elapsed time, a page
// not shown keeps its own, and showing it puts them back.
#pragma once

#include <string>

#include "session/session.h"

namespace zuno {

// The page the handlers act on; with none left, an empty one opens.
ResultPage& CurrentPage(Session& s);

// A run begins on a page of its own: the pages not pinned go, and the new
// page becomes the current one, with the drill-down state of the page shown
// before it.
ResultPage& OpenRunPage(Session& s);

// One more page of a statement's result beside the current one, now
// current, with the current one's drill-down state.
ResultPage& AddResultPage(Session& s, std::string title);

// The page at index becomes the current one, with its texts.
void ShowResultPage(Session& s, int index);

// What a page's tab asked for: ShowPage, PinPage, UnpinPage or ClosePage of
// the page at index. An index no page has changes nothing. Closing the last
// page leaves an empty one.
void OnPageTab(Session& s, Action action, int index);

// The windows show the pages as they now are.
void TellPages(Session& s);

}  // namespace zuno

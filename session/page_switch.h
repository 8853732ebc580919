// Which page of the result area the handlers act on. The state record holds
// the current page's statement, Grid Mode and drill-down state, and the
// texts below the grid its Row Count and elapsed time; a page not shown
// keeps its own, and showing it puts them back.
#pragma once

#include <string>

#include "session/session.h"

namespace zuno {

// A run begins on a page of its own: the pages not pinned go, and the new
// page becomes the current one. Nothing without pages.
void OpenRunPage(Session& s);

// One more page beside the current one, now current, with an empty state;
// false without pages.
bool AddResultPage(Session& s, std::string title);

// The page at index becomes the current one, with its state.
void ShowResultPage(Session& s, int index);

// What a page's tab asked for: ShowPage, PinPage, UnpinPage or ClosePage of
// the page at index. An index no page has changes nothing.
void OnPageTab(Session& s, Action action, int index);

// The windows show the pages as they now are.
void TellPages(Session& s);

}  // namespace zuno

// The results the result area holds, one page each: every page keeps its own
// rows and columns and what belongs to them (the statement they came from,
// the texts below them, what a double-click drills into), so an action on a
// result acts on the current page alone. A page can be pinned; the next run
// replaces the pages that are not. Closing a page frees its rows.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "grid/result_grid.h"
#include "session/app_state.h"
#include "session/text_range.h"

namespace zuno {

struct ResultPage {
  std::unique_ptr<ResultGrid> grid;  // its rows and columns
  int number = 0;                    // its own, never given to another page
  std::string title;                 // what its tab says
  // The statement whose rows the page shows, as it ran: a statement
  // generated from a row names the table it read.
  std::string statement;
  GridMode mode = GridMode::None;
  // The Row Count and Elapsed Time texts while the page is not shown.
  std::string rowCountText;
  std::string elapsedText;
  // What a drill-down started from: a new page takes it from the page shown
  // before it, so the next catalog list selects the table drilled into.
  int lastDrilledRow = 0;  // a row's identity
  std::string drilledTableSchema;
  std::string drilledTableName;
  std::vector<TextRange> scriptStatements;  // a script report's, one per row
  bool pinned = false;
};

// A script shows at most this many results on pages of their own, besides
// its report.
inline constexpr int kScriptPageLimit = 20;

class ResultPages {
 public:
  using MakeGrid = std::function<std::unique_ptr<ResultGrid>()>;
  // make: a new page's grid (the widget on the windows, in memory in tests).
  explicit ResultPages(MakeGrid make);

  // A run begins: the pages not pinned go, their rows with them.
  void ReplaceUnpinned();
  // A new page at the end, which becomes the current one.
  ResultPage& Add(std::string title);
  // Frees the page and its rows; the one after it (else before it) becomes
  // current. An index out of range changes nothing.
  void Close(int index);
  void SetPinned(int index, bool pinned);

  int Count() const { return static_cast<int>(pages_.size()); }
  // -1 while there is no page.
  int CurrentIndex() const { return current_; }
  void SetCurrent(int index);
  ResultPage* Current() { return current_ < 0 ? nullptr : &pages_[static_cast<std::size_t>(current_)]; }
  ResultPage& Page(int index) { return pages_.at(static_cast<std::size_t>(index)); }
  // The index of the page with that number; -1 once it is closed or replaced.
  int IndexOf(int number) const;
  // Tabs are shown only for two pages or more.
  bool TabsShown() const { return pages_.size() >= 2; }

 private:
  MakeGrid make_;
  std::vector<ResultPage> pages_;
  int current_ = -1;
  int numbered_ = 0;
};

// What a script's report says of the results that found no page: empty when
// every one of them had one.
std::string ScriptPagesNote(int results);

}  // namespace zuno

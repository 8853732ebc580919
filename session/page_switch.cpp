#include "session/page_switch.h"

#include <utility>

namespace zuno {
namespace {

void KeepState(Session& s) {
  ResultPage* page = s.pages ? s.pages->Current() : nullptr;
  if (!page) return;
  page->mode = s.state.gridMode;
  page->statement = s.state.resultStatement;
  page->lastDrilledRow = s.state.lastDrilledRow;
  page->drilledTableSchema = s.state.drilledTableSchema;
  page->drilledTableName = s.state.drilledTableName;
  page->scriptStatements = s.state.scriptStatements;
  page->rowCountText = s.ui.Text(kRowCountText);
  page->elapsedText = s.ui.Text(kElapsedTimeText);
}

void TakeState(Session& s, const ResultPage& page) {
  s.state.gridMode = page.mode;
  s.state.resultStatement = page.statement;
  s.state.lastDrilledRow = page.lastDrilledRow;
  s.state.drilledTableSchema = page.drilledTableSchema;
  s.state.drilledTableName = page.drilledTableName;
  s.state.scriptStatements = page.scriptStatements;
}

}  // namespace

void OpenRunPage(Session& s) {
  if (!s.pages) return;
  KeepState(s);
  s.pages->ReplaceUnpinned();
  AddResultPage(s, "Result");
}

bool AddResultPage(Session& s, std::string title) {
  if (!s.pages) return false;
  KeepState(s);
  ResultPage& page = s.pages->Add(std::move(title));
  // What a drill-down starts from stays with the program, not with a page.
  page.lastDrilledRow = s.state.lastDrilledRow;
  page.drilledTableSchema = s.state.drilledTableSchema;
  page.drilledTableName = s.state.drilledTableName;
  page.mode = GridMode::Query;
  TakeState(s, page);
  TellPages(s);
  return true;
}

void ShowResultPage(Session& s, int index) {
  if (!s.pages || index < 0 || index >= s.pages->Count()) return;
  KeepState(s);
  s.pages->SetCurrent(index);
  const ResultPage& page = *s.pages->Current();
  TakeState(s, page);
  s.ui.SetText(kRowCountText, page.rowCountText);
  s.ui.SetText(kElapsedTimeText, page.elapsedText);
  TellPages(s);
}

void OnPageTab(Session& s, Action action, int index) {
  if (!s.pages || index < 0 || index >= s.pages->Count()) return;
  switch (action) {
    case Action::ShowPage: return ShowResultPage(s, index);
    case Action::PinPage:
    case Action::UnpinPage: s.pages->SetPinned(index, action == Action::PinPage); return TellPages(s);
    case Action::ClosePage: {
      const bool wasCurrent = index == s.pages->CurrentIndex();
      if (!wasCurrent) KeepState(s);
      s.pages->Close(index);
      if (s.pages->Current()) return ShowResultPage(s, s.pages->CurrentIndex());
      return TellPages(s);
    }
    default: return;
  }
}

void TellPages(Session& s) {
  if (!s.pages) return;
  std::vector<PageTab> tabs;
  for (int i = 0; i < s.pages->Count(); ++i) {
    ResultPage& page = s.pages->Page(i);
    tabs.push_back({page.title, page.pinned, page.grid.get()});
  }
  s.ui.ShowResultPages(tabs, s.pages->CurrentIndex());
}

}  // namespace zuno

#include "session/page_switch.h"

#include <utility>

namespace zuno {
namespace {

// The texts below the grid stay with the page being left.
void KeepTexts(Session& s) {
  ResultPage* page = s.pages->Current();
  if (!page) return;
  page->rowCountText = s.ui.Text(kRowCountText);
  page->elapsedText = s.ui.Text(kElapsedTimeText);
}

// The current page's texts below the grid, and the pages to the windows.
void ShowCurrent(Session& s) {
  const ResultPage& page = CurrentPage(s);
  s.ui.SetText(kRowCountText, page.rowCountText);
  s.ui.SetText(kElapsedTimeText, page.elapsedText);
  TellPages(s);
}

// Where the drill-down stood on the page shown, if any.
struct DrillState {
  int lastDrilledRow = 0;
  std::string schema;
  std::string name;
};

DrillState ShownDrillState(Session& s) {
  const ResultPage* shown = s.pages->Current();
  if (!shown) return {};
  return {shown->lastDrilledRow, shown->drilledTableSchema, shown->drilledTableName};
}

// A new page, current, that starts from where the drill-down stood.
ResultPage& AddPage(Session& s, std::string title, DrillState before) {
  ResultPage& page = s.pages->Add(std::move(title));
  page.lastDrilledRow = before.lastDrilledRow;
  page.drilledTableSchema = std::move(before.schema);
  page.drilledTableName = std::move(before.name);
  return page;
}

}  // namespace

ResultPage& CurrentPage(Session& s) {
  if (ResultPage* page = s.pages->Current()) return *page;
  ResultPage& page = s.pages->Add("Result");
  TellPages(s);
  return page;
}

ResultPage& OpenRunPage(Session& s) {
  KeepTexts(s);
  DrillState before = ShownDrillState(s);
  s.pages->ReplaceUnpinned();
  ResultPage& page = AddPage(s, "Result", std::move(before));
  TellPages(s);
  return page;
}

ResultPage& AddResultPage(Session& s, std::string title) {
  KeepTexts(s);
  ResultPage& page = AddPage(s, std::move(title), ShownDrillState(s));
  page.mode = GridMode::Query;
  TellPages(s);
  return page;
}

void ShowResultPage(Session& s, int index) {
  if (index < 0 || index >= s.pages->Count()) return;
  KeepTexts(s);
  s.pages->SetCurrent(index);
  ShowCurrent(s);
}

void OnPageTab(Session& s, Action action, int index) {
  if (index < 0 || index >= s.pages->Count()) return;
  switch (action) {
    case Action::ShowPage: return ShowResultPage(s, index);
    case Action::PinPage:
    case Action::UnpinPage: s.pages->SetPinned(index, action == Action::PinPage); return TellPages(s);
    case Action::ClosePage:
      // The texts shown are the current page's: they stay with it when
      // another page closes, and go with it when it closes.
      if (index != s.pages->CurrentIndex()) KeepTexts(s);
      s.pages->Close(index);
      return ShowCurrent(s);
    default: return;
  }
}

void TellPages(Session& s) {
  std::vector<PageTab> tabs;
  for (int i = 0; i < s.pages->Count(); ++i) {
    ResultPage& page = s.pages->Page(i);
    tabs.push_back({page.title, page.pinned, page.grid.get()});
  }
  s.ui.ShowResultPages(tabs, s.pages->CurrentIndex());
}

}  // namespace zuno

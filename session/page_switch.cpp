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
}

}  // namespace zuno

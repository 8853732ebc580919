#include "app/dispatch.h"

#include "app/autorun_timer.h"
#include "app/connect_handler.h"
#include "windows/control_table.h"
#include "app/history_handler.h"
#include "app/shutdown.h"
#include "app/transaction_handlers.h"
#include "session/page_switch.h"

namespace zuno {
namespace {

void Call(const std::function<void()>& handler) {
  if (handler) handler();
}

}  // namespace

void Dispatcher::Dispatch(const Event& e) {
  Handle(e);
  if (s_.loop.Ended()) return;
  NoteConnectionGone(s_);
  NoteTransaction(s_);
}

void Dispatcher::Handle(const Event& e) {
  switch (e.kind) {
    case EventKind::Timer:
      if (e.timerId == 0 && !AutorunHeldByTransaction(s_)) Call(h_.runStatement);
      return;
    case EventKind::Menu:
      if (h_.popupItem) h_.popupItem(e.menuItem);
      return;
    case EventKind::Close:
      // The Query Library Window and the Column Chooser close as their own
      // buttons close them: the work in the Main Window stays.
      if (e.window == WindowId::Library) return s_.ui.CloseLibraryWindow();
      // The window is not destroyed by the request; the program ends.
      return EndOnRequest();
    case EventKind::Control:
      if (e.window == WindowId::Main) MainWindowControl(e.control, e.action, e.page);
      if (e.window == WindowId::Library) LibraryWindowControl(e.control, e.action);
      return;
  }
}

// The Exit button and a close request end alike, once uncommitted work is
// committed or rolled back and the editor's text kept, or the user lets it go.
void Dispatcher::EndOnRequest() {
  if (!SettlePendingWork(s_, ConnectionEnd::Exit)) return;
  if (!KeepEditorStateAtExit(s_.ui, h_.keepEditorState)) return;
  WriteSettings(s_);
  EndProgram(s_, h_.closeConnection);
}

void Dispatcher::MainWindowControl(int control, Action action, int page) {
  switch (control) {
    case kHistoryList:
      if (action == Action::LeftDoubleClick) OnHistoryDoubleClick(s_);
      return;
    case kConnectButton: return Call(h_.connect);
    case kRunButton: return Call(h_.runStatement);
    case kSqlEditor:
      if (action == Action::RunAtCursor) Call(h_.runAtCursor);
      if (action == Action::RunScript) Call(h_.runScript);
      return;
    case kExitButton: return EndOnRequest();
    case kResultGrid:
      if (action == Action::RightClick) s_.ui.ShowPopupMenu();
      if (action == Action::LeftDoubleClick) Call(h_.gridDrillDown);
      if (action == Action::CopyRows) Call(h_.copyRows);
      if (action == Action::FindInResult) Call(h_.findInResult);
      if (action == Action::ShowPage || action == Action::PinPage || action == Action::UnpinPage ||
          action == Action::ClosePage)
        OnPageTab(s_, action, page);
      return;
    case kTimerCheckBox: return OnTimerCheckBox(s_);
    case kCatalogButton: return Call(h_.catalog);
    case kCreatorsButton: return Call(h_.creators);
    case kLastCreatorButton: return Call(h_.lastCreator);
    case kEditSqlButton: return Call(h_.editSql);
    case kFormatSqlButton: return Call(h_.formatSql);
    case kSaveReportButton: return Call(h_.saveReport);
    case kSaveLoadQueryButton: return Call(h_.openLibrary);
    case kAutocommitCheckBox: return OnAutocommitCheckBox(s_);
    case kCommitButton: return OnTransactionButton(s_, OdbcLayer::TransactionEnd::Commit);
    case kRollbackButton: return OnTransactionButton(s_, OdbcLayer::TransactionEnd::Rollback);
    default: return;  // the Password field and all others: nothing
  }
}

void Dispatcher::LibraryWindowControl(int control, Action action) {
  switch (control) {
    case kLibrarySaveButton: return Call(h_.librarySave);
    case kLibraryLoadButton: return Call(h_.libraryLoad);
    case kLibraryDeleteButton:
      if (s_.ui.LibraryWindowForm() == Ui::LibraryForm::ColumnChooser) return Call(h_.columnChooserSelect);
      return Call(h_.libraryDelete);
    case kStoreModeButton: return Call(h_.switchStore);
    case kLibraryExitButton: return Call(h_.libraryExit);
    case kQueryNamesList:
      if (action == Action::LeftDoubleClick) Call(h_.libraryLoad);
      return;
    default: return;
  }
}

}  // namespace zuno

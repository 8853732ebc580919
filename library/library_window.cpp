#include "library/library_window.h"

#include "library/query_store.h"

namespace zuno {

std::string SelectedListText(Ui& ui, Control list) {
  int selected = ui.SelectedListItem(list);
  std::vector<std::string> items = ui.ListItems(list);
  return selected >= 0 && selected < static_cast<int>(items.size()) ? items[static_cast<size_t>(selected)] : "";
}

namespace {

// A message of the store, shown once the busy window is gone so that it
// does not hide behind it.
void Tell(Session& s, std::string_view message) {
  if (!message.empty()) s.ui.ShowMessage(message);
}

// The library built anew after a change; what the change already told the
// user is not told again by the list.
void ReopenLibrary(Session& s, std::string_view told) {
  s.ui.OpenLibraryWindow(Ui::LibraryForm::Library);
  s.ui.OpenBusyWindow();
  std::vector<std::string> names;
  std::string_view message;
  QueryStore store = QueryStoreFor(s.state);
  s.ui.RunBlocking([&] { names = ListQueryNames(store, &message); }, nullptr);
  for (const std::string& name : names) s.ui.AppendListItem(kQueryNamesList, name);
  s.ui.SetText(kStoreModeButton, s.state.storeMode);
  s.ui.CloseBusyWindow();
  if (message != told) Tell(s, message);
}

}  // namespace

// Store operations may wait for another instance that holds the store, so
// they run as blocking work with the busy window painted.
void OpenLibrary(Session& s) { ReopenLibrary(s, {}); }

void OnLibrarySave(Session& s) {
  std::string name = s.ui.AskText("ZUNO -Query Name", "Enter Queryy Name ", SelectedListText(s.ui, kQueryNamesList));
  s.ui.OpenBusyWindow();
  QueryStore store = QueryStoreFor(s.state);
  std::string sql = s.ui.Text(kSqlEditor);
  StoreChange change;
  s.ui.RunBlocking([&] { change = SaveQuery(store, name, sql, s.state.connectionUser); }, nullptr);
  s.ui.CloseBusyWindow();
  Tell(s, change.message);
  ReopenLibrary(s, change.message);
}

void OnLibraryLoad(Session& s) {
  s.ui.OpenBusyWindow();
  QueryStore store = QueryStoreFor(s.state);
  std::string name = SelectedListText(s.ui, kQueryNamesList);
  std::optional<std::string> sql;
  std::string_view message;
  s.ui.RunBlocking([&] { sql = LoadQuery(store, name, &message); }, nullptr);
  if (sql) {
    s.ui.SetText(kSqlEditor, *sql);
    s.ui.HideLibraryWindow();
  }
  s.ui.CloseBusyWindow();
  Tell(s, message);
}

void OnLibraryDelete(Session& s) {
  s.ui.OpenBusyWindow();
  QueryStore store = QueryStoreFor(s.state);
  std::string name = SelectedListText(s.ui, kQueryNamesList);
  StoreChange change;
  s.ui.RunBlocking([&] { change = DeleteQuery(store, name); }, nullptr);
  s.ui.CloseBusyWindow();
  Tell(s, change.message);
  ReopenLibrary(s, change.message);
}

void OnSwitchStore(Session& s) {
  ToggleStoreMode(s.state);
  OpenLibrary(s);
}

void OnLibraryExit(Session& s) { s.ui.CloseLibraryWindow(); }

}  // namespace zuno

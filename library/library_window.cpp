#include "library/library_window.h"

#include "library/query_store.h"

namespace zuno {

std::string SelectedListText(Ui& ui, Control list) {
  int selected = ui.SelectedListItem(list);
  std::vector<std::string> items = ui.ListItems(list);
  return selected >= 0 && selected < static_cast<int>(items.size()) ? items[static_cast<size_t>(selected)] : "";
}

// Store operations may wait for another instance that holds the store, so
// they run as blocking work with the busy window painted.
void OpenLibrary(Session& s) {
  s.ui.OpenLibraryWindow(Ui::LibraryForm::Library);
  s.ui.OpenBusyWindow();
  std::vector<std::string> names;
  QueryStore store = QueryStoreFor(s.state);
  s.ui.RunBlocking([&] { names = ListQueryNames(store); }, nullptr);
  for (const std::string& name : names) s.ui.AppendListItem(kQueryNamesList, name);
  s.ui.SetText(kStoreModeButton, s.state.storeMode);
  s.ui.CloseBusyWindow();
}

void OnLibrarySave(Session& s) {
  std::string name = s.ui.AskText("ZUNO -Query Name", "Enter Queryy Name ", SelectedListText(s.ui, kQueryNamesList));
  s.ui.OpenBusyWindow();
  QueryStore store = QueryStoreFor(s.state);
  std::string sql = s.ui.Text(kSqlEditor);
  s.ui.RunBlocking([&] { SaveQuery(store, name, sql, s.state.connectionUser); }, nullptr);
  s.ui.CloseBusyWindow();
  OpenLibrary(s);
}

void OnLibraryLoad(Session& s) {
  s.ui.OpenBusyWindow();
  QueryStore store = QueryStoreFor(s.state);
  std::string name = SelectedListText(s.ui, kQueryNamesList);
  std::optional<std::string> sql;
  s.ui.RunBlocking([&] { sql = LoadQuery(store, name); }, nullptr);
  if (sql) {
    s.ui.SetText(kSqlEditor, *sql);
    s.ui.HideLibraryWindow();
  }
  s.ui.CloseBusyWindow();
}

void OnLibraryDelete(Session& s) {
  s.ui.OpenBusyWindow();
  QueryStore store = QueryStoreFor(s.state);
  std::string name = SelectedListText(s.ui, kQueryNamesList);
  s.ui.RunBlocking([&] { DeleteQuery(store, name); }, nullptr);
  s.ui.CloseBusyWindow();
  OpenLibrary(s);
}

void OnSwitchStore(Session& s) {
  ToggleStoreMode(s.state);
  OpenLibrary(s);
}

void OnLibraryExit(Session& s) { s.ui.CloseLibraryWindow(); }

}  // namespace zuno

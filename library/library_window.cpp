#include "library/library_window.h"

#include "library/query_store.h"

namespace zuno {

std::string SelectedListText(Ui& ui, Control list) {
  int selected = ui.SelectedListItem(list);
  std::vector<std::string> items = ui.ListItems(list);
  return selected >= 0 && selected < static_cast<int>(items.size()) ? items[static_cast<size_t>(selected)] : "";
}

void OpenLibrary(Session& s) {
  s.ui.OpenLibraryWindow(Ui::LibraryForm::Library);
  s.ui.OpenBusyWindow();
  for (const std::string& name : ListQueryNames(QueryStoreFor(s.state))) s.ui.AppendListItem(kQueryNamesList, name);
  s.ui.SetText(kStoreModeButton, s.state.storeMode);
  s.ui.CloseBusyWindow();
}

void OnLibrarySave(Session& s) {
  std::string name = s.ui.AskText("ZUNO -Query Name", "Enter Queryy Name ", SelectedListText(s.ui, kQueryNamesList));
  s.ui.OpenBusyWindow();
  SaveQuery(QueryStoreFor(s.state), name, s.ui.Text(kSqlEditor), s.state.connectionUser);
  s.ui.CloseBusyWindow();
  OpenLibrary(s);
}

void OnLibraryLoad(Session& s) {
  s.ui.OpenBusyWindow();
  if (std::optional<std::string> sql = LoadQuery(QueryStoreFor(s.state), SelectedListText(s.ui, kQueryNamesList))) {
    s.ui.SetText(kSqlEditor, *sql);
    s.ui.HideLibraryWindow();
  }
  s.ui.CloseBusyWindow();
}

void OnLibraryDelete(Session& s) {
  s.ui.OpenBusyWindow();
  DeleteQuery(QueryStoreFor(s.state), SelectedListText(s.ui, kQueryNamesList));
  s.ui.CloseBusyWindow();
  OpenLibrary(s);
}

void OnSwitchStore(Session& s) {
  ToggleStoreMode(s.state);
  OpenLibrary(s);
}

void OnLibraryExit(Session& s) { s.ui.CloseLibraryWindow(); }

}  // namespace zuno

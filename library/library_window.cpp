#include "library/library_window.h"

#include <filesystem>
#include <functional>

#include "base/utf8.h"
#include "library/query_store.h"

namespace zuno {

namespace {

// The most the name dialog's field holds.
constexpr std::size_t kMaxQueryNameBytes = 65534;
constexpr const char* kQueryNameEmpty = "please enter a Query Name!";
constexpr const char* kQueryNameTooLong = "The Query Name is longer than 65534 bytes; the query was not saved.";

// The most of a name a question shows.
constexpr std::size_t kMaxShownNameBytes = 200;

// Where the Shared store is, as the user would look for it.
std::string SharedStorePlace() {
  std::error_code error;
  const std::filesystem::path folder = std::filesystem::current_path(error);
  if (error) return "zuno.sql in the working directory";
  return (folder / kQueryStoreFileName).string();
}

// The Shared store is the whole team's: a query deleted there is gone for
// everyone, so its user is asked first. The Local store is the user's own.
bool DeleteConfirmed(Session& s, std::string_view name) {
  if (s.state.storeMode != StoreMode::Shared || name.empty()) return true;
  std::string shown(name.substr(0, utf8::CharacterStart(name, std::min(name.size(), kMaxShownNameBytes))));
  if (shown.size() < name.size()) shown += "...";
  return s.ui.AskYesNo("Delete the query \"" + shown + "\" from the Shared store " + SharedStorePlace() +
                       "?\nEvery user of that store loses it.");
}

// A message of the store, told once the busy window is gone so that it
// does not hide behind it.
void Tell(Session& s, std::string_view message) {
  if (!message.empty()) s.jobs.Tell(message);
}

// The library built anew after a change; what the change already told the
// user is not told again by the list.
void ReopenLibrary(Session& s, std::string_view told) {
  s.ui.OpenLibraryWindow(Ui::LibraryForm::Library);
  const QueryStore store = QueryStoreFor(s.state);
  std::vector<std::string> names;
  std::string_view message;
  s.jobs.Run({
      .work = [&] { names = ListQueryNames(store, &message); },
      .apply =
          [&] {
            for (const std::string& name : names) s.ui.AppendListItem(kQueryNamesList, name);
            s.ui.SetText(kStoreModeButton, StoreModeText(s.state.storeMode));
            if (message != told) Tell(s, message);
          },
  });
}

// A change of the store under its lock, then the library built anew.
void ChangeStore(Session& s, const std::function<StoreChange()>& change) {
  StoreChange made;
  s.jobs.Run({.work = [&] { made = change(); }, .apply = [&] { Tell(s, made.message); }});
  ReopenLibrary(s, made.message);
}

}  // namespace

// Store operations may wait for another instance that holds the store, so
// they run as jobs with the busy window painted.
void OpenLibrary(Session& s) { ReopenLibrary(s, {}); }

void OnLibrarySave(Session& s) {
  const std::string selected = SelectedListText(s.ui, kQueryNamesList);
  const std::optional<std::string> answer = s.ui.AskText("ZUNO -Query Name", "Enter Queryy Name ", selected);
  if (!answer) return;  // closed without OK
  const std::string& name = *answer;
  // A record without a name can be neither loaded nor deleted; a name the
  // dialog cut short would add a second record beside the one it came from.
  if (name.empty()) return s.ui.ShowMessage(kQueryNameEmpty);
  if (name.size() > kMaxQueryNameBytes || (selected.size() > kMaxQueryNameBytes && selected.starts_with(name)))
    return s.ui.ShowMessage(kQueryNameTooLong);
  const QueryStore store = QueryStoreFor(s.state);
  const std::string sql = s.ui.Text(kSqlEditor);
  const std::string user = s.state.connectionUser;
  ChangeStore(s, [&] { return SaveQuery(store, name, sql, user); });
}

void OnLibraryLoad(Session& s) {
  const QueryStore store = QueryStoreFor(s.state);
  const std::string name = SelectedListText(s.ui, kQueryNamesList);
  std::optional<std::string> sql;
  std::string_view message;
  s.jobs.Run({
      .work = [&] { sql = LoadQuery(store, name, &message); },
      .apply =
          [&] {
            if (sql) {
              s.ui.SetText(kSqlEditor, *sql);
              s.ui.HideLibraryWindow();
            }
            Tell(s, message);
          },
  });
}

void OnLibraryDelete(Session& s) {
  const QueryStore store = QueryStoreFor(s.state);
  const std::string name = SelectedListText(s.ui, kQueryNamesList);
  if (!DeleteConfirmed(s, name)) return;
  ChangeStore(s, [&] { return DeleteQuery(store, name); });
}

void OnSwitchStore(Session& s) {
  ToggleStoreMode(s.state);
  OpenLibrary(s);
}

void OnLibraryExit(Session& s) { s.ui.CloseLibraryWindow(); }

}  // namespace zuno

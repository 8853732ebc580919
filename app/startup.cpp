#include "app/startup.h"

#include <clocale>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "windows/css_provider.h"
#include "windows/dark_preference.h"
#include "app/editor_state_file.h"
#include "app/home_directory.h"
#include "app/logo_file.h"
#include "app/program_handlers.h"
#include "app/settings_file.h"
#include "app/shutdown.h"
#include "app/user_options_file.h"
#include "base/gobject_ptr.h"
#include "db/data_source_list.h"
#include "query/db2_command_runner.h"
#include "session/page_switch.h"

namespace zuno {
namespace {

constexpr std::string_view kLogoTooLarge = "ZUNO.JPG is larger than 4 MB and was not shown.";
constexpr std::string_view kNoOdbcEnvironment =
    "The ODBC environment cannot be set up: no data source can be listed or connected.";

// What start-up has to tell the user once the Main Window shows.
using Notices = std::vector<std::string_view>;

// Appending keeps whatever text the box's entry already holds.
void FillDataSources(Program& p) {
  for (const std::string& name : ListDataSources(p.db)) p.shell.AppendListItem(kDataSourceBox, name);
}

void ReadSettingsInto(Program& p, Notices& notices) {
  bool tooLarge = false;
  std::optional<Settings> settings = ReadSettingsFile(SettingsPath(p.state.homeDirectory), &tooLarge);
  if (tooLarge) notices.push_back(kSettingsTooLarge);
  if (!settings) return;  // no file: the fields stay empty and the focus stays put
  if (settings->lastConnect) p.shell.SetText(kDataSourceBox, *settings->lastConnect);
  if (settings->lastUser) p.shell.SetText(kUserField, *settings->lastUser);
  p.shell.Focus(kPasswordField);
}

// The row limit of a query is read from this box when the fetch starts: "50"
// at first, a choice from its list or any number typed; "0" is every row.
void FillRowsToFetch(GtkShell& shell) {
  for (const char* item : {"100000", "10000", "1000", "100", "0"}) shell.PrependListItem(kRowsToFetchBox, item);
  shell.SetText(kRowsToFetchBox, "1000");
  shell.SetText(kRowsToFetchBox, "50");
}

// The file is read by the program itself, so a pipe in the working directory
// is never waited for; the bytes are then decoded from memory.
void LoadLogo(GtkShell& shell, Notices& notices) {
  bool tooLarge = false;
  std::optional<std::string> bytes = ReadLogoBytes(kLogoFile, &tooLarge);
  if (tooLarge) notices.push_back(kLogoTooLarge);
  if (!bytes) return;
  // Decoded as JPEG only: a loader that guesses would hand whatever was
  // planted under the name to the decoder of its format.
  GObjectPtr<GdkPixbufLoader> loader(gdk_pixbuf_loader_new_with_type("jpeg", nullptr));
  if (!loader) return;
  const bool written = gdk_pixbuf_loader_write(loader.get(), reinterpret_cast<const guchar*>(bytes->data()),
                                               bytes->size(), nullptr);
  // Closed in every case: a loader left open warns when it is freed.
  const bool closed = gdk_pixbuf_loader_close(loader.get(), nullptr);
  GdkPixbuf* logo = written && closed ? gdk_pixbuf_loader_get_pixbuf(loader.get()) : nullptr;
  if (logo) shell.ShowLogo(logo);
}

std::string StatePath(const Program& p) { return EditorStatePath(getenv("XDG_STATE_HOME"), p.state.homeDirectory); }

// A damaged or oversized file is no state: the editor starts empty and the
// file stays until the next keep replaces it.
void RestoreEditorState(Program& p) {
  std::optional<EditorState> kept = ReadEditorState(StatePath(p));
  if (!kept) return;
  p.shell.SetText(kSqlEditor, kept->text);
  p.shell.PlaceEditorCursor(kept->cursor);
  for (const std::string& statement : kept->history) p.shell.AppendListItem(kHistoryList, statement);
  if (kept->window) p.shell.RestorePlace(*kept->window);
}

// Autocommit as the user left it; every Connect then sets it.
void ApplyUserOptions(Program& p) {
  p.state.userOptionsPath = UserOptionsPath(getenv("XDG_CONFIG_HOME"), p.state.homeDirectory);
  const UserOptions options = ReadUserOptions(p.state.userOptionsPath).value_or(UserOptions{});
  p.db.SetAutocommit(options.autocommit);
  p.state.transaction.autocommit = options.autocommit;
  p.shell.ShowTransaction(p.state.transaction, false);
}

}  // namespace

KeptState KeepEditorState(Program& p) {
  if (!p.keeper) p.keeper = std::make_unique<EditorStateKeeper>(p.shell, p.jobs, StatePath(p));
  return p.keeper->KeepNow();
}

Program::Program()
    : state(InitialAppState(HomeDirectory())),
      shell(loop),
      jobs(shell, shell, loop),
      pages([this] { return shell.MakePageGrid(); }),
      grid(pages),
      session{state, shell, grid, loop, db, jobs, &pages},
      dispatcher(session, Handlers{}) {
  dispatcher.handlers() = ProgramHandlers(session);
  // The completion reads names in the background over a connection of its
  // own, made from the values the user connected with; without a connection
  // it offers nothing.
  shell.SetCatalogSource(
      [this]() -> std::optional<CatalogSource> {
        if (!state.connected || state.databaseFlavour == DatabaseFlavour::None) return std::nullopt;
        return CatalogSource{state.connectionDsn, state.connectionUser, state.connectionPassword,
                             state.databaseFlavour};
      },
      jobs);
  loop.SetSink([this](const Event& e) { dispatcher.Dispatch(e); });
  loop.SetFailureReport([this](const std::string& message) { jobs.Tell(message); });
}

void InitToolkit(int* argc, char*** argv) {
  setlocale(LC_ALL, "");
  setlocale(LC_NUMERIC, "C");
  gtk_disable_setlocale();
  gtk_init(argc, argv);
  g_object_set(gtk_settings_get_default(), "gtk-menu-images", TRUE, nullptr);
  FollowDesktopDarkPreference();
  InstallCssProvider();  // also carries the grid font: Consolas 10, or a monospace face
}

std::unique_ptr<Program> StartProgram() {
  auto p = std::make_unique<Program>();
  GtkShell& shell = p->shell;
  Notices notices;
  if (!p->db.OpenEnvironment()) notices.push_back(kNoOdbcEnvironment);
  // Command folders of a ZUNO killed during a Db2 command hold its password.
  RemoveStaleCommandFolders(p->state.homeDirectory);
  shell.ClearDropDown(kDataSourceBox);
  shell.ClearDropDown(kRowsToFetchBox);
  p->grid.RemoveAllColumns();  // the first page, empty
  TellPages(p->session);
  ReadSettingsInto(*p, notices);
  RestoreEditorState(*p);
  ApplyUserOptions(*p);
  p->keeper = std::make_unique<EditorStateKeeper>(shell, p->jobs, StatePath(*p));
  p->dispatcher.handlers().keepEditorState = [program = p.get()] { return KeepEditorState(*program); };
  FillRowsToFetch(shell);
  LoadLogo(shell, notices);
  FillDataSources(*p);
  shell.CreatePopupMenu();
  shell.ShowMainWindow();
  for (std::string_view notice : notices) shell.ShowMessage(notice);
  return p;
}

int RunZuno(int argc, char** argv) {
  InitToolkit(&argc, &argv);
  std::unique_ptr<Program> program = StartProgram();
  gtk_main();
  // A close request ended the loop from inside a handler, which already kept
  // the editor state and wrote the Settings File; the Exit button did too.
  // Nothing else ends it.
  return 0;
}

}  // namespace zuno

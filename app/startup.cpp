#include "app/startup.h"

#include <clocale>

#include "app/css_provider.h"
#include "app/gobject_ptr.h"
#include "app/home_directory.h"
#include "app/program_handlers.h"
#include "app/settings_file.h"
#include "app/shutdown.h"
#include "db/data_source_list.h"

namespace zuno {
namespace {

constexpr const char* kLogoFile = "ZUNO.JPG";


// Appending keeps whatever text the box's entry already holds.
void FillDataSources(Program& p) {
  for (const std::string& name : ListDataSources(p.db)) p.shell.AppendListItem(kDataSourceBox, name);
}

void ReadSettingsInto(Program& p) {
  std::optional<Settings> settings = ReadSettingsFile(SettingsPath(p.state.homeDirectory));
  if (!settings) return;  // no file: the fields stay empty and the focus stays put
  if (settings->lastConnect) p.shell.SetText(kDataSourceBox, *settings->lastConnect);
  if (settings->lastUser) p.shell.SetText(kUserField, *settings->lastUser);
  p.shell.FocusControl(kPasswordField);
}

// The row limit of a query is read from this box when the fetch starts: "50"
// at first, a choice from its list or any number typed; "0" is every row.
void FillRowsToFetch(GtkShell& shell) {
  for (const char* item : {"100000", "10000", "1000", "100", "0"}) shell.PrependListItem(kRowsToFetchBox, item);
  shell.SetText(kRowsToFetchBox, "1000");
  shell.SetText(kRowsToFetchBox, "50");
}

void LoadLogo(GtkShell& shell) {
  GObjectPtr<GdkPixbuf> logo(gdk_pixbuf_new_from_file(kLogoFile, nullptr));
  if (logo) shell.ShowLogo(logo.get());
}

}  // namespace

Program::Program()
    : state(InitialAppState(HomeDirectory())),
      shell(loop),
      session{state, shell, shell.grid(), loop, db},
      dispatcher(session, Handlers{}) {
  dispatcher.handlers() = ProgramHandlers(session);
  loop.SetSink([this](const Event& e) { dispatcher.Dispatch(e); });
}

void InitToolkit(int* argc, char*** argv) {
  setlocale(LC_ALL, "");
  setlocale(LC_NUMERIC, "C");
  gtk_disable_setlocale();
  gtk_init(argc, argv);
  g_object_set(gtk_settings_get_default(), "gtk-menu-images", TRUE, nullptr);
  InstallCssProvider();  // also carries the grid font: Consolas 10, or a monospace face
}

std::unique_ptr<Program> StartProgram() {
  auto p = std::make_unique<Program>();
  GtkShell& shell = p->shell;
  p->db.OpenEnvironment();  // a failure shows later, as an empty list and failing connects
  shell.ClearDropDown(kDataSourceBox);
  shell.ClearDropDown(kRowsToFetchBox);
  shell.grid().RemoveAllColumns();
  ReadSettingsInto(*p);
  FillRowsToFetch(shell);
  LoadLogo(shell);
  FillDataSources(*p);
  shell.CreatePopupMenu();
  shell.ShowMainWindow();
  return p;
}

int RunProgram(int argc, char** argv) {
  InitToolkit(&argc, &argv);
  std::unique_ptr<Program> program = StartProgram();
  gtk_main();
  // A close request ended the loop from inside a handler, which already wrote
  // the Settings File; the Exit button did too. Nothing else ends it.
  return 0;
}

}  // namespace zuno

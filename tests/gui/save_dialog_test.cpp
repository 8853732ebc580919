// The save chooser of "Save report as File": its file type follows the name
// as it is typed, until the user picks a type.
#include <gtest/gtest.h>

#include <functional>

#include "base/gobject_ptr.h"
#include "tests/gui/gui_harness.h"
#include "tests/support/temp_dir.h"
#include "windows/gtk_dialogs.h"

namespace zuno {
namespace {

// The filter named name among the chooser's.
GtkFileFilter* FilterNamed(GtkWidget* chooser, std::string_view name) {
  GSList* filters = gtk_file_chooser_list_filters(GTK_FILE_CHOOSER(chooser));
  GtkFileFilter* found = nullptr;
  for (GSList* f = filters; f; f = f->next)
    if (gtk_file_filter_get_name(GTK_FILE_FILTER(f->data)) == name) found = GTK_FILE_FILTER(f->data);
  g_slist_free(filters);
  return found;
}

TEST(SaveDialogTest, TheFileTypeFollowsTheNameUntilOneIsPicked) {
  testing::TempDir work;
  testing::ScopedCwd cwd{work.path()};
  GtkWidget* owner = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  GtkDialogs dialogs(GTK_WINDOW(owner), [owner] { return GTK_WINDOW(owner); });
  struct {
    const char* name;
    const char* picked;  // the type the user picks first, or none
    const char* typed;   // nullptr: the suggested name stays
    SaveFileType type;
    bool chosen;
  } cases[] = {
      {"the suggested name", nullptr, nullptr, SaveFileType::Csv, false},
      {"a name of another type", nullptr, "out.txt", SaveFileType::Report, false},
      {"a name in capitals", nullptr, "OUT.Csv", SaveFileType::Csv, false},
      {"the report picked", "Report", "out.csv", SaveFileType::Report, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::string shownType;  // the type the chooser showed before it was answered
    std::function<bool()> answer = [&] {
      GtkWidget* chooser = dialogs.fileChooser();
      if (!chooser || !gtk_widget_get_visible(chooser)) return false;
      // The chooser takes its answer once it has read its folder.
      GCharPtr folder(gtk_file_chooser_get_current_folder(GTK_FILE_CHOOSER(chooser)));
      if (!folder) return false;
      if (c.picked) gtk_file_chooser_set_filter(GTK_FILE_CHOOSER(chooser), FilterNamed(chooser, c.picked));
      // Into the name's entry, as typing puts it.
      if (c.typed) gtk_file_chooser_set_current_name(GTK_FILE_CHOOSER(chooser), c.typed);
      shownType = gtk_file_filter_get_name(gtk_file_chooser_get_filter(GTK_FILE_CHOOSER(chooser)));
      gtk_dialog_response(GTK_DIALOG(chooser), GTK_RESPONSE_ACCEPT);
      return true;
    };
    g_timeout_add(20, +[](gpointer f) -> gboolean {
      return (*static_cast<std::function<bool()>*>(f))() ? G_SOURCE_REMOVE : G_SOURCE_CONTINUE;
    }, &answer);
    std::optional<SaveChoice> choice = dialogs.ChooseSaveFile("ZUNO", "REPORT.CSV");
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->path, work.File(c.typed ? c.typed : "REPORT.CSV"));
    EXPECT_EQ(choice->type, c.type) << shownType;
    EXPECT_EQ(choice->typeChosen, c.chosen);
  }
  gtk_widget_destroy(owner);
}

}  // namespace
}  // namespace zuno

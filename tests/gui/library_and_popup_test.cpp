// The library window and the grid's popup actions on the real windows.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/gui/program_fixture.h"
#include "tests/support/temp_dir.h"

namespace zuno {
namespace {

using testing::RunUntil;

struct WindowsTest : testing::ProgramInOwnDirectories {
  void Click(Control c, Action a = Action::LeftClick) {
    p->loop.Deliver(Event::ControlOf(ControlById(c).window, c, a));
  }
  void SelectName(const std::string& name) {
    std::vector<std::string> names = p->shell.ListItems(kQueryNamesList);
    auto it = std::find(names.begin(), names.end(), name);
    ASSERT_NE(it, names.end()) << name;
    GtkTreePath* path = gtk_tree_path_new_from_indices(static_cast<int>(it - names.begin()), -1);
    gtk_tree_selection_select_path(gtk_tree_view_get_selection(GTK_TREE_VIEW(p->shell.inner(kQueryNamesList))), path);
    gtk_tree_path_free(path);
  }
  bool Shown(Control c) { return gtk_widget_get_visible(p->shell.outer(c)); }
};

TEST_F(WindowsTest, TheLibraryKeepsQueriesAcrossSaveSwitchLoadAndDelete) {
  Click(kSaveLoadQueryButton);
  ASSERT_NE(p->shell.libraryWindow(), nullptr);
  EXPECT_TRUE(p->shell.ListItems(kQueryNamesList).empty());
  EXPECT_EQ(p->shell.Text(kStoreModeButton), "Local");
  EXPECT_EQ(std::filesystem::file_size(home.File("zuno.sql")), 0u);

  p->shell.SetText(kSqlEditor, "select 1\nfrom t");
  answers.inputs = {"first"};
  Click(kLibrarySaveButton);
  EXPECT_EQ(p->shell.ListItems(kQueryNamesList), std::vector<std::string>{"first"});
  EXPECT_EQ(p->shell.SelectedListItem(kQueryNamesList), -1);  // rebuilt

  // Save proposes the selected name.
  SelectName("first");
  p->shell.SetText(kSqlEditor, "select 2");
  answers.inputs = {"first"};
  Click(kLibrarySaveButton);
  EXPECT_EQ(answers.presets.back(), "first");

  Click(kStoreModeButton);
  EXPECT_EQ(p->shell.Text(kStoreModeButton), "Shared");
  EXPECT_TRUE(p->shell.ListItems(kQueryNamesList).empty());
  Click(kStoreModeButton);
  EXPECT_EQ(p->shell.ListItems(kQueryNamesList), std::vector<std::string>{"first"});

  SelectName("first");
  p->shell.SetText(kSqlEditor, "");
  Click(kLibraryLoadButton);
  EXPECT_EQ(p->shell.Text(kSqlEditor), "select 2");
  EXPECT_FALSE(gtk_widget_get_visible(p->shell.libraryWindow()));

  Click(kSaveLoadQueryButton);  // a new window, no selection
  EXPECT_TRUE(gtk_widget_get_visible(p->shell.libraryWindow()));
  EXPECT_EQ(p->shell.SelectedListItem(kQueryNamesList), -1);
  SelectName("first");
  Click(kLibraryDeleteButton);
  EXPECT_TRUE(p->shell.ListItems(kQueryNamesList).empty());
  Click(kLibraryExitButton);
  EXPECT_EQ(p->shell.libraryWindow(), nullptr);
  EXPECT_TRUE(answers.texts.empty());
}

TEST_F(WindowsTest, TheColumnChooserCopiesACellWithItsLineFeedToTheClipboard) {
  ResultGrid& grid = p->grid;
  for (const char* title : {"ID", "NAME", "CITY"}) grid.AddColumn(-1, title, 100);
  ResultRows rows;  // the fill keeps the value beside the cell's text
  for (const char* text : {"1", "Ann"}) rows.AddCell(text);
  rows.AddCell("two\xC3\xBFlines", CellValue{"two\nlines"});
  rows.EndRow();
  grid.AppendRows(std::move(rows));
  grid.SelectRow(0);

  p->loop.Deliver(Event::MenuOf(kCopyToClipboard));
  ASSERT_NE(p->shell.libraryWindow(), nullptr);
  EXPECT_EQ(p->shell.ListItems(kQueryNamesList), (std::vector<std::string>{"ID", "NAME", "CITY"}));
  EXPECT_EQ(p->shell.Text(kLibraryDeleteButton), "Select Column");
  for (Control c : {kLibrarySaveButton, kLibraryLoadButton, kStoreModeButton, kLibraryExitButton})
    EXPECT_FALSE(Shown(c)) << c;
  EXPECT_TRUE(Shown(kLibraryDeleteButton));
  EXPECT_TRUE(Shown(kQueryNamesList));

  SelectName("CITY");
  Click(kLibraryDeleteButton);
  EXPECT_EQ(p->shell.libraryWindow(), nullptr);
  gchar* text = gtk_clipboard_wait_for_text(gtk_clipboard_get(GDK_SELECTION_CLIPBOARD));
  ASSERT_NE(text, nullptr);
  EXPECT_STREQ(text, "two\nlines");
  g_free(text);
}

// Ctrl+C in the grid: the selected rows, as fetched, with their titles.
TEST_F(WindowsTest, CtrlCCopiesTheSelectedRowsToTheClipboardAsTabSeparatedText) {
  ResultGrid& grid = p->grid;
  for (const char* title : {"ID", "NOTE"}) grid.AddColumn(-1, title, 100);
  grid.SetColumnValueType(0, ValueType::Number);
  ResultRows rows;
  rows.AddCell("    1");
  rows.AddCell("two\xC3\xBFlines", CellValue{"two\nlines"});
  rows.EndRow();
  rows.AddCell("    2");
  rows.AddCell("Null", true);
  rows.EndRow();
  rows.AddCell("    3");
  rows.AddCell("not copied");
  rows.EndRow();
  grid.AppendRows(std::move(rows));
  grid.SelectRow(0);
  grid.AddToSelection(1);
  GtkWidget* view = p->shell.inner(kResultGrid);
  gtk_widget_grab_focus(view);
  ASSERT_TRUE(RunUntil([&] { return gtk_widget_has_focus(view); }));
  GtkClipboard* clipboard = gtk_clipboard_get(GDK_SELECTION_CLIPBOARD);
  gtk_clipboard_set_text(clipboard, "before", -1);
  gtk_test_widget_send_key(view, GDK_KEY_c, GDK_CONTROL_MASK);
  gchar* text = nullptr;
  ASSERT_TRUE(RunUntil([&] {
    g_free(text);
    text = gtk_clipboard_wait_for_text(clipboard);
    return text && std::string(text) != "before";
  }));
  EXPECT_STREQ(text, "ID\tNOTE\n1\t\"two\nlines\"\n2\t\n");
  g_free(text);
}

// The window manager's close on either form of window 1 closes that window
// only: the program and the SQL in the editor stay.
TEST_F(WindowsTest, ACloseRequestOnTheLibraryOrTheColumnChooserClosesOnlyThatWindow) {
  p->shell.SetText(kSqlEditor, "select 1");
  for (Ui::LibraryForm form : {Ui::LibraryForm::Library, Ui::LibraryForm::ColumnChooser}) {
    p->shell.OpenLibraryWindow(form);
    gtk_window_close(GTK_WINDOW(p->shell.libraryWindow()));
    EXPECT_TRUE(RunUntil([&] { return p->shell.libraryWindow() == nullptr && !p->loop.Ended(); }));
  }
  EXPECT_EQ(p->shell.Text(kSqlEditor), "select 1");
}

TEST_F(WindowsTest, AutosizeHidesAnEmptyGridsColumnsAndFixedSizeShowsThem) {
  ResultGrid& grid = p->grid;
  for (const char* title : {"A", "B"}) grid.AddColumn(-1, title, 100);
  p->loop.Deliver(Event::MenuOf(kAutosizeColumns));
  for (int c = 0; c < 2; ++c) EXPECT_FALSE(p->shell.gtkGrid().ColumnVisible(c)) << c;
  p->loop.Deliver(Event::MenuOf(kFixedColumnSize));
  for (int c = 0; c < 2; ++c) {
    EXPECT_TRUE(p->shell.gtkGrid().ColumnVisible(c)) << c;
    EXPECT_EQ(p->shell.gtkGrid().ColumnWidth(c), 220) << c;
  }
}

}  // namespace
}  // namespace zuno

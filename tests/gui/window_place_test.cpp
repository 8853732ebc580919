// The split between the Statement History, the SQL editor and the result
// area moves as the user drags it, and the window opens again as the user
// left it.
#include <gtest/gtest.h>

#include "app/editor_state_file.h"
#include "tests/gui/gui_harness.h"

namespace zuno {
namespace {

using testing::AllocationOf;
using testing::RunUntil;
using testing::StartAndShow;

// Moves a split as a drag of its handle ends, through the accessible value
// that screen readers move it by: every desktop has it, a seat or not.
void Drag(GtkPaned* split, int position) {
  atk_value_set_value(ATK_VALUE(gtk_widget_get_accessible(GTK_WIDGET(split))), position);
}

int HeaderHeight(GtkWidget* view) {
  int x = 0, y = 0;
  gtk_tree_view_convert_bin_window_to_widget_coords(GTK_TREE_VIEW(view), 0, 0, &x, &y);
  return y;
}

TEST(WindowPlaceTest, ADraggedSplitGivesTheEditorItsHeightAndTheGridKeepsItsHeader) {
  auto p = StartAndShow();
  GtkShell& shell = p->shell;
  p->grid.AddColumn(0, "ORDER_ID", 100);
  p->grid.AppendRow({"1"});
  GtkWidget* editor = shell.outer(kSqlEditor);
  GtkWidget* grid = shell.outer(kResultGrid);
  const int gridBefore = AllocationOf(grid).h;
  // The history up, the editor down as far as it goes.
  Drag(shell.mainParts().historySplit, 40);
  Drag(shell.mainParts().editorSplit, 1000);
  ASSERT_TRUE(RunUntil([&] { return AllocationOf(editor).h >= 300; })) << AllocationOf(editor).h;
  EXPECT_TRUE(RunUntil([&] { return AllocationOf(grid).h < gridBefore; }));
  GtkWidget* view = shell.inner(kResultGrid);
  const int header = HeaderHeight(view);
  EXPECT_GT(header, 10);
  EXPECT_GT(AllocationOf(view).h, header) << "the header does not show whole";
  // The window keeps its size: the split shares what it has.
  EXPECT_EQ(AllocationOf(gtk_bin_get_child(GTK_BIN(shell.mainWindow()))).h, 555);
}

TEST(WindowPlaceTest, TheSplitAndTheWindowSizeComeBackAfterARestart) {
  auto p = StartAndShow();
  gtk_window_resize(GTK_WINDOW(p->shell.mainWindow()), 1000, 700);
  Drag(p->shell.mainParts().historySplit, 120);
  Drag(p->shell.mainParts().editorSplit, 200);
  ASSERT_TRUE(RunUntil([&] {
    return AllocationOf(p->shell.outer(kSqlEditor)).h == 200 && AllocationOf(p->shell.outer(kHistoryList)).h == 120 &&
           AllocationOf(gtk_bin_get_child(GTK_BIN(p->shell.mainWindow()))).w == 1000;
  }));
  // Kept once the window rests, as the editor's text is: no exit needed.
  const MainWindowPlace left{1000, 700, false, 120, 200};
  const std::string file = EditorStatePath(getenv("XDG_STATE_HOME"), "");  // each test has its own
  ASSERT_TRUE(RunUntil([&] {
    std::optional<EditorState> kept = ReadEditorState(file);
    return kept && kept->window == left;
  }, 10000));

  p.reset();
  p = StartAndShow();
  ASSERT_TRUE(RunUntil([&] { return p->shell.Place() == left; }));
  EXPECT_EQ(AllocationOf(p->shell.outer(kSqlEditor)).h, 200);
  EXPECT_EQ(AllocationOf(p->shell.outer(kHistoryList)).h, 120);

}

}  // namespace
}  // namespace zuno

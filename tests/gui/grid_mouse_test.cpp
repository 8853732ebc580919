// The mouse on the real grid: clicks go through the window system as a user's
// do, and what the grid reports and selects is read back.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "tests/grid/grid_in_window.h"

// From GDK's X11 backend; its header would bring Xlib's macros along.
extern "C" void* gdk_x11_display_get_xdisplay(GdkDisplay* display);

namespace zuno::testing {
namespace {

void Fill(ResultGrid& g, int rows, const std::string& tag = "") {
  g.ClearRows();
  g.RemoveAllColumns();
  g.AddColumn(0, "ID", 100);
  g.AddColumn(1, "NAME", 150);
  for (int r = 0; r < rows; ++r) g.AppendRow({std::to_string(r), tag + "row " + std::to_string(r)});
}

// The real pointer, moved and pressed through the X server's test extension,
// so the grid gets every event a user's hand makes, crossings included.
class RealPointer {
 public:
  RealPointer() {
    // Loaded once and kept: the extension's record of the display lives in the
    // library for as long as the display is open.
    static void* lib = dlopen("libXtst.so.6", RTLD_NOW | RTLD_LOCAL);
    if (!lib) return;
    motion_ = reinterpret_cast<Motion>(dlsym(lib, "XTestFakeMotionEvent"));
    button_ = reinterpret_cast<Button>(dlsym(lib, "XTestFakeButtonEvent"));
  }

  bool available() const { return motion_ && button_; }

  // Moves to x, y of the window, then clicks once or twice.
  void Click(GdkWindow* window, int x, int y, unsigned button, int times = 1) {
    int ox = 0, oy = 0;
    gdk_window_get_origin(window, &ox, &oy);
    void* display = gdk_x11_display_get_xdisplay(gdk_window_get_display(window));
    motion_(display, -1, ox + x, oy + y, 0);
    gdk_display_flush(gdk_window_get_display(window));
    RunFor(30);
    for (int i = 0; i < times; ++i) {
      button_(display, button, 1, 0);
      button_(display, button, 0, 0);
    }
    gdk_display_flush(gdk_window_get_display(window));
  }

 private:
  using Motion = int (*)(void* display, int screen, int x, int y, unsigned long delay);
  using Button = int (*)(void* display, unsigned button, int pressed, unsigned long delay);
  Motion motion_ = nullptr;
  Button button_ = nullptr;
};

// Clicks in the middle of a row's first cell.
void ClickRow(RealPointer& pointer, GtkTreeView* view, int row, unsigned button, int times = 1) {
  GtkTreePath* path = gtk_tree_path_new_from_indices(row, -1);
  GdkRectangle cell;
  gtk_tree_view_get_cell_area(view, path, gtk_tree_view_get_column(view, 0), &cell);
  gtk_tree_path_free(path);
  pointer.Click(gtk_tree_view_get_bin_window(view), cell.x + cell.width / 2, cell.y + cell.height / 2,
                button, times);
}

bool Reported(const GridInWindow& w, Action a) {
  return std::find(w.reports.begin(), w.reports.end(), a) != w.reports.end();
}

// The popup acts on the row a right press points at, as a left click would.
TEST(GridMouseTest, EitherButtonSelectsTheRowUnderThePointer) {
  struct {
    const char* fault;
    guint button;
    Action reported;
    int selected;
  } cases[] = {
      {"a left click does not select the row under the pointer", 1, Action::LeftClick, 3},
      {"a right press leaves the popup acting on another row", 3, Action::RightClick, 3},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.fault);
    RealPointer pointer;
    ASSERT_TRUE(pointer.available());
    GridInWindow w;
    Fill(w.grid, 10);
    w.grid.SelectRow(1);
    w.Settle();
    ClickRow(pointer, w.grid.view(), 3, c.button);
    ASSERT_TRUE(RunUntil([&] { return Reported(w, c.reported); })) << "the click was not reported";
    EXPECT_EQ(w.reports.size(), 1u);
    EXPECT_EQ(w.grid.SelectedRow(), c.selected);
  }
}

// The window of a column's header button, where a click on the header lands.
GdkWindow* HeaderWindow(GtkTreeViewColumn* column) {
  GtkWidget* button = gtk_tree_view_column_get_button(column);
  GdkWindow* parent = gtk_widget_get_window(button);
  GdkWindow* found = nullptr;
  for (GList* l = gdk_window_peek_children(parent); l && !found; l = l->next) {
    gpointer owner = nullptr;
    gdk_window_get_user_data(GDK_WINDOW(l->data), &owner);
    if (owner == button) found = GDK_WINDOW(l->data);
  }
  return found;
}

// A click on a header sorts by its column, ascending, descending, then as
// fetched, and the header shows which; the loop hears nothing of it.
TEST(GridMouseTest, AClickOnAColumnHeaderSortsByItAndMarksIt) {
  GridInWindow w;
  w.grid.AddColumn(0, "ID", 100);
  w.grid.SetColumnOrder(0, ValueOrder::ExactNumber);
  for (const char* id : {"  3", " 10", "  2"}) w.grid.AppendRow({id});
  w.grid.SelectRow(2);
  w.Settle();
  GtkTreeViewColumn* column = gtk_tree_view_get_column(w.grid.view(), 0);
  RealPointer pointer;
  ASSERT_TRUE(pointer.available());
  int doubleClickMs = 0;
  g_object_get(gtk_settings_get_default(), "gtk-double-click-time", &doubleClickMs, nullptr);
  struct {
    const char* step;
    std::vector<std::string> ids;
    bool marked;
    GtkSortType mark;
  } clicks[] = {
      {"first click: ascending, by value", {"  2", "  3", " 10"}, true, GTK_SORT_ASCENDING},
      {"second click: descending", {" 10", "  3", "  2"}, true, GTK_SORT_DESCENDING},
      {"third click: as fetched", {"  3", " 10", "  2"}, false, GTK_SORT_ASCENDING},
  };
  for (const auto& c : clicks) {
    SCOPED_TRACE(c.step);
    GdkWindow* header = HeaderWindow(column);
    ASSERT_NE(header, nullptr);
    const std::string before = w.grid.CellText(0, 0);
    pointer.Click(header, 20, gdk_window_get_height(header) / 2, 1);
    ASSERT_TRUE(RunUntil([&] { return w.grid.CellText(0, 0) != before; })) << "the click did not sort";
    std::vector<std::string> ids;
    for (int r = 0; r < w.grid.RowCount(); ++r) ids.push_back(w.grid.CellText(r, 0));
    EXPECT_EQ(ids, c.ids);
    EXPECT_EQ(gtk_tree_view_column_get_sort_indicator(column), c.marked);
    if (c.marked) {
      EXPECT_EQ(gtk_tree_view_column_get_sort_order(column), c.mark);
    }
    EXPECT_EQ(w.grid.CellText(w.grid.SelectedRow(), 0), "  2") << "the selection left its row";
    EXPECT_TRUE(w.reports.empty()) << "the grid reported a header click";
    RunFor(doubleClickMs + 100);  // the next click no double-click
  }
}

TEST(GridMouseTest, ARefillFromTheGridsOwnDoubleClickLeavesAWorkingGrid) {
  // As the drill-down does: the double-click's handler fills the grid anew and
  // selects a row, while the tree view is still handling the click.
  RealPointer pointer;
  ASSERT_TRUE(pointer.available());
  GridInWindow w;
  Fill(w.grid, 10);
  w.onReport = [&](Action a) {
    if (a != Action::LeftDoubleClick) return;
    Fill(w.grid, 200, "drilled ");
    w.grid.SetColumnBackground(1, MakeRgb(250, 250, 250));
    w.grid.SelectRow(7);
  };
  w.Settle();
  ClickRow(pointer, w.grid.view(), 2, 1, 2);
  ASSERT_TRUE(RunUntil([&] { return Reported(w, Action::LeftDoubleClick); }));
  w.Settle();
  EXPECT_EQ(w.grid.SelectedRow(), 7);
  EXPECT_EQ(w.grid.RowCount(), 200);
  EXPECT_EQ(w.grid.CellText(7, 1), "drilled row 7");

  w.reports.clear();
  w.onReport = nullptr;
  GtkTreePath *first = nullptr, *last = nullptr;
  ASSERT_TRUE(gtk_tree_view_get_visible_range(w.grid.view(), &first, &last));
  int target = gtk_tree_path_get_indices(first)[0] + 1;
  gtk_tree_path_free(first);
  gtk_tree_path_free(last);
  ClickRow(pointer, w.grid.view(), target, 1);
  ASSERT_TRUE(RunUntil([&] { return Reported(w, Action::LeftClick); }));
  EXPECT_EQ(w.grid.SelectedRow(), target) << "the refilled grid does not take clicks";
}

}  // namespace
}  // namespace zuno::testing

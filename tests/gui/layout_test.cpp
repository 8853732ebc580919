#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

#include "windows/control_table.h"
#include "windows/gtk_windows.h"
#include "windows/resize_rule.h"
#include "db/data_source_list.h"
#include "tests/gui/gui_harness.h"

namespace zuno {
namespace {

using testing::AllocationOf;
using testing::RunUntil;
using testing::StartAndShow;

std::string AccessibleName(GtkWidget* w) {
  const char* name = atk_object_get_name(gtk_widget_get_accessible(w));
  return name ? name : "";
}

// Where a control stands: at its place, with the place's size, or more where
// its caption needs more at the desktop's font (GNOME's is larger than the
// toolkit's own default).
Rect Placed(GtkWidget* w, Rect place) {
  int minimum = 0;
  gtk_widget_get_preferred_width(w, &minimum, nullptr);
  place.w = std::max(place.w, minimum);
  gtk_widget_get_preferred_height_for_width(w, place.w, &minimum, nullptr);
  place.h = std::max(place.h, minimum);
  return place;
}

TEST(MainWindowTest, EveryControlStandsAtItsPlaceWithItsCaptionAndState) {
  auto p = StartAndShow();
  GtkShell& shell = p->shell;
  for (const ControlSpec& c : AllControls()) {
    if (c.window != WindowId::Main) continue;
    SCOPED_TRACE(std::string(c.role));
    GtkWidget* outer = shell.outer(c.id);
    ASSERT_NE(outer, nullptr);
    Rect placed = AllocationOf(outer);
    EXPECT_EQ(placed, Placed(outer, c.place));
    EXPECT_LE(placed.x + placed.w, 820);  // nothing lies outside the window
    EXPECT_LE(placed.y + placed.h, 555);
    EXPECT_EQ(shell.IsEnabled(c.id), c.enabled);
    EXPECT_EQ(shell.IsChecked(c.id), c.checked);
    // Screen readers tell the controls apart: a caption names itself, the rest carry their role.
    std::string expectedName(HasOwnCaption(c.kind) ? c.caption : c.role);
    if (c.kind != ControlKind::LabelLeft && c.kind != ControlKind::LabelRight) {
      EXPECT_EQ(AccessibleName(shell.inner(c.id)), expectedName);
    }
    switch (c.kind) {
      case ControlKind::Button:
      case ControlKind::CheckBox:
      case ControlKind::LabelLeft:
      case ControlKind::LabelRight:
      case ControlKind::DigitsEntry:
        EXPECT_EQ(shell.Text(c.id), c.caption);
        break;
      default:
        break;
    }
  }
  GtkAllocation client;
  gtk_widget_get_allocation(gtk_bin_get_child(GTK_BIN(shell.mainWindow())), &client);
  EXPECT_EQ(client.width, 820);
  EXPECT_EQ(client.height, 555);
  EXPECT_STREQ(gtk_window_get_title(GTK_WINDOW(shell.mainWindow())), "ZUNO");
}

TEST(MainWindowTest, StartUpLeavesAnEmptyGridAndTheRowLimitOfFifty) {
  auto p = StartAndShow();
  EXPECT_EQ(p->shell.grid().ColumnCount(), 0);
  EXPECT_EQ(p->shell.grid().RowCount(), 0);
  EXPECT_EQ(p->shell.Text(kRowsToFetchBox), "50");
  EXPECT_EQ(p->shell.ListItems(kRowsToFetchBox),
            (std::vector<std::string>{"0", "100", "1000", "10000", "100000"}));
  // Every configured data source, sorted, in a fresh enumeration's order.
  OdbcLayer fresh;
  fresh.OpenEnvironment();
  EXPECT_EQ(p->shell.ListItems(kDataSourceBox), ListDataSources(fresh));
  EXPECT_EQ(p->shell.Text(kTimerSecondsField), "30");
}

TEST(MainWindowTest, RowsToFetchShowsItsWidestChoiceWhole) {
  auto p = StartAndShow();
  GtkEntry* entry = GTK_ENTRY(p->shell.inner(kRowsToFetchBox));
  gtk_entry_set_text(entry, p->shell.ListItems(kRowsToFetchBox).back().c_str());  // 100000
  GdkRectangle area;
  gtk_entry_get_text_area(entry, &area);
  int width = 0;
  pango_layout_get_pixel_size(gtk_entry_get_layout(entry), &width, nullptr);
  EXPECT_LE(width, area.width);
}

TEST(MainWindowTest, ARealResizeLaysTheControlsOutAgain) {
  auto p = StartAndShow();
  GtkShell& shell = p->shell;
  for (Size s : {Size{1000, 700}, Size{700, 400}, Size{820, 555}}) {
    gtk_window_resize(GTK_WINDOW(shell.mainWindow()), s.w, s.h);
    auto expected = MainWindowLayout(s.w, s.h);
    ASSERT_TRUE(RunUntil([&] { return AllocationOf(shell.outer(kResultGrid)) == expected[kResultGrid]; }))
        << s.w << "x" << s.h << ": the client area is " << AllocationOf(gtk_bin_get_child(GTK_BIN(shell.mainWindow()))).w
        << "x" << AllocationOf(gtk_bin_get_child(GTK_BIN(shell.mainWindow()))).h;
    for (int c = 0; c < kMainControlCount; ++c) {
      GtkWidget* w = shell.outer(static_cast<Control>(c));
      EXPECT_EQ(AllocationOf(w), Placed(w, expected[c])) << "control " << c << " at " << s.w << "x" << s.h;
    }
  }
}

TEST(MainWindowTest, ATinyWindowAsksOnePixelWhereTheRuleGoesNegative) {
  auto p = StartAndShow();
  GtkWidget* win = p->shell.mainWindow();
  gtk_window_resize(GTK_WINDOW(win), 100, 100);
  auto requested = [&](Control c) {
    int w = 0, h = 0;
    gtk_widget_get_size_request(p->shell.outer(c), &w, &h);
    return Size{w, h};
  };
  // Widgets cannot be allocated below their own minimum, but nothing may ask
  // for a negative size (GTK would refuse it with a warning).
  ASSERT_TRUE(RunUntil([&] { return requested(kResultGrid) == Size{1, 1}; }));
  EXPECT_EQ(requested(kSqlEditor), (Size{1, 90}));
  EXPECT_EQ(requested(kHistoryList), (Size{1, 85}));
  EXPECT_TRUE(RunUntil([&] {
    GtkAllocation a;
    gtk_widget_get_allocation(win, &a);
    return a.width == 100 && a.height == 100;
  }));
}

TEST(MainWindowTest, DigitFieldsDropTypedAndPastedNonDigits) {
  for (Control c : {kTimerSecondsField, kRowsToFetchBox}) {
    SCOPED_TRACE(std::string(ControlById(c).role));
    auto p = StartAndShow();
    GtkWidget* field = p->shell.inner(c);
    gtk_entry_set_text(GTK_ENTRY(field), "");
    gint pos = 0;
    gtk_editable_insert_text(GTK_EDITABLE(field), "1a2 b3", -1, &pos);  // a paste
    EXPECT_EQ(p->shell.Text(c), "123");
    EXPECT_EQ(pos, 3);

    gtk_window_present(GTK_WINDOW(p->shell.mainWindow()));
    gtk_widget_grab_focus(field);
    gtk_editable_set_position(GTK_EDITABLE(field), -1);
    ASSERT_TRUE(RunUntil([&] { return gtk_widget_has_focus(field); }));
    GdkWindow* w = gtk_widget_get_window(field);
    for (guint key : {GDK_KEY_x, GDK_KEY_4, GDK_KEY_minus})
      gdk_test_simulate_key(w, 5, 5, key, GdkModifierType(0), GDK_KEY_PRESS);
    RunUntil([&] { return p->shell.Text(c).size() > 3; }, 2000);
    EXPECT_EQ(p->shell.Text(c), "1234");
  }
}

TEST(LibraryWindowTest, BothFormsHaveTheirControlsInPlace) {
  auto p = StartAndShow();
  GtkShell& shell = p->shell;
  shell.OpenLibraryWindow(Ui::LibraryForm::Library);
  ASSERT_TRUE(testing::WaitForDraw(shell.libraryWindow()));
  EXPECT_EQ(gtk_window_get_transient_for(GTK_WINDOW(shell.libraryWindow())), GTK_WINDOW(shell.mainWindow()));
  EXPECT_FALSE(gtk_window_get_resizable(GTK_WINDOW(shell.libraryWindow())));
  for (const ControlSpec& c : AllControls()) {
    if (c.window != WindowId::Library) continue;
    EXPECT_EQ(AllocationOf(shell.outer(c.id)), c.place) << c.role;
    EXPECT_TRUE(gtk_widget_get_visible(shell.outer(c.id))) << c.role;
  }
  EXPECT_EQ(shell.Text(kLibraryDeleteButton), "Delete");
  EXPECT_EQ(shell.Text(kStoreModeButton), "Local");

  shell.OpenLibraryWindow(Ui::LibraryForm::ColumnChooser);  // replaces the open one
  ASSERT_TRUE(testing::WaitForDraw(shell.libraryWindow()));
  EXPECT_EQ(shell.Text(kLibraryDeleteButton), "Select Column");
  for (Control c : {kLibrarySaveButton, kLibraryLoadButton, kStoreModeButton, kLibraryExitButton})
    EXPECT_FALSE(gtk_widget_get_visible(shell.outer(c))) << c;
  EXPECT_TRUE(gtk_widget_get_visible(shell.outer(kQueryNamesList)));
  shell.CloseLibraryWindow();
  EXPECT_EQ(shell.libraryWindow(), nullptr);
}

TEST(BusyWindowTest, PaintsItsTextWhileTheWorkRuns) {
  auto p = StartAndShow();
  GtkShell& shell = p->shell;
  // The work blocks its own thread; the window draws meanwhile.
  shell.OpenBusyWindow();  // built at its first showing, then kept
  GtkWidget* busy = shell.busyWindow();
  ASSERT_NE(busy, nullptr);
  shell.CloseBusyWindow();
  std::atomic<bool> drawn = false;
  std::atomic<bool> drawnDuringWork = false;
  gulong id = g_signal_connect_after(busy, "draw", G_CALLBACK(+[](GtkWidget*, cairo_t*, gpointer flag) -> gboolean {
                                       *static_cast<std::atomic<bool>*>(flag) = true;
                                       return FALSE;
                                     }),
                                     &drawn);
  p->jobs.Run({
      .work =
          [&] {
            for (int i = 0; i < 100 && !drawnDuringWork; ++i) {
              std::this_thread::sleep_for(std::chrono::milliseconds(20));
              drawnDuringWork = drawn.load();
            }
          },
      .apply =
          [&] {
            ASSERT_EQ(shell.busyWindow(), busy);
            EXPECT_TRUE(gtk_widget_get_mapped(shell.busyWindow()));
            EXPECT_STREQ(gtk_window_get_title(GTK_WINDOW(shell.busyWindow())), "running...");
            EXPECT_EQ(shell.Text(kBusyText), "ZUNO");
            EXPECT_EQ(AllocationOf(shell.outer(kBusyText)), (Rect{5, 5, 240, 20}));
            EXPECT_EQ(gtk_window_get_type_hint(GTK_WINDOW(shell.busyWindow())), GDK_WINDOW_TYPE_HINT_UTILITY);
            EXPECT_EQ(gtk_grab_get_current(), shell.busyWindow());
          },
  });
  g_signal_handler_disconnect(busy, id);
  EXPECT_TRUE(drawnDuringWork);
  EXPECT_EQ(shell.busyWindow(), nullptr);
  EXPECT_EQ(gtk_grab_get_current(), nullptr);
}

TEST(PopupMenuTest, HoldsItsItemsWithSeparators) {
  auto p = StartAndShow();
  GList* children = gtk_container_get_children(GTK_CONTAINER(p->shell.popupMenu()));
  std::vector<std::string> labels;
  for (GList* l = children; l; l = l->next)
    labels.push_back(GTK_IS_SEPARATOR_MENU_ITEM(l->data) ? "-" : gtk_menu_item_get_label(GTK_MENU_ITEM(l->data)));
  g_list_free(children);
  EXPECT_EQ(labels, (std::vector<std::string>{"Copy to Clipboard", "Copy Cell", "Show in Editor",
                                              "Copy and Format to Current Query", "-",
                                              "Generate Insert SQL", "Generate Update SQL",
                                              "Generate Delete SQL", "-", "Autosize Columns",
                                              "Fixed Column Size", "-", "Table Details (F4)",
                                              "Views and Routines"}));
}

}  // namespace
}  // namespace zuno

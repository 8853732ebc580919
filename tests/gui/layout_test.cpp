#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <chrono>
#include <thread>

#include "windows/control_table.h"
#include "windows/gtk_windows.h"
#include "db/data_source_list.h"
#include "tests/gui/gui_harness.h"

namespace zuno {
namespace {

using testing::AllocationOf;
using testing::PlaceInWindow;
using testing::Rect;
using testing::RunUntil;
using testing::StartAndShow;

std::string AccessibleName(GtkWidget* w) {
  const char* name = atk_object_get_name(gtk_widget_get_accessible(w));
  return name ? name : "";
}

// What a control does when the window grows: its left or top edge follows
// the right or bottom edge, or it stretches with the width or the height.
// Within: the control stands anywhere in its room, as its caption's font
// makes it (the transaction controls shorten their captions to fit).
enum Follows : unsigned { None = 0, Right = 1, Bottom = 2, Wide = 4, Tall = 8, Within = 16 };

struct Placed {
  Control id;
  Rect place;  // at the creation size, 820 x 555
  unsigned follows;
};

// The window's table of controls, and where the growth of a larger window goes.
constexpr Placed kMainWindow[] = {
    {kHistoryList, {15, 10, 630, 85}, Wide},
    {kConnectButton, {660, 105, 145, 25}, Right},
    {kRunButton, {660, 235, 145, 25}, Right},
    {kExitButton, {660, 470, 145, 25}, Right},
    {kDataSourceBox, {660, 10, 145, 25}, Right},
    {kUserField, {660, 40, 145, 25}, Right},
    {kPasswordField, {660, 70, 145, 25}, Right},
    {kConnectionStatusText, {245, 470, 175, 25}, Bottom},
    {kResultGrid, {15, 205, 630, 255}, Wide | Tall},
    {kRowsToFetchBox, {555, 500, 90, 25}, Right | Bottom},  // wide enough for its widest choice
    {kRowsToFetchLabel, {455, 505, 95, 25}, Right | Bottom},
    {kSqlEditor, {15, 105, 630, 90}, Wide},
    {kLogoImage, {15, 470, 218, 76}, Bottom},
    {kRowCountText, {245, 500, 175, 25}, Bottom},
    {kVersionText, {715, 530, 90, 20}, Right | Bottom},
    {kTimerCheckBox, {455, 470, 95, 25}, Right | Bottom},
    {kTimerSecondsField, {575, 470, 70, 25}, Right | Bottom},
    {kCatalogButton, {660, 295, 145, 25}, Right},
    {kCreatorsButton, {660, 330, 145, 25}, Right},
    {kLastCreatorButton, {660, 365, 145, 25}, Right},
    {kQueryAutorunCheckBox, {665, 270, 145, 15}, Right},
    {kEditSqlButton, {660, 140, 145, 25}, Right},
    {kFormatSqlButton, {660, 175, 145, 25}, Right},
    {kElapsedTimeText, {660, 505, 145, 20}, Right | Bottom},
    {kSaveReportButton, {660, 400, 145, 25}, Right},
    {kDb2CommandCheckBox, {665, 210, 145, 15}, Right},
    {kSaveLoadQueryButton, {660, 435, 145, 25}, Right},
    {kColoredDatatypesCheckBox, {245, 525, 175, 25}, Bottom},
    {kTransactionText, {425, 470, 30, 25}, Wide | Bottom | Within},
    {kAutocommitCheckBox, {420, 525, 225, 25}, Wide | Bottom | Within},
    {kCommitButton, {420, 525, 225, 25}, Wide | Bottom | Within},
    {kRollbackButton, {420, 525, 225, 25}, Wide | Bottom | Within},
};

constexpr Placed kLibraryWindow[] = {
    {kLibrarySaveButton, {15, 340, 105, 25}, None},  {kLibraryLoadButton, {130, 340, 105, 25}, None},
    {kLibraryDeleteButton, {245, 340, 120, 25}, None}, {kStoreModeButton, {375, 340, 100, 25}, None},
    {kLibraryExitButton, {485, 340, 100, 25}, None},  {kQueryNamesList, {15, 10, 570, 320}, None},
};

// Controls stand within a few pixels of their places: the containers give
// a check box the width of its column, a label the height of its line.
constexpr int kFewPixels = 5;

Rect Grown(Rect r, unsigned follows, int wider, int higher) {
  if (follows & Right) r.x += wider;
  if (follows & Bottom) r.y += higher;
  if (follows & Wide) r.w += wider;
  if (follows & Tall) r.h += higher;
  return r;
}

// Where the desktop's font makes a caption need more than its place (GNOME's
// is larger than the toolkit's own default), the control is as much larger,
// and one that keeps its right or bottom edge stands as much further left or up.
::testing::AssertionResult Near(GtkWidget* w, const Rect& place, unsigned follows = None) {
  const Rect at = PlaceInWindow(w);
  if (follows & Within) {
    if (at.x >= place.x - kFewPixels && at.x + at.w <= place.x + place.w + kFewPixels &&
        std::abs(at.y - place.y) <= kFewPixels)
      return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "stands at " << at.x << "," << at.y << " " << at.w << "x" << at.h
                                         << ", outside its room " << place.x << "," << place.y << " " << place.w;
  }
  int natural = 0;
  gtk_widget_get_preferred_width(w, nullptr, &natural);
  const int wider = std::max(0, natural - place.w);
  gtk_widget_get_preferred_height_for_width(w, at.w, nullptr, &natural);
  const int higher = std::max(0, natural - place.h);
  const auto within = [](int v, int from, int more) { return v >= from - kFewPixels - more && v <= from + kFewPixels; };
  const auto sized = [](int v, int from, int more) { return v >= from - kFewPixels && v <= from + kFewPixels + more; };
  if (within(at.x, place.x, wider) && within(at.y, place.y, higher) && sized(at.w, place.w, wider) &&
      sized(at.h, place.h, higher))
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "stands at " << at.x << "," << at.y << " " << at.w << "x" << at.h
                                       << ", its place is " << place.x << "," << place.y << " " << place.w << "x"
                                       << place.h;
}

// The size of the window's client area; its place in the window differs
// where GTK draws the title bar and the shadow itself.
Rect ClientArea(GtkWidget* window) {
  const Rect a = AllocationOf(gtk_bin_get_child(GTK_BIN(window)));
  return {0, 0, a.w, a.h};
}

TEST(MainWindowTest, EveryControlStandsAtItsPlaceWithItsCaptionAndState) {
  auto p = StartAndShow();
  GtkShell& shell = p->shell;
  ASSERT_EQ(std::size(kMainWindow), static_cast<std::size_t>(std::count_if(
                                         AllControls().begin(), AllControls().end(),
                                         [](const ControlSpec& c) { return c.window == WindowId::Main; })));
  for (const Placed& placed : kMainWindow) {
    const ControlSpec& c = ControlById(placed.id);
    SCOPED_TRACE(std::string(c.role));
    GtkWidget* outer = shell.outer(c.id);
    ASSERT_NE(outer, nullptr);
    EXPECT_TRUE(gtk_widget_get_mapped(outer));
    EXPECT_TRUE(Near(outer, placed.place, placed.follows));
    EXPECT_EQ(shell.IsEnabled(c.id), c.enabled);
    EXPECT_EQ(shell.IsChecked(c.id), c.checked);
    // Screen readers tell the controls apart: a caption names itself, the rest carry their role.
    std::string expectedName(HasOwnCaption(c.kind) ? c.caption : c.role);
    if (c.kind != ControlKind::LabelLeft && c.kind != ControlKind::LabelRight) {
      EXPECT_EQ(AccessibleName(shell.inner(c.id)), expectedName);
    }
    if (c.key != 0) {  // its key, underlined in its caption and named in its tooltip
      GtkWidget* caption = gtk_bin_get_child(GTK_BIN(outer));
      EXPECT_EQ(gdk_keyval_to_lower(gtk_label_get_mnemonic_keyval(GTK_LABEL(caption))),
                gdk_unicode_to_keyval(static_cast<guint32>(c.key | 0x20)));
      gchar* text = gtk_widget_get_tooltip_text(outer);
      const std::string tooltip = text ? text : "";
      g_free(text);
      EXPECT_NE(tooltip.find(KeyTooltip({}, c.key)), std::string::npos) << tooltip;
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
  EXPECT_EQ(ClientArea(shell.mainWindow()), (Rect{0, 0, 820, 555}));
  EXPECT_STREQ(gtk_window_get_title(GTK_WINDOW(shell.mainWindow())), "ZUNO");
  // The notes bar takes no room of its own yet; the transaction controls
  // take the room kept for them, no more.
  EXPECT_FALSE(shell.notes().Shown());
  EXPECT_LE(AllocationOf(shell.mainParts().transactionPlace).w, 225);
}

TEST(MainWindowTest, ARealResizeGivesTheGrowthWhereTheWindowSendsIt) {
  auto p = StartAndShow();
  GtkShell& shell = p->shell;
  for (auto [width, height] : {std::pair{1000, 700}, std::pair{900, 600}, std::pair{820, 555}}) {
    SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height));
    gtk_window_resize(GTK_WINDOW(shell.mainWindow()), width, height);
    ASSERT_TRUE(RunUntil([&] { return ClientArea(shell.mainWindow()) == Rect{0, 0, width, height}; }))
        << "the client area is " << ClientArea(shell.mainWindow()).w << "x" << ClientArea(shell.mainWindow()).h;
    const auto near = [&](const Placed& placed) {
      return Near(shell.outer(placed.id), Grown(placed.place, placed.follows, width - 820, height - 555),
                  placed.follows);
    };
    RunUntil([&] { return std::all_of(std::begin(kMainWindow), std::end(kMainWindow), near); });
    for (const Placed& placed : kMainWindow) EXPECT_TRUE(near(placed)) << ControlById(placed.id).role;
  }
}

TEST(MainWindowTest, AWindowSmallerThanItsControlsScrollsThem) {
  auto p = StartAndShow();
  GtkWidget* win = p->shell.mainWindow();
  gtk_window_resize(GTK_WINDOW(win), 100, 100);
  EXPECT_TRUE(RunUntil([&] { return ClientArea(win).w == 100 && ClientArea(win).h == 100; }));
  EXPECT_EQ(AllocationOf(p->shell.outer(kExitButton)).w, 145);  // kept whole, to be scrolled to
}

TEST(MainWindowTest, StartUpLeavesAnEmptyGridAndTheRowLimitOfFifty) {
  auto p = StartAndShow();
  EXPECT_EQ(p->grid.ColumnCount(), 0);
  EXPECT_EQ(p->grid.RowCount(), 0);
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

// Alt and a control's key press it wherever the focus is; F5 and the
// editor's keys stay as they were.
TEST(MainWindowTest, AltAndAKeyPressesItsControl) {
  auto p = StartAndShow();
  gtk_window_present(GTK_WINDOW(p->shell.mainWindow()));
  p->shell.Focus(kSqlEditor);
  ASSERT_TRUE(RunUntil([&] { return gtk_widget_has_focus(p->shell.inner(kSqlEditor)); }));
  gdk_test_simulate_key(gtk_widget_get_window(p->shell.mainWindow()), -1, -1, GDK_KEY_d, GDK_MOD1_MASK, GDK_KEY_PRESS);
  EXPECT_TRUE(RunUntil([&] { return p->shell.IsChecked(kDb2CommandCheckBox); }));
  EXPECT_EQ(p->shell.Text(kSqlEditor), "");  // the key typed nothing
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
  EXPECT_EQ(ClientArea(shell.libraryWindow()), (Rect{0, 0, 600, 380}));
  for (const Placed& placed : kLibraryWindow) {
    EXPECT_TRUE(Near(shell.outer(placed.id), placed.place)) << ControlById(placed.id).role;
    EXPECT_TRUE(gtk_widget_get_visible(shell.outer(placed.id))) << ControlById(placed.id).role;
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
            EXPECT_EQ(PlaceInWindow(shell.outer(kBusyText)), (Rect{5, 5, 240, 20}));
            EXPECT_EQ(ClientArea(shell.busyWindow()), (Rect{0, 0, 250, 30}));
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

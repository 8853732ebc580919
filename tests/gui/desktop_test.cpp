// What the program shows on every desktop it meets: dialogs whole, and no
// window that a screen reader can reach after it has gone.
#include <gtest/gtest.h>

#include "windows/gtk_windows.h"
#include "tests/gui/gui_harness.h"

namespace zuno {
namespace {

using testing::AllocationOf;
using testing::Rect;
using testing::RunUntil;
using testing::StartAndShow;

GtkWidget* ShownDialog() {
  GtkWidget* found = nullptr;
  GList* windows = gtk_window_list_toplevels();
  for (GList* l = windows; l; l = l->next)
    if (GTK_IS_DIALOG(l->data) && gtk_widget_get_mapped(GTK_WIDGET(l->data))) found = GTK_WIDGET(l->data);
  g_list_free(windows);
  return found;
}

// What a shown dialog looked like, measured before it is answered.
struct DialogSeen {
  bool seen = false;
  std::string title;
  int width = 0;
  int titleWidth = 0;
  bool transientForMain = false;
  bool contentWhole = true;  // every child has at least its natural width, inside the dialog
};

void MeasureThenAnswer(GtkWidget* main, DialogSeen& seen) {
  RunUntil([&] {
    GtkWidget* d = ShownDialog();
    if (!d || AllocationOf(d).w <= 1) return false;
    seen.seen = true;
    seen.title = gtk_window_get_title(GTK_WINDOW(d));
    seen.width = AllocationOf(gtk_bin_get_child(GTK_BIN(d))).w;
    seen.titleWidth = TitleTextWidth(d, seen.title);
    seen.transientForMain = gtk_window_get_transient_for(GTK_WINDOW(d)) == GTK_WINDOW(main);
    GtkWidget* area = gtk_dialog_get_content_area(GTK_DIALOG(d));
    Rect inside = AllocationOf(area);
    GList* children = gtk_container_get_children(GTK_CONTAINER(area));
    for (GList* c = children; c; c = c->next) {
      GtkWidget* child = GTK_WIDGET(c->data);
      int minimum = 0;
      gtk_widget_get_preferred_width(child, &minimum, nullptr);
      Rect a = AllocationOf(child);
      if (a.w < minimum || a.x < inside.x || a.x + a.w > inside.x + inside.w) seen.contentWhole = false;
    }
    g_list_free(children);
    gtk_dialog_response(GTK_DIALOG(d), GTK_RESPONSE_OK);
    return true;
  });
}

// A title bar's close box and margins take about a hundred pixels besides the title.
constexpr int kCloseBoxRoom = 100;

TEST(DialogTest, InputAndMessageDialogsShowTheirWholeTitleOverTheMainWindow) {
  auto p = StartAndShow();
  GtkWidget* main = p->shell.mainWindow();
  for (bool input : {true, false}) {
    SCOPED_TRACE(input ? "input dialog" : "message box");
    DialogSeen seen;
    std::pair<GtkWidget*, DialogSeen*> args{main, &seen};
    g_idle_add(
        [](gpointer data) -> gboolean {
          auto* a = static_cast<std::pair<GtkWidget*, DialogSeen*>*>(data);
          MeasureThenAnswer(a->first, *a->second);
          return G_SOURCE_REMOVE;
        },
        &args);
    if (input)
      p->shell.AskText("ZUNO -Query Name", "Enter Queryy Name ", "");
    else
      p->shell.ShowMessage("Limit of 50 rows reached!");
    ASSERT_TRUE(seen.seen);
    EXPECT_EQ(seen.title, input ? "ZUNO -Query Name" : "ZUNO");
    EXPECT_GE(seen.width, seen.titleWidth + kCloseBoxRoom) << "title " << seen.titleWidth;
    EXPECT_TRUE(seen.transientForMain);
    EXPECT_TRUE(seen.contentWhole);
  }
}

bool Showing(AtkObject* accessible) {
  AtkStateSet* states = atk_object_ref_state_set(accessible);
  if (!states) return false;
  const bool showing = atk_state_set_contains_state(states, ATK_STATE_SHOWING);
  g_object_unref(states);
  return showing;
}

// A screen reader that kept the busy window's accessible finds either no
// accessible or one with its window that is not shown: never one that
// outlived its window.
TEST(AccessibilityTest, AClosedBusyWindowLeavesNoAccessibleWithoutItsWindow) {
  auto p = StartAndShow();
  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(round);
    p->shell.OpenBusyWindow();
    GtkWidget* window = p->shell.busyWindow();
    ASSERT_TRUE(testing::WaitForDraw(window));
    AtkObject* accessible = gtk_widget_get_accessible(window);
    g_object_add_weak_pointer(G_OBJECT(accessible), reinterpret_cast<gpointer*>(&accessible));
    g_object_add_weak_pointer(G_OBJECT(window), reinterpret_cast<gpointer*>(&window));
    ASSERT_TRUE(Showing(accessible));
    p->shell.CloseBusyWindow();
    // Whichever the toolkit does, it does once the close is handled.
    EXPECT_TRUE(RunUntil([&] { return !accessible || !Showing(accessible); }, 5000)) << "still showing";
    if (accessible) {
      EXPECT_NE(window, nullptr);
      EXPECT_EQ(gtk_accessible_get_widget(GTK_ACCESSIBLE(accessible)), window);
      g_object_remove_weak_pointer(G_OBJECT(accessible), reinterpret_cast<gpointer*>(&accessible));
    } else {
      // The accessible goes only with its window.
      EXPECT_EQ(window, nullptr) << "the window outlived its accessible";
    }
    if (window) g_object_remove_weak_pointer(G_OBJECT(window), reinterpret_cast<gpointer*>(&window));
  }
}

}  // namespace
}  // namespace zuno

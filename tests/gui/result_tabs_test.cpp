// The result area's tabs on screen: they show for two pages or more; a
// click on a tab shows its page, the pin keeps a page over the next run and
// the close button takes a page away.
#include <gtest/gtest.h>

#include "tests/gui/program_fixture.h"
#include "tests/support/data_sources.h"

namespace zuno {
namespace {

using testing::RunUntil;

struct ResultTabsTest : testing::ProgramInOwnDirectories {
  void SetUp() override {
    ZUNO_REQUIRE_FIXTURES();
    ASSERT_TRUE(testing::ConnectTo(p->db, testing::PgPlain()));
    p->shell.SetText(kRowsToFetchBox, "50");
  }
  GtkNotebook* Notebook() { return GTK_NOTEBOOK(p->shell.outer(kResultGrid)); }
  // The titles of the pages shown; a page whose grid went stays in the notebook, hidden.
  std::vector<std::string> Tabs() {
    std::vector<std::string> titles;
    for (int i = 0; i < gtk_notebook_get_n_pages(Notebook()); ++i) {
      if (!gtk_widget_get_visible(gtk_notebook_get_nth_page(Notebook(), i))) continue;
      GtkWidget* tab = gtk_notebook_get_tab_label(Notebook(), gtk_notebook_get_nth_page(Notebook(), i));
      GList* parts = gtk_container_get_children(GTK_CONTAINER(tab));
      titles.emplace_back(gtk_label_get_text(GTK_LABEL(parts->data)));
      g_list_free(parts);
    }
    return titles;
  }
  // The tab's pin (1) or close button (2).
  GtkWidget* TabPart(int page, int part) {
    GtkWidget* tab = gtk_notebook_get_tab_label(Notebook(), gtk_notebook_get_nth_page(Notebook(), page));
    GList* parts = gtk_container_get_children(GTK_CONTAINER(tab));
    auto* w = GTK_WIDGET(g_list_nth_data(parts, static_cast<guint>(part)));
    g_list_free(parts);
    return w;
  }
  void Run(Control c, Action a, const std::string& sql) {
    p->shell.SetText(kSqlEditor, sql);
    p->loop.Deliver(Event::ControlOf(WindowId::Main, c, a));
  }
};

TEST_F(ResultTabsTest, TabsShowAClickedPinnedOrClosedPageAsTheUserAsked) {
  EXPECT_FALSE(gtk_notebook_get_show_tabs(Notebook()));
  Run(kSqlEditor, Action::RunScript, "select 1 as a;\nselect 2 as b, 3 as c;\n");
  ASSERT_TRUE(RunUntil([&] { return Tabs().size() == 3; }));
  EXPECT_EQ(Tabs(), (std::vector<std::string>{"Report", "No. 1", "No. 2"}));
  EXPECT_TRUE(gtk_notebook_get_show_tabs(Notebook()));
  EXPECT_EQ(gtk_notebook_get_current_page(Notebook()), 0);

  gtk_notebook_set_current_page(Notebook(), 2);  // as a click on the tab does
  EXPECT_EQ(p->pages.CurrentIndex(), 2);
  EXPECT_EQ(p->grid.ColumnTitle(1), "c");
  EXPECT_EQ(p->shell.inner(kResultGrid), GTK_WIDGET(p->shell.gtkGrid().view()));

  gtk_button_clicked(GTK_BUTTON(TabPart(2, 1)));  // pin "No. 2"
  EXPECT_TRUE(p->pages.Page(2).pinned);
  gtk_button_clicked(GTK_BUTTON(TabPart(1, 2)));  // close "No. 1"
  EXPECT_EQ(Tabs(), (std::vector<std::string>{"Report", "No. 2"}));
  EXPECT_EQ(p->pages.Count(), 2);

  Run(kRunButton, Action::LeftClick, "select 9 as d");
  ASSERT_TRUE(RunUntil([&] { return p->grid.ColumnTitle(0) == "d"; }));
  EXPECT_TRUE(RunUntil([&] { return gtk_widget_get_mapped(GTK_WIDGET(p->shell.gtkGrid().view())); }))
      << "the new page's grid is not on screen";
  EXPECT_EQ(Tabs(), (std::vector<std::string>{"No. 2", "Result"}));
  EXPECT_EQ(gtk_notebook_get_current_page(Notebook()), 1);
  EXPECT_TRUE(gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(TabPart(0, 1))));

  gtk_button_clicked(GTK_BUTTON(TabPart(0, 2)));  // close the pinned page
  EXPECT_EQ(Tabs(), std::vector<std::string>{"Result"});
  EXPECT_FALSE(gtk_notebook_get_show_tabs(Notebook()));
  EXPECT_EQ(p->grid.ColumnTitle(0), "d");
}

}  // namespace
}  // namespace zuno

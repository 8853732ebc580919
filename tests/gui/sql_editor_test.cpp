// The SQL editor on the real windows: its text, its colours, its keys and
// the names it completes from the catalog.
#include <gtest/gtest.h>
#include <gtksourceview/gtksource.h>

#include "app/sql_editor.h"
#include "tests/gui/program_fixture.h"
#include "tests/support/data_sources.h"

namespace zuno {
namespace {

using testing::RunUntil;

struct SqlEditorTest : testing::ProgramInOwnDirectories {
  GtkWidget* Editor() { return p->shell.inner(kSqlEditor); }
  GtkTextBuffer* Buffer() { return gtk_text_view_get_buffer(GTK_TEXT_VIEW(Editor())); }

  // A key as the toolkit delivers it to the Main Window, the editor focused.
  void Press(guint keyval, GdkModifierType state = GdkModifierType(0)) {
    gtk_widget_grab_focus(Editor());
    GdkEvent* e = gdk_event_new(GDK_KEY_PRESS);
    e->key.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(p->shell.mainWindow())));
    e->key.keyval = keyval;
    e->key.state = state;
    e->key.time = GDK_CURRENT_TIME;
    GdkKeymapKey* keys = nullptr;
    gint count = 0;
    if (gdk_keymap_get_entries_for_keyval(gdk_keymap_get_for_display(gdk_display_get_default()), keyval, &keys,
                                          &count) && count > 0)
      e->key.hardware_keycode = static_cast<guint16>(keys[0].keycode);
    g_free(keys);
    gdk_event_set_device(e, gdk_seat_get_keyboard(gdk_display_get_default_seat(gdk_display_get_default())));
    gtk_main_do_event(e);
    gdk_event_free(e);
  }
  void PutCursorAt(int offset) {
    GtkTextIter at;
    gtk_text_buffer_get_iter_at_offset(Buffer(), &at, offset);
    gtk_text_buffer_place_cursor(Buffer(), &at);
  }
  void Connect(const testing::DataSource& d) {
    p->shell.SetText(kDataSourceBox, d.dsn);
    p->shell.SetText(kUserField, d.user);
    p->shell.SetText(kPasswordField, d.password);
    p->loop.Deliver(Event::ControlOf(WindowId::Main, kConnectButton, Action::LeftClick));
    ASSERT_TRUE(p->db.Connected()) << p->db.LastError();
  }
  // The names offered at the end of text once they have been read.
  std::vector<std::string> OfferedAtEnd(const std::string& text, int cursor = -1) {
    p->shell.SetText(kSqlEditor, text);
    PutCursorAt(cursor);
    p->shell.completion().OfferAtCursor(true);
    EXPECT_TRUE(RunUntil([&] { return !p->shell.completion().Reading(); }, 10000));
    return p->shell.completion().OfferAtCursor(true);
  }
};

TEST_F(SqlEditorTest, TextComesBackAsItWasSetWithLineFeedLines) {
  std::string longStatement = "select ";
  while (longStatement.size() < 100000) longStatement += "COLUMN_" + std::to_string(longStatement.size()) + ",\n ";
  const std::string cases[] = {
      "select ID,ITEM,QTY\n from MYSCHEMA.ORDERS\nwhere QTY > 5\n",
      "select 'Grüße, 日本', 'smile 😀 end' from t",
      longStatement,
      "",
  };
  for (const std::string& text : cases) {
    p->shell.SetText(kSqlEditor, text);
    EXPECT_EQ(p->shell.Text(kSqlEditor), text) << text.substr(0, 40);
  }
  p->shell.SetText(kSqlEditor, "ab");
  PutCursorAt(1);
  Press(GDK_KEY_Return);
  EXPECT_EQ(p->shell.Text(kSqlEditor), "a\nb");
}

TEST_F(SqlEditorTest, SqlIsColouredWithMatchingBracketsAndUndo) {
  GtkSourceBuffer* buffer = GTK_SOURCE_BUFFER(Buffer());
  p->shell.SetText(kSqlEditor, "select count(*) from t where id = :id -- note");
  EXPECT_STREQ(SqlEditorLanguage(Editor()), "sql");
  EXPECT_TRUE(gtk_source_buffer_get_highlight_syntax(buffer));
  EXPECT_TRUE(gtk_source_buffer_get_highlight_matching_brackets(buffer));
  ASSERT_NE(gtk_source_buffer_get_style_scheme(buffer), nullptr);
  EXPECT_STREQ(gtk_source_style_scheme_get_id(gtk_source_buffer_get_style_scheme(buffer)), "classic");
  // The variable is marked once the editor is idle.
  GtkTextTag* variable = gtk_text_tag_table_lookup(gtk_text_buffer_get_tag_table(Buffer()), "zuno-variable");
  ASSERT_NE(variable, nullptr);
  GtkTextIter at;
  gtk_text_buffer_get_iter_at_offset(Buffer(), &at, 35);
  EXPECT_TRUE(RunUntil([&] { return gtk_text_iter_has_tag(&at, variable); }));
  gtk_text_buffer_get_iter_at_offset(Buffer(), &at, 2);
  EXPECT_FALSE(gtk_text_iter_has_tag(&at, variable));

  PutCursorAt(-1);
  Press(GDK_KEY_x);
  EXPECT_EQ(p->shell.Text(kSqlEditor), "select count(*) from t where id = :id -- notex");
  Press(GDK_KEY_z, GDK_CONTROL_MASK);
  EXPECT_EQ(p->shell.Text(kSqlEditor), "select count(*) from t where id = :id -- note");
  Press(GDK_KEY_z, GdkModifierType(GDK_CONTROL_MASK | GDK_SHIFT_MASK));
  EXPECT_EQ(p->shell.Text(kSqlEditor), "select count(*) from t where id = :id -- notex");
  // A text put in whole (Format SQL, Edit SQL) is one step each way.
  p->shell.SetText(kSqlEditor, "SELECT COUNT(*)\nFROM T");
  Press(GDK_KEY_z, GDK_CONTROL_MASK);
  EXPECT_EQ(p->shell.Text(kSqlEditor), "select count(*) from t where id = :id -- notex");
  Press(GDK_KEY_z, GdkModifierType(GDK_CONTROL_MASK | GDK_SHIFT_MASK));
  EXPECT_EQ(p->shell.Text(kSqlEditor), "SELECT COUNT(*)\nFROM T");
}

TEST_F(SqlEditorTest, RunKeysActAsTheRunButtonOnlyWhileItIsEnabled) {
  int runs = 0;
  p->dispatcher.handlers().runStatement = [&runs] { ++runs; };
  const gchar* tooltip = gtk_widget_get_tooltip_text(p->shell.outer(kRunButton));
  ASSERT_NE(tooltip, nullptr);
  EXPECT_NE(std::string(tooltip).find("Ctrl+Return"), std::string::npos);
  EXPECT_NE(std::string(tooltip).find("F5"), std::string::npos);
  g_free(const_cast<gchar*>(tooltip));
  struct {
    const char* name;
    guint keyval;
    GdkModifierType state;
    bool runEnabled;
    int runs;
  } cases[] = {
      {"Ctrl+Return", GDK_KEY_Return, GDK_CONTROL_MASK, true, 1},
      {"Ctrl+keypad Enter", GDK_KEY_KP_Enter, GDK_CONTROL_MASK, true, 1},
      {"F5", GDK_KEY_F5, GdkModifierType(0), true, 1},
      {"F5 with Num Lock", GDK_KEY_F5, GDK_MOD2_MASK, true, 1},
      {"Ctrl+Return, Run disabled", GDK_KEY_Return, GDK_CONTROL_MASK, false, 0},
      {"F5, Run disabled", GDK_KEY_F5, GdkModifierType(0), false, 0},
      {"Return alone", GDK_KEY_Return, GdkModifierType(0), true, 0},
      {"Alt+F5", GDK_KEY_F5, GDK_MOD1_MASK, true, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    runs = 0;
    p->shell.SetEnabled(kRunButton, c.runEnabled);
    p->shell.SetText(kSqlEditor, "select 1");
    Press(c.keyval, c.state);
    EXPECT_EQ(runs, c.runs);
    // Only a plain Return adds a line.
    EXPECT_EQ(p->shell.Text(kSqlEditor) != "select 1", c.keyval == GDK_KEY_Return && c.state == 0);
  }
}

TEST_F(SqlEditorTest, CtrlSSavesToTheLibraryOnlyWithAConnection) {
  p->shell.SetText(kSqlEditor, "select 42");
  Press(GDK_KEY_s, GDK_CONTROL_MASK);  // the dialog would run within the key's handling
  EXPECT_TRUE(answers.presets.empty()) << "asked for a name without a connection";

  p->shell.SetEnabled(kSaveLoadQueryButton, true);
  answers.inputs = {"answer"};
  Press(GDK_KEY_s, GDK_CONTROL_MASK);
  EXPECT_EQ(answers.presets.size(), 1u);
  EXPECT_EQ(p->shell.ListItems(kQueryNamesList), std::vector<std::string>{"answer"});
}

TEST_F(SqlEditorTest, NothingIsOfferedOrReadWithoutAConnection) {
  p->shell.SetText(kSqlEditor, "select * from MYSCHEMA.");
  PutCursorAt(-1);
  EXPECT_TRUE(p->shell.completion().OfferAtCursor(true).empty());
  EXPECT_FALSE(p->shell.completion().Reading());
}

TEST_F(SqlEditorTest, TablesAndColumnsAreOfferedFromTheCatalog) {
  ZUNO_REQUIRE_FIXTURES();
  Connect(testing::PgLuw());
  struct {
    const char* text;
    int cursor;
    std::vector<std::string> names;
  } cases[] = {
      {"select * from MYSCHEMA.ord", -1, {"ORDERS", "ORDER_VIEW"}},
      {"select * from myschema.", -1, {"CUSTOMERS", "ORDERS", "ORDER_VIEW"}},
      {"select c. from MYSCHEMA.CUSTOMERS c", 9, {"CITY", "ID", "NAME", "SINCE"}},
      {"select CUSTOMERS.n from MYSCHEMA.CUSTOMERS", 18, {"NAME"}},
      {"select a. from ME.ORD a", 9, {"ID", "ITEM", "QTY"}},  // an alias's base table
      {"select * from MYSCHEMA.ORDERS where my", -1, {"MYSCHEMA"}},  // asked: the schemas too
  };
  for (const auto& c : cases) EXPECT_EQ(OfferedAtEnd(c.text, c.cursor), c.names) << c.text;
}

// The names show when asked (Ctrl+Space), and unasked when typing pauses
// after a schema prefix; Return inserts the first, quoted where needed.
TEST_F(SqlEditorTest, NamesShowWhenAskedOrAfterAPauseAndReturnInsertsOne) {
  ZUNO_REQUIRE_FIXTURES();
  Connect(testing::PgLuw());
  GtkSourceCompletion* completion = gtk_source_view_get_completion(GTK_SOURCE_VIEW(Editor()));
  bool shown = false;
  g_signal_connect_swapped(completion, "show", G_CALLBACK(+[](bool* s) { *s = true; }), &shown);
  struct {
    const char* name;
    const char* text;
    int cursor;  // -1: at the end
    guint keyval;
    GdkModifierType state;
    const char* inserted;
  } cases[] = {
      {"Ctrl+Space", "select * from MYSCHEMA.ord", -1, GDK_KEY_space, GDK_CONTROL_MASK,
       "select * from MYSCHEMA.ORDERS"},
      {"typing after a schema", "select * from MYSCHEMA.ord", -1, GDK_KEY_e, GdkModifierType(0),
       "select * from MYSCHEMA.ORDERS"},
      {"typing after an alias", "select o.i from MYSCHEMA.ORDERS o", 10, GDK_KEY_t, GdkModifierType(0),
       "select o.ITEM from MYSCHEMA.ORDERS o"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    shown = false;
    p->shell.completion().ForgetNames();
    p->shell.SetText(kSqlEditor, c.text);
    PutCursorAt(c.cursor);
    Press(c.keyval, c.state);
    ASSERT_TRUE(RunUntil([&] { return shown; }, 10000));
    Press(GDK_KEY_Return);
    EXPECT_EQ(p->shell.Text(kSqlEditor), c.inserted);
  }
}

}  // namespace
}  // namespace zuno

// The SQL editor on the real windows: its text, its colours, its keys and
// the names it completes from the catalog.
#include <gtest/gtest.h>
#include <gtksourceview/gtksource.h>
#include <sys/stat.h>

#include <cstdlib>

#include "app/editor_state_file.h"
#include "windows/editor_zoom.h"
#include "windows/sql_editor.h"
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
  // A keyword beside a dot (PUBLIC, DATE) shows in the colour of plain text.
  p->shell.SetText(kSqlEditor, "select PUBLIC.TYPES, t.DATE from t");
  // The colour of the tag of highest priority that sets one, else the view's.
  auto colourAt = [&](int offset) {
    GdkRGBA colour;
    GtkStyleContext* style = gtk_widget_get_style_context(Editor());
    gtk_style_context_get_color(style, gtk_style_context_get_state(style), &colour);
    gtk_text_buffer_get_iter_at_offset(Buffer(), &at, offset);
    GSList* tags = gtk_text_iter_get_tags(&at);  // in rising priority
    for (GSList* t = tags; t; t = t->next) {
      gboolean set = FALSE;
      GdkRGBA* rgba = nullptr;
      g_object_get(t->data, "foreground-set", &set, "foreground-rgba", &rgba, nullptr);
      if (set && rgba) colour = *rgba;
      if (rgba) gdk_rgba_free(rgba);
    }
    g_slist_free(tags);
    GCharPtr text(gdk_rgba_to_string(&colour));
    return std::string(text.get());
  };
  const std::string plain = colourAt(33);
  // Once the editor is idle, select is coloured and the names are not.
  EXPECT_TRUE(RunUntil([&] { return colourAt(0) != plain && colourAt(7) == plain && colourAt(23) == plain; }))
      << colourAt(0) << " " << colourAt(7) << " " << colourAt(23);

  p->shell.SetText(kSqlEditor, "select count(*) from t where id = :id -- note");
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
  std::string ran;  // R: Run, C: the statement at the cursor, S: the script
  p->dispatcher.handlers().runStatement = [&ran] { ran += 'R'; };
  p->dispatcher.handlers().runAtCursor = [&ran] { ran += 'C'; };
  p->dispatcher.handlers().runScript = [&ran] { ran += 'S'; };
  const gchar* tooltip = gtk_widget_get_tooltip_text(p->shell.outer(kRunButton));
  ASSERT_NE(tooltip, nullptr);
  for (const char* key : {"Ctrl+Return", "Ctrl+Shift+Return", "F5"})
    EXPECT_NE(std::string(tooltip).find(key), std::string::npos) << key;
  g_free(const_cast<gchar*>(tooltip));
  const auto ctrlShift = GdkModifierType(GDK_CONTROL_MASK | GDK_SHIFT_MASK);
  struct {
    const char* name;
    guint keyval;
    GdkModifierType state;
    bool runEnabled;
    const char* ran;
  } cases[] = {
      {"Ctrl+Return", GDK_KEY_Return, GDK_CONTROL_MASK, true, "C"},
      {"Ctrl+keypad Enter", GDK_KEY_KP_Enter, GDK_CONTROL_MASK, true, "C"},
      {"Ctrl+Shift+Return", GDK_KEY_Return, ctrlShift, true, "S"},
      {"Ctrl+Shift+keypad Enter", GDK_KEY_KP_Enter, ctrlShift, true, "S"},
      {"F5", GDK_KEY_F5, GdkModifierType(0), true, "R"},
      {"F5 with Num Lock", GDK_KEY_F5, GDK_MOD2_MASK, true, "R"},
      {"Ctrl+Return, Run disabled", GDK_KEY_Return, GDK_CONTROL_MASK, false, ""},
      {"Ctrl+Shift+Return, Run disabled", GDK_KEY_Return, ctrlShift, false, ""},
      {"F5, Run disabled", GDK_KEY_F5, GdkModifierType(0), false, ""},
      {"Return alone", GDK_KEY_Return, GdkModifierType(0), true, ""},
      {"Alt+F5", GDK_KEY_F5, GDK_MOD1_MASK, true, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ran.clear();
    p->shell.SetEnabled(kRunButton, c.runEnabled);
    p->shell.SetText(kSqlEditor, "select 1");
    Press(c.keyval, c.state);
    EXPECT_EQ(ran, c.ran);
    // Only a plain Return adds a line.
    EXPECT_EQ(p->shell.Text(kSqlEditor) != "select 1", c.keyval == GDK_KEY_Return && c.state == 0);
  }
}

TEST_F(SqlEditorTest, F4AloneAsksForTheTableDetails) {
  std::vector<int> items;
  p->dispatcher.handlers().popupItem = [&items](int item) { items.push_back(item); };
  Press(GDK_KEY_F4);
  Press(GDK_KEY_F4, GDK_CONTROL_MASK);
  EXPECT_EQ(items, std::vector<int>{kTableDetails});
}

// The handlers speak in bytes of the editor's text, the buffer in characters.
TEST_F(SqlEditorTest, TheSelectionIsReadAndSetInBytesOfTheText) {
  p->shell.SetText(kSqlEditor, "select '\xC3\xA4\xC3\xA4';\nselect 2");
  PutCursorAt(6);
  EXPECT_EQ(p->shell.EditorSelection(), (TextRange{6, 6}));
  p->shell.SelectEditorText({15, 23});
  GtkTextIter from, to;
  ASSERT_TRUE(gtk_text_buffer_get_selection_bounds(Buffer(), &from, &to));
  gchar* selected = gtk_text_buffer_get_text(Buffer(), &from, &to, TRUE);
  EXPECT_STREQ(selected, "select 2");
  g_free(selected);
  EXPECT_EQ(p->shell.EditorSelection(), (TextRange{15, 23}));
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
      {"select c. from MYSCHEMA.CUSTOMERS c", 9, {"ID", "NAME", "CITY", "SINCE"}},  // in the table's order
      {"select CUSTOMERS.n from MYSCHEMA.CUSTOMERS", 18, {"NAME"}},
      {"select a. from ME.ORD a", 9, {"ID", "ITEM", "QTY"}},  // an alias's base table
      {"select * from MYSCHEMA.ORDERS, my", -1, {"MYSCHEMA"}},  // asked: the schemas too
      // No prefix: the columns of every table the statement names.
      {"select * from MYSCHEMA.ORDERS where it", -1, {"ITEM"}},
      {"select  from ME.ORD o join MYSCHEMA.CUSTOMERS c on 1=1", 7,
       {"ID", "ITEM", "QTY", "ID", "NAME", "CITY", "SINCE"}},
      {"select MYSCHEMA.CUSTOMERS.", -1, {"ID", "NAME", "CITY", "SINCE"}},
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
      {"typing a column where one may stand", "select * from MYSCHEMA.ORDERS where i", -1, GDK_KEY_t,
       GdkModifierType(0), "select * from MYSCHEMA.ORDERS where ITEM"},
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


// A paste offers nothing, also when its text comes later from another client
// (a second display connection); far keys close a popup and reach the editor.
TEST_F(SqlEditorTest, APasteOffersNothingAndFarKeysCloseThePopup) {
  ZUNO_REQUIRE_FIXTURES();
  Connect(testing::PgLuw());
  p->dispatcher.handlers().runAtCursor = [] {};
  bool shown = false;
  GtkSourceCompletion* completion = gtk_source_view_get_completion(GTK_SOURCE_VIEW(Editor()));
  g_signal_connect_swapped(completion, "show", G_CALLBACK(+[](bool* s) { *s = true; }), &shown);
  g_signal_connect_swapped(completion, "hide", G_CALLBACK(+[](bool* s) { *s = false; }), &shown);
  OfferedAtEnd("select * from MYSCHEMA.ord");  // the names are read
  GdkDisplay* other = gdk_display_open(gdk_display_get_name(gdk_display_get_default()));
  gtk_clipboard_set_text(gtk_clipboard_get_for_display(other, GDK_SELECTION_CLIPBOARD), "MYSCHEMA.ord", -1);
  const std::string text = "select 1 from sysibm.sysdummy1;\nselect * from ";
  p->shell.SetText(kSqlEditor, text);
  PutCursorAt(-1);
  Press(GDK_KEY_v, GDK_CONTROL_MASK);
  EXPECT_TRUE(RunUntil([&] { return p->shell.Text(kSqlEditor) == text + "MYSCHEMA.ord"; }));
  testing::RunFor(1000);  // three times the pause after which typing offers names
  EXPECT_FALSE(shown) << "the paste opened the popup";
  gdk_display_close(other);
  const struct { guint keyval; GdkModifierType state; bool toFirstLine; } keys[] = {
      {GDK_KEY_Home, GDK_CONTROL_MASK, true}, {GDK_KEY_Page_Up, {}, true}, {GDK_KEY_Return, GDK_CONTROL_MASK, false}};
  for (const auto& k : keys) {
    SCOPED_TRACE(gdk_keyval_name(k.keyval));
    p->shell.SetText(kSqlEditor, text + "MYSCHEMA.ord");
    PutCursorAt(-1);
    Press(GDK_KEY_e);  // typing offers, as always
    ASSERT_TRUE(RunUntil([&] { return shown; }, 10000));
    Press(k.keyval, k.state);
    EXPECT_FALSE(shown) << "the popup stayed open";
    EXPECT_EQ(p->shell.EditorCursor() < static_cast<int>(text.find('\n')), k.toFirstLine);
  }
}

TEST_F(SqlEditorTest, AClickOnALineNumberFocusesTheEditorAndPutsTheCursorOnThatLine) {
  p->shell.SetText(kSqlEditor, "select 1;\nselect 2;\nselect 3");
  gtk_widget_grab_focus(p->shell.inner(kUserField));
  ASSERT_TRUE(testing::WaitForDraw(Editor()));
  GtkTextView* view = GTK_TEXT_VIEW(Editor());
  GtkTextIter cursor;
  gtk_text_buffer_get_iter_at_line(Buffer(), &cursor, 2);
  gint top = 0, height = 0, x = 0, y = 0;
  gtk_text_view_get_line_yrange(view, &cursor, &top, &height);
  gtk_text_view_buffer_to_window_coords(view, GTK_TEXT_WINDOW_LEFT, 0, top + height / 2, &x, &y);
  GdkEvent* e = gdk_event_new(GDK_BUTTON_PRESS);
  e->button.window = GDK_WINDOW(g_object_ref(gtk_text_view_get_window(view, GTK_TEXT_WINDOW_LEFT)));
  e->button.x = 4;
  e->button.y = y;
  e->button.button = GDK_BUTTON_PRIMARY;
  gdk_event_set_device(e, gdk_seat_get_pointer(gdk_display_get_default_seat(gdk_display_get_default())));
  gtk_main_do_event(e);
  gdk_event_free(e);
  EXPECT_TRUE(gtk_widget_is_focus(Editor()));
  EXPECT_EQ(p->shell.EditorCursor(), 20);  // the start of "select 3"
}

// Ctrl+F, Ctrl+H, Ctrl+L, the zoom keys and Ctrl+/ act on the editor, with
// the source view's own search; the lines are numbered.
TEST_F(SqlEditorTest, FindReplaceGoToZoomAndCommentKeys) {
  EXPECT_TRUE(gtk_source_view_get_show_line_numbers(GTK_SOURCE_VIEW(Editor())));
  p->shell.SetText(kSqlEditor, "select a from t\nselect b from u");
  PutCursorAt(0);
  Press(GDK_KEY_f, GDK_CONTROL_MASK);
  EditorSearch& search = p->shell.search();
  ASSERT_TRUE(gtk_widget_get_mapped(search.findEntry()));
  EXPECT_FALSE(gtk_widget_is_visible(search.replaceEntry()));
  gtk_entry_set_text(GTK_ENTRY(search.findEntry()), "from");
  EXPECT_TRUE(RunUntil([&] { return search.MatchText() == "2 found"; })) << search.MatchText();
  search.Next(true);
  EXPECT_EQ(search.MatchText(), "1 of 2");
  search.Next(true);
  EXPECT_EQ(search.MatchText(), "2 of 2");

  Press(GDK_KEY_h, GDK_CONTROL_MASK);
  ASSERT_TRUE(gtk_widget_is_visible(search.replaceEntry()));
  gtk_entry_set_text(GTK_ENTRY(search.replaceEntry()), "FROM");
  search.ReplaceAll();
  EXPECT_EQ(p->shell.Text(kSqlEditor), "select a FROM t\nselect b FROM u");

  answers.inputs = {"2"};
  Press(GDK_KEY_l, GDK_CONTROL_MASK);
  GtkTextIter cursor;
  gtk_text_buffer_get_iter_at_mark(Buffer(), &cursor, gtk_text_buffer_get_insert(Buffer()));
  EXPECT_EQ(gtk_text_iter_get_line(&cursor), 1);
  EXPECT_EQ(gtk_text_iter_get_line_offset(&cursor), 0);

  const struct {
    guint key;
    int percent;
  } zooms[] = {{GDK_KEY_plus, 110}, {GDK_KEY_equal, 120}, {GDK_KEY_minus, 110}, {GDK_KEY_0, 100}};
  for (const auto& z : zooms) {
    Press(z.key, GDK_CONTROL_MASK);
    EXPECT_EQ(EditorZoomPercent(Editor()), z.percent) << gdk_keyval_name(z.key);
  }

  gtk_text_buffer_select_range(Buffer(), &cursor, &cursor);
  PutCursorAt(3);
  Press(GDK_KEY_slash, GDK_CONTROL_MASK);
  EXPECT_EQ(p->shell.Text(kSqlEditor), "-- select a FROM t\nselect b FROM u");
  GtkTextIter start, end;
  gtk_text_buffer_get_bounds(Buffer(), &start, &end);
  gtk_text_buffer_select_range(Buffer(), &start, &end);
  Press(GDK_KEY_slash, GDK_CONTROL_MASK);  // not every line commented: all of them are
  EXPECT_EQ(p->shell.Text(kSqlEditor), "-- -- select a FROM t\n-- select b FROM u");
  Press(GDK_KEY_slash, GDK_CONTROL_MASK);
  EXPECT_EQ(p->shell.Text(kSqlEditor), "-- select a FROM t\nselect b FROM u");
  Press(GDK_KEY_z, GDK_CONTROL_MASK);  // one undo step a toggle
  EXPECT_EQ(p->shell.Text(kSqlEditor), "-- -- select a FROM t\n-- select b FROM u");
}

// Return in the Password field connects; the focus then goes to the editor.
// The connection fields say what they are for before anything is typed.
TEST_F(SqlEditorTest, ReturnInThePasswordFieldConnectsAndTheEditorTakesTheFocus) {
  for (Control c : {kUserField, kPasswordField})
    EXPECT_STRNE(gtk_entry_get_placeholder_text(GTK_ENTRY(p->shell.inner(c))), "");
  const testing::DataSource d = testing::PgLuw();
  p->shell.SetText(kDataSourceBox, d.dsn);
  p->shell.SetText(kUserField, d.user);
  p->shell.SetText(kPasswordField, d.password);
  gtk_widget_activate(p->shell.inner(kPasswordField));
  ASSERT_TRUE(RunUntil([&] { return p->db.Connected(); }, 10000)) << p->db.LastError();
  EXPECT_TRUE(gtk_widget_is_focus(Editor()));
}


// The editor's text and cursor and the Statement History are kept at the end
// for the user alone and come back at the next start; a damaged file is no
// state and stops nothing.
TEST_F(SqlEditorTest, TheTextItsCursorAndTheHistoryComeBackAfterARestart) {
  const std::string text = "select * from t where pw = '&pwd'\n-- Grüße";
  p->shell.SetText(kSqlEditor, text);
  p->shell.PlaceEditorCursor(40);
  for (const char* statement : {"select 1", "select\n2"}) p->shell.AppendListItem(kHistoryList, statement);
  KeepEditorState(*p);
  const std::string file = EditorStatePath(getenv("XDG_STATE_HOME"), home.path());
  struct stat st {};
  ASSERT_EQ(stat(file.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);

  p.reset();
  p = testing::StartAndShow();
  EXPECT_EQ(p->shell.Text(kSqlEditor), text);
  EXPECT_EQ(p->shell.EditorCursor(), 40);
  EXPECT_EQ(p->shell.ListItems(kHistoryList), (std::vector<std::string>{"select 1", "select\n2"}));

  testing::WriteFileBytes(file, testing::ReadFileBytes(file).substr(0, 30));
  p.reset();
  p = testing::StartAndShow();
  EXPECT_EQ(p->shell.Text(kSqlEditor), "");
  EXPECT_TRUE(p->shell.ListItems(kHistoryList).empty());
}

}  // namespace
}  // namespace zuno

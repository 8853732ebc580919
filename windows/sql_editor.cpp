#include "windows/sql_editor.h"

#include <gtksourceview/gtksource.h>

#include <string>
#include <vector>

#include "base/gobject_ptr.h"
#include "windows/line_comments.h"
#include "windows/sql_editor_spans.h"

namespace zuno {
namespace {

constexpr const char* kLanguage = "sql";
// A light scheme that sits well in Adwaita's white text fields.
constexpr const char* kScheme = "classic";
constexpr const char* kVariableTag = "zuno-variable";
constexpr const char* kVariableColour = "#8f5902";
// Names beside a dot in the text's own colour, above a keyword's.
constexpr const char* kNameTag = "zuno-qualified-name";
constexpr const char* kMarkSourceKey = "zuno-name-marks";

// A new buffer takes the default colour scheme at once, and finding it reads
// every scheme file installed. With nowhere to look, the buffer is made with
// the built-in scheme in a fraction of that time; the schemes are searched
// for where they are installed when the language is loaded.
void PutOffSchemeSearch() {
  const gchar* nowhere[] = {nullptr};
  gtk_source_style_scheme_manager_set_search_path(gtk_source_style_scheme_manager_get_default(),
                                                  const_cast<gchar**>(nowhere));
}

void LoadLanguage(GtkSourceBuffer* buffer) {
  GtkSourceLanguage* sql = gtk_source_language_manager_get_language(gtk_source_language_manager_get_default(), kLanguage);
  GtkSourceStyleSchemeManager* schemes = gtk_source_style_scheme_manager_get_default();
  gtk_source_style_scheme_manager_set_search_path(schemes, nullptr);  // where they are installed
  GtkSourceStyleScheme* scheme = gtk_source_style_scheme_manager_get_scheme(schemes, kScheme);
  if (scheme) gtk_source_buffer_set_style_scheme(buffer, scheme);
  if (sql) gtk_source_buffer_set_language(buffer, sql);
}

// Puts the tag on the spans (in rising order) of the whole text anew, above
// the language's own colours.
void MarkSpans(GtkTextBuffer* buffer, const char* tagName, const char* bytes, const std::vector<TextSpan>& spans) {
  GtkTextTagTable* table = gtk_text_buffer_get_tag_table(buffer);
  GtkTextTag* tag = gtk_text_tag_table_lookup(table, tagName);
  GtkTextIter start, end;
  gtk_text_buffer_get_bounds(buffer, &start, &end);
  gtk_text_buffer_remove_tag(buffer, tag, &start, &end);
  gtk_text_tag_set_priority(tag, gtk_text_tag_table_get_size(table) - 1);
  // Byte offsets become character offsets walking forward once.
  std::size_t byte = 0;
  glong chars = 0;
  auto charsTo = [&](std::size_t to) {
    chars += g_utf8_pointer_to_offset(bytes + byte, bytes + to);
    byte = to;
    return static_cast<gint>(chars);
  };
  for (const TextSpan& span : spans) {
    GtkTextIter from, to;
    gtk_text_buffer_get_iter_at_offset(buffer, &from, charsTo(span.begin));
    gtk_text_buffer_get_iter_at_offset(buffer, &to, charsTo(span.end));
    gtk_text_buffer_apply_tag(buffer, tag, &from, &to);
  }
}

// Colours the variables and the names beside a dot; a variable stays above
// a name.
gboolean MarkNamesAndVariables(gpointer data) {
  GtkTextBuffer* buffer = GTK_TEXT_BUFFER(data);
  g_object_set_data(G_OBJECT(buffer), kMarkSourceKey, nullptr);
  GtkTextIter start, end;
  gtk_text_buffer_get_bounds(buffer, &start, &end);
  GCharPtr text(gtk_text_buffer_get_text(buffer, &start, &end, TRUE));
  MarkSpans(buffer, kNameTag, text.get(), QualifiedNameSpans(text.get()));
  MarkSpans(buffer, kVariableTag, text.get(), VariableSpans(text.get()));
  return G_SOURCE_REMOVE;
}

// The names' tag takes the text colour of the view's theme.
void FollowTextColour(GtkWidget* view, gpointer) {
  GtkStyleContext* style = gtk_widget_get_style_context(view);
  GdkRGBA colour;
  gtk_style_context_get_color(style, gtk_style_context_get_state(style), &colour);
  GtkTextTagTable* table = gtk_text_buffer_get_tag_table(gtk_text_view_get_buffer(GTK_TEXT_VIEW(view)));
  g_object_set(gtk_text_tag_table_lookup(table, kNameTag), "foreground-rgba", &colour, nullptr);
}

void OnChanged(GtkTextBuffer* buffer, gpointer) {
  if (!gtk_source_buffer_get_language(GTK_SOURCE_BUFFER(buffer))) LoadLanguage(GTK_SOURCE_BUFFER(buffer));
  if (g_object_get_data(G_OBJECT(buffer), kMarkSourceKey)) return;
  // One pass after a burst of typing or a whole text set at once.
  guint source = g_idle_add_full(G_PRIORITY_LOW, MarkNamesAndVariables, g_object_ref(buffer), g_object_unref);
  g_object_set_data(G_OBJECT(buffer), kMarkSourceKey, GUINT_TO_POINTER(source));
}

// A click on the line numbers puts the focus in the editor and the cursor at
// the start of that line, where Ctrl+Return then runs the statement.
gboolean ClickOnLineNumbers(GtkWidget* view, GdkEvent* e, gpointer) {
  if (e->type != GDK_BUTTON_PRESS || e->button.button != GDK_BUTTON_PRIMARY) return FALSE;
  GtkTextView* text = GTK_TEXT_VIEW(view);
  if (e->button.window != gtk_text_view_get_window(text, GTK_TEXT_WINDOW_LEFT)) return FALSE;
  gint x = 0, y = 0;
  gtk_text_view_window_to_buffer_coords(text, GTK_TEXT_WINDOW_LEFT, static_cast<gint>(e->button.x),
                                        static_cast<gint>(e->button.y), &x, &y);
  GtkTextIter line;
  gtk_text_view_get_line_at_y(text, &line, y, nullptr);
  gtk_widget_grab_focus(view);
  gtk_text_buffer_place_cursor(gtk_text_view_get_buffer(text), &line);
  return TRUE;
}

}  // namespace

GtkWidget* NewSqlEditorView() {
  PutOffSchemeSearch();
  GObjectPtr<GtkSourceBuffer> buffer(gtk_source_buffer_new(nullptr));
  gtk_source_buffer_set_highlight_matching_brackets(buffer.get(), TRUE);
  gtk_text_buffer_create_tag(GTK_TEXT_BUFFER(buffer.get()), kVariableTag, "foreground", kVariableColour, "weight",
                             PANGO_WEIGHT_BOLD, nullptr);
  gtk_text_buffer_create_tag(GTK_TEXT_BUFFER(buffer.get()), kNameTag, "weight", PANGO_WEIGHT_NORMAL, "style",
                             PANGO_STYLE_NORMAL, nullptr);
  g_signal_connect(buffer.get(), "changed", G_CALLBACK(OnChanged), nullptr);
  GtkWidget* view = gtk_source_view_new_with_buffer(buffer.get());
  // Styled when the window shows it, not at start-up.
  g_signal_connect(view, "style-updated", G_CALLBACK(FollowTextColour), nullptr);
  gtk_source_view_set_show_line_numbers(GTK_SOURCE_VIEW(view), TRUE);
  // Before any handler of the press: the line numbers' own selects the line.
  g_signal_connect(view, "event", G_CALLBACK(ClickOnLineNumbers), nullptr);
  return view;
}

void ToggleSelectedLineComments(GtkWidget* view) {
  GtkTextBuffer* buffer = gtk_text_view_get_buffer(GTK_TEXT_VIEW(view));
  GtkTextIter start, end;
  gtk_text_buffer_get_selection_bounds(buffer, &start, &end);
  // A selection that ends at the start of a line leaves that line alone.
  if (gtk_text_iter_starts_line(&end) && gtk_text_iter_compare(&start, &end) < 0) gtk_text_iter_backward_char(&end);
  gtk_text_iter_set_line_offset(&start, 0);
  if (!gtk_text_iter_ends_line(&end)) gtk_text_iter_forward_to_line_end(&end);
  GCharPtr lines(gtk_text_buffer_get_text(buffer, &start, &end, TRUE));
  const std::string toggled = ToggleLineComments(lines.get());
  const int first = gtk_text_iter_get_line(&start);
  gtk_text_buffer_begin_user_action(buffer);
  gtk_text_buffer_delete(buffer, &start, &end);
  gtk_text_buffer_insert(buffer, &start, toggled.c_str(), static_cast<gint>(toggled.size()));
  gtk_text_buffer_end_user_action(buffer);
  // The lines stay selected, so that a second Ctrl+/ takes them back.
  GtkTextIter from, to = start;
  gtk_text_buffer_get_iter_at_line(buffer, &from, first);
  gtk_text_buffer_select_range(buffer, &from, &to);
}

const char* SqlEditorLanguage(GtkWidget* view) {
  GtkSourceBuffer* buffer = GTK_SOURCE_BUFFER(gtk_text_view_get_buffer(GTK_TEXT_VIEW(view)));
  GtkSourceLanguage* language = gtk_source_buffer_get_language(buffer);
  return language ? gtk_source_language_get_id(language) : "";
}

}  // namespace zuno

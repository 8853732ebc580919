#include "windows/sql_editor.h"

#include <gtksourceview/gtksource.h>

#include <string>

#include "base/gobject_ptr.h"
#include "windows/line_comments.h"
#include "windows/sql_variable_spans.h"

namespace zuno {
namespace {

constexpr const char* kLanguage = "sql";
// A light scheme that sits well in Adwaita's white text fields.
constexpr const char* kScheme = "classic";
constexpr const char* kVariableTag = "zuno-variable";
constexpr const char* kVariableColour = "#8f5902";
constexpr const char* kMarkSourceKey = "zuno-variable-marks";

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

// Colours the variables of the whole text anew; the tag stays above the
// language's own colours.
gboolean MarkVariables(gpointer data) {
  GtkTextBuffer* buffer = GTK_TEXT_BUFFER(data);
  g_object_set_data(G_OBJECT(buffer), kMarkSourceKey, nullptr);
  GtkTextTagTable* table = gtk_text_buffer_get_tag_table(buffer);
  GtkTextTag* tag = gtk_text_tag_table_lookup(table, kVariableTag);
  GtkTextIter start, end;
  gtk_text_buffer_get_bounds(buffer, &start, &end);
  gtk_text_buffer_remove_tag(buffer, tag, &start, &end);
  gtk_text_tag_set_priority(tag, gtk_text_tag_table_get_size(table) - 1);
  GCharPtr text(gtk_text_buffer_get_text(buffer, &start, &end, TRUE));
  const char* bytes = text.get();
  // Byte offsets become character offsets walking forward once.
  std::size_t byte = 0;
  glong chars = 0;
  auto charsTo = [&](std::size_t to) {
    chars += g_utf8_pointer_to_offset(bytes + byte, bytes + to);
    byte = to;
    return static_cast<gint>(chars);
  };
  for (const TextSpan& span : VariableSpans(bytes)) {
    GtkTextIter from, to;
    gtk_text_buffer_get_iter_at_offset(buffer, &from, charsTo(span.begin));
    gtk_text_buffer_get_iter_at_offset(buffer, &to, charsTo(span.end));
    gtk_text_buffer_apply_tag(buffer, tag, &from, &to);
  }
  return G_SOURCE_REMOVE;
}

void OnChanged(GtkTextBuffer* buffer, gpointer) {
  if (!gtk_source_buffer_get_language(GTK_SOURCE_BUFFER(buffer))) LoadLanguage(GTK_SOURCE_BUFFER(buffer));
  if (g_object_get_data(G_OBJECT(buffer), kMarkSourceKey)) return;
  // One pass after a burst of typing or a whole text set at once.
  guint source = g_idle_add_full(G_PRIORITY_LOW, MarkVariables, g_object_ref(buffer), g_object_unref);
  g_object_set_data(G_OBJECT(buffer), kMarkSourceKey, GUINT_TO_POINTER(source));
}

}  // namespace

GtkWidget* NewSqlEditorView() {
  PutOffSchemeSearch();
  GObjectPtr<GtkSourceBuffer> buffer(gtk_source_buffer_new(nullptr));
  gtk_source_buffer_set_highlight_matching_brackets(buffer.get(), TRUE);
  gtk_text_buffer_create_tag(GTK_TEXT_BUFFER(buffer.get()), kVariableTag, "foreground", kVariableColour, "weight",
                             PANGO_WEIGHT_BOLD, nullptr);
  g_signal_connect(buffer.get(), "changed", G_CALLBACK(OnChanged), nullptr);
  GtkWidget* view = gtk_source_view_new_with_buffer(buffer.get());
  gtk_source_view_set_show_line_numbers(GTK_SOURCE_VIEW(view), TRUE);
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

#include "windows/editor_search.h"

#include <algorithm>

namespace zuno {
namespace {

GtkWidget* Button(const char* caption, GCallback clicked, gpointer self) {
  GtkWidget* b = gtk_button_new_with_label(caption);
  g_signal_connect_swapped(b, "clicked", clicked, self);
  return b;
}

void SelectAndShow(GtkWidget* view, const GtkTextIter& start, const GtkTextIter& end) {
  GtkTextBuffer* buffer = gtk_text_view_get_buffer(GTK_TEXT_VIEW(view));
  gtk_text_buffer_select_range(buffer, &start, &end);
  gtk_text_view_scroll_mark_onscreen(GTK_TEXT_VIEW(view), gtk_text_buffer_get_insert(buffer));
}

}  // namespace

EditorSearch::EditorSearch(GtkWidget* view)
    : view_(view), buffer_(GTK_SOURCE_BUFFER(gtk_text_view_get_buffer(GTK_TEXT_VIEW(view)))) {}

void EditorSearch::Build() {
  settings_.reset(gtk_source_search_settings_new());
  gtk_source_search_settings_set_wrap_around(settings_.get(), TRUE);
  context_.reset(gtk_source_search_context_new(buffer_, settings_.get()));
  g_signal_connect_swapped(context_.get(), "notify::occurrences-count", G_CALLBACK(+[](EditorSearch* self) {
                             self->ShowCount();
                           }),
                           this);

  popover_ = gtk_popover_new(view_);
  gtk_popover_set_position(GTK_POPOVER(popover_), GTK_POS_TOP);
  GtkWidget* rows = gtk_box_new(GTK_ORIENTATION_VERTICAL, 4);
  GtkWidget* findRow = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 4);
  find_ = gtk_search_entry_new();
  gtk_entry_set_placeholder_text(GTK_ENTRY(find_), "Find");
  g_object_bind_property(find_, "text", settings_.get(), "search-text", G_BINDING_DEFAULT);
  // Return finds the next match, Shift+Return the one before.
  g_signal_connect_swapped(find_, "activate", G_CALLBACK(+[](EditorSearch* self) { self->Next(true); }), this);
  g_signal_connect_swapped(find_, "next-match", G_CALLBACK(+[](EditorSearch* self) { self->Next(true); }), this);
  g_signal_connect_swapped(find_, "previous-match", G_CALLBACK(+[](EditorSearch* self) { self->Next(false); }),
                           this);
  count_ = gtk_label_new("");
  gtk_label_set_width_chars(GTK_LABEL(count_), 10);
  gtk_box_pack_start(GTK_BOX(findRow), find_, TRUE, TRUE, 0);
  gtk_box_pack_start(GTK_BOX(findRow), count_, FALSE, FALSE, 0);
  gtk_box_pack_start(GTK_BOX(findRow), Button("Previous", G_CALLBACK(+[](EditorSearch* s) { s->Next(false); }), this),
                     FALSE, FALSE, 0);
  gtk_box_pack_start(GTK_BOX(findRow), Button("Next", G_CALLBACK(+[](EditorSearch* s) { s->Next(true); }), this),
                     FALSE, FALSE, 0);

  replaceRow_ = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 4);
  replace_ = gtk_entry_new();
  gtk_entry_set_placeholder_text(GTK_ENTRY(replace_), "Replace with");
  gtk_box_pack_start(GTK_BOX(replaceRow_), replace_, TRUE, TRUE, 0);
  gtk_box_pack_start(GTK_BOX(replaceRow_), Button("Replace", G_CALLBACK(+[](EditorSearch* s) { s->ReplaceOne(); }), this),
                     FALSE, FALSE, 0);
  gtk_box_pack_start(GTK_BOX(replaceRow_),
                     Button("Replace All", G_CALLBACK(+[](EditorSearch* s) { s->ReplaceAll(); }), this), FALSE,
                     FALSE, 0);
  gtk_box_pack_start(GTK_BOX(rows), findRow, FALSE, FALSE, 0);
  gtk_box_pack_start(GTK_BOX(rows), replaceRow_, FALSE, FALSE, 0);
  gtk_container_set_border_width(GTK_CONTAINER(rows), 6);
  gtk_container_add(GTK_CONTAINER(popover_), rows);
  gtk_widget_show_all(rows);
}

void EditorSearch::Open(bool replacing) {
  if (!popover_) Build();
  GtkTextIter start, end;
  if (gtk_text_buffer_get_selection_bounds(GTK_TEXT_BUFFER(buffer_), &start, &end) &&
      gtk_text_iter_get_line(&start) == gtk_text_iter_get_line(&end)) {
    GCharPtr selected(gtk_text_iter_get_text(&start, &end));
    gtk_entry_set_text(GTK_ENTRY(find_), selected.get());
  }
  gtk_widget_set_visible(replaceRow_, replacing);
  gtk_popover_popup(GTK_POPOVER(popover_));
  gtk_widget_grab_focus(find_);
  ShowCount();
}

void EditorSearch::Next(bool forward) {
  if (!context_) return;
  GtkTextIter start, end, from;
  gtk_text_buffer_get_selection_bounds(GTK_TEXT_BUFFER(buffer_), &start, &end);
  from = forward ? end : start;
  gboolean wrapped = FALSE;
  const gboolean found = forward ? gtk_source_search_context_forward(context_.get(), &from, &start, &end, &wrapped)
                                 : gtk_source_search_context_backward(context_.get(), &from, &start, &end, &wrapped);
  if (found) SelectAndShow(view_, start, end);
  ShowCount();
}

void EditorSearch::ReplaceOne() {
  if (!context_) return;
  GtkTextIter start, end;
  const std::string with = gtk_entry_get_text(GTK_ENTRY(replace_));
  // The match under the selection is replaced; without one, the next is found first.
  if (!gtk_text_buffer_get_selection_bounds(GTK_TEXT_BUFFER(buffer_), &start, &end) ||
      gtk_source_search_context_get_occurrence_position(context_.get(), &start, &end) <= 0) {
    Next(true);
    return;
  }
  gtk_source_search_context_replace(context_.get(), &start, &end, with.c_str(), -1, nullptr);
  Next(true);
}

void EditorSearch::ReplaceAll() {
  if (!context_) return;
  const std::string with = gtk_entry_get_text(GTK_ENTRY(replace_));
  gtk_source_search_context_replace_all(context_.get(), with.c_str(), -1, nullptr);
  ShowCount();
}

std::string EditorSearch::MatchText() const {
  if (!context_ || !gtk_source_search_settings_get_search_text(settings_.get())) return {};
  const gint count = gtk_source_search_context_get_occurrences_count(context_.get());
  if (count < 0) return {};  // still counting
  if (count == 0) return "no match";
  GtkTextIter start, end;
  gint at = 0;
  if (gtk_text_buffer_get_selection_bounds(GTK_TEXT_BUFFER(buffer_), &start, &end))
    at = gtk_source_search_context_get_occurrence_position(context_.get(), &start, &end);
  return at > 0 ? std::to_string(at) + " of " + std::to_string(count) : std::to_string(count) + " found";
}

void EditorSearch::ShowCount() {
  if (count_) gtk_label_set_text(GTK_LABEL(count_), MatchText().c_str());
}

void GoToLine(GtkWidget* view, int line) {
  GtkTextBuffer* buffer = gtk_text_view_get_buffer(GTK_TEXT_VIEW(view));
  GtkTextIter at;
  gtk_text_buffer_get_iter_at_line(buffer, &at, std::max(line, 1) - 1);
  gtk_text_buffer_place_cursor(buffer, &at);
  gtk_text_view_scroll_mark_onscreen(GTK_TEXT_VIEW(view), gtk_text_buffer_get_insert(buffer));
  gtk_widget_grab_focus(view);
}

}  // namespace zuno

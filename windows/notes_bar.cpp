#include "windows/notes_bar.h"

#include "windows/gtk_text.h"

namespace zuno {

// A note of many lines scrolls in the bar rather than pushing the grid away.
constexpr int kNotesHeight = 100;

NotesBar::NotesBar() : bar_(GTK_WIDGET(g_object_ref_sink(gtk_info_bar_new()))) {
  GtkInfoBar* bar = GTK_INFO_BAR(bar_.get());
  gtk_widget_set_name(bar_.get(), "notes-bar");
  gtk_info_bar_set_message_type(bar, GTK_MESSAGE_INFO);
  gtk_info_bar_set_show_close_button(bar, TRUE);
  g_signal_connect_swapped(bar, "response", G_CALLBACK(+[](NotesBar* self) { self->Close(); }), this);
  label_ = gtk_label_new("");
  gtk_label_set_line_wrap(GTK_LABEL(label_), TRUE);
  gtk_label_set_line_wrap_mode(GTK_LABEL(label_), PANGO_WRAP_WORD_CHAR);
  gtk_label_set_selectable(GTK_LABEL(label_), TRUE);
  gtk_label_set_xalign(GTK_LABEL(label_), 0.0f);
  GtkWidget* scrolled = gtk_scrolled_window_new(nullptr, nullptr);
  gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(scrolled), GTK_POLICY_NEVER, GTK_POLICY_AUTOMATIC);
  gtk_scrolled_window_set_propagate_natural_height(GTK_SCROLLED_WINDOW(scrolled), TRUE);
  gtk_scrolled_window_set_max_content_height(GTK_SCROLLED_WINDOW(scrolled), kNotesHeight);
  gtk_widget_set_hexpand(scrolled, TRUE);
  gtk_container_add(GTK_CONTAINER(scrolled), label_);
  gtk_container_add(GTK_CONTAINER(gtk_info_bar_get_content_area(bar)), scrolled);
  gtk_widget_show_all(scrolled);
  gtk_widget_set_no_show_all(bar_.get(), TRUE);  // shown with its first note
}

void NotesBar::Add(std::string_view note) {
  if (!text_.empty()) text_ += '\n';
  text_ += ValidUtf8(note);
  gtk_label_set_text(GTK_LABEL(label_), text_.c_str());
  gtk_widget_show(bar_.get());
}

void NotesBar::Close() {
  text_.clear();
  gtk_label_set_text(GTK_LABEL(label_), "");
  gtk_widget_hide(bar_.get());
}

}  // namespace zuno

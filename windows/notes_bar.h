// The bar over the result area that tells what only informs: the notes of a
// run (a row limit reached, result sets not shown, ...). It stays until the
// user closes it or the next run does; the work goes on meanwhile.
#pragma once

#include <gtk/gtk.h>

#include <string>
#include <string_view>

#include "base/gobject_ptr.h"

namespace zuno {

class NotesBar {
 public:
  NotesBar();
  NotesBar(const NotesBar&) = delete;
  NotesBar& operator=(const NotesBar&) = delete;

  GtkWidget* widget() const { return bar_.get(); }
  // Shows the bar with the note below those it shows already.
  void Add(std::string_view note);
  void Close();
  bool Shown() const { return gtk_widget_get_visible(bar_.get()); }
  std::string Text() const { return text_; }

 private:
  GObjectPtr<GtkWidget> bar_;
  GtkWidget* label_;
  std::string text_;
};

}  // namespace zuno

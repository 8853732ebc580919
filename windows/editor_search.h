// The SQL editor's find bar (Ctrl+F) with replacing (Ctrl+H): a popover over
// the editor with the text to find, the place of the current match among all
// ("2 of 5"), next and previous, and the replacement with Replace and
// Replace All. It searches with the source view's own search.
#pragma once

#include <gtk/gtk.h>
#include <gtksourceview/gtksource.h>

#include <string>

#include "base/gobject_ptr.h"

namespace zuno {

class EditorSearch {
 public:
  explicit EditorSearch(GtkWidget* view);
  EditorSearch(const EditorSearch&) = delete;
  EditorSearch& operator=(const EditorSearch&) = delete;

  // Opens the bar; the selection, when there is one on a single line, is
  // what is searched for.
  void Open(bool replacing);
  void Next(bool forward);
  void ReplaceOne();
  void ReplaceAll();
  // "2 of 5", "no match", or empty before a search.
  std::string MatchText() const;
  GtkWidget* findEntry() const { return find_; }
  GtkWidget* replaceEntry() const { return replace_; }

 private:
  void Build();
  void ShowCount();

  GtkWidget* view_;
  GtkSourceBuffer* buffer_;
  GObjectPtr<GtkSourceSearchSettings> settings_;
  GObjectPtr<GtkSourceSearchContext> context_;
  GtkWidget* popover_ = nullptr;  // the view owns it
  GtkWidget* find_ = nullptr;
  GtkWidget* count_ = nullptr;
  GtkWidget* replaceRow_ = nullptr;
  GtkWidget* replace_ = nullptr;
};

// Ctrl+L: the cursor goes to the start of the line (counted from 1; beyond
// the last, to the last) and the editor shows it.
void GoToLine(GtkWidget* view, int line);

}  // namespace zuno

// The SQL editor's view: a source view that colours SQL (keywords, strings,
// numbers, comments and the :variables a run asks for; a name beside a dot
// is no keyword), shows matching brackets and keeps an undo history. Its text is read and written as any text view's.
#pragma once

#include <gtk/gtk.h>

namespace zuno {

// A new view over a buffer of its own. The language definition and the
// colour scheme are loaded when the buffer first holds text, so start-up
// does not pay for them.
GtkWidget* NewSqlEditorView();

// Ctrl+/: the lines the selection touches (or the cursor's line) are
// commented out with "--", or back in, as one undo step.
void ToggleSelectedLineComments(GtkWidget* view);

// The id of the language the view's buffer colours by ("sql" once text was
// there), or the empty text while none is loaded.
const char* SqlEditorLanguage(GtkWidget* view);

}  // namespace zuno

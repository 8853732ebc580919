#pragma once

#include <string>

#include "session/session.h"

namespace zuno {

// Edit SQL: the editor's text in the external editor, back when it closes.
void OnEditSqlClicked(Session& s);
// Format SQL: the editor's text through the external SQL formatter.
void OnFormatSqlClicked(Session& s);

// Format SQL on a text: the editor then holds the formatted text (or the
// text itself when the formatter cannot be started or fails).
void FormatIntoEditor(Session& s, const std::string& text);

// The text opened in the external editor through a file zuno0.txt in a
// folder of its own, which is gone afterwards; the text as the editor left
// it, nullopt when the file could not be made (the editor is then not
// started), the editor failed or the file was not read back. Every failure
// is told.
std::optional<std::string> EditInExternalEditor(Session& s, const std::string& text);

}  // namespace zuno

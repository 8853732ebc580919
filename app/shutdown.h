#pragma once

#include <functional>

#include "app/editor_state_file.h"
#include "session/session.h"

namespace zuno {

// Writes "zuno.ini" with the Data Source box and User field texts; silent on failure.
void WriteSettings(Session& s);

// Keeps the editor state for the next start before the program ends. A
// write that fails asks whether to try again or to quit without it; a text
// too large to keep (or no place to keep it) is said, and the user may go
// back to it instead. False when the program is not to end. Without keep
// there is nothing to keep.
bool KeepEditorStateAtExit(Ui& ui, const std::function<KeptState()>& keep);

// The common tail of both exit paths: the clipboard's text goes to the desktop's
// clipboard manager, the connection is closed and the loop ends; the process then
// exits with code 0.
void EndProgram(Session& s, const std::function<void()>& closeConnection);

}  // namespace zuno

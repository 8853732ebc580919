#include "app/shutdown.h"

#include "app/settings_file.h"

namespace zuno {

void WriteSettings(Session& s) {
  WriteSettingsFile(SettingsPath(s.state.homeDirectory), s.ui.Text(kDataSourceBox),
                    s.ui.Text(kUserField));
}

bool KeepEditorStateAtExit(Ui& ui, const std::function<KeptState()>& keep) {
  if (!keep) return true;
  for (;;) {
    const KeptState kept = keep();
    if (kept) return true;
    if (!kept.retryHelps) return ui.AskYesNo(kept.problem + "\n\nQuit all the same? No goes back to the editor.");
    if (!ui.AskYesNo(kept.problem + "\n\nTry again? No quits without keeping it.")) return true;
  }
}

void EndProgram(Session& s, const std::function<void()>& closeConnection) {
  s.ui.HandOverClipboard();
  if (closeConnection) closeConnection();
  s.loop.End();
  s.ui.QuitEventLoop();
}

}  // namespace zuno

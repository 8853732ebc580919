#include "app/shutdown.h"

#include "app/settings_file.h"

namespace zuno {

void WriteSettings(Session& s) {
  WriteSettingsFile(SettingsPath(s.state.homeDirectory), s.ui.Text(kDataSourceBox),
                    s.ui.Text(kUserField));
}

void EndProgram(Session& s, const std::function<void()>& closeConnection) {
  s.ui.HandOverClipboard();
  if (closeConnection) closeConnection();
  s.loop.End();
  s.ui.QuitEventLoop();
}

}  // namespace zuno

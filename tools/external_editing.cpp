#include "tools/external_editing.h"

#include <unistd.h>

#include "tools/program_runner.h"
#include "tools/temp_file_text.h"

namespace zuno {
namespace {

constexpr const char* kEditFile = "zuno0.txt";
constexpr const char* kFormatFile = "zuno0.sql";
constexpr const char* kEditor = "gedit";
// Without --wait a gedit already running takes the file and returns at once:
// the file would be read back unedited and deleted under the user's hands.
constexpr const char* kEditorParameters = "--wait zuno0.txt";
constexpr const char* kFormatter = "sqlformat";
constexpr const char* kFormatterParameters = "-f zuno0.sql -g zuno0.sql";

// Writes the text, lets the program work on the file, reads it back and
// removes it. A file that cannot be created is reported once and the program
// is started all the same.
std::optional<std::string> RoundTrip(Session& s, const char* file, const std::string& text, const char* program,
                                     const char* parameters) {
  if (!WriteTextFile(file, text)) s.ui.ShowMessage(kCannotCreateFile);
  s.ui.RunBlocking([&] { RunProgram(program, parameters, "", true); }, nullptr);
  std::optional<std::string> back = ReadTextFileBack(file);
  unlink(file);
  return back;
}

}  // namespace

std::optional<std::string> EditInExternalEditor(Session& s, const std::string& text) {
  return RoundTrip(s, kEditFile, text, kEditor, kEditorParameters);
}

void OnEditSqlClicked(Session& s) {
  if (std::optional<std::string> edited = EditInExternalEditor(s, s.ui.Text(kSqlEditor)))
    s.ui.SetText(kSqlEditor, *edited);
}

void FormatIntoEditor(Session& s, const std::string& text) {
  // The file is written before the busy window opens, as the message about
  // a file that cannot be created must not hide behind it.
  if (!WriteTextFile(kFormatFile, text)) s.ui.ShowMessage(kCannotCreateFile);
  s.ui.OpenBusyWindow();
  s.ui.RunBlocking([] { RunProgram(kFormatter, kFormatterParameters, "", true); }, nullptr);
  if (std::optional<std::string> formatted = ReadTextFileBack(kFormatFile)) s.ui.SetText(kSqlEditor, *formatted);
  unlink(kFormatFile);
  s.ui.CloseBusyWindow();
}

void OnFormatSqlClicked(Session& s) { FormatIntoEditor(s, s.ui.Text(kSqlEditor)); }

}  // namespace zuno

#include "tools/external_editing.h"

#include <unistd.h>

#include "session/messages.h"
#include "tools/formatter_front.h"
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
constexpr const char* kFormatterParameters = "-f zuno0.sql -g zuno0.sql";

// Writes the text, lets the program work on the file, reads it back and
// removes it. The file stands in the shared working directory and holds the
// user's SQL: it is made anew for the user alone, never through a link. A
// file that cannot be made is reported and no program is started on
// whatever stands at its name; the editor keeps its text.
std::optional<std::string> RoundTrip(Session& s, const char* file, const std::string& text, const std::string& program,
                                     const char* parameters, BusyWindow busy) {
  if (!WriteTextFile(file, text, TextFileAccess::kOwnerOnly)) {
    s.jobs.Tell(kCannotCreateFile);
    return std::nullopt;
  }
  std::optional<std::string> back;
  s.jobs.Run({
      .work =
          [&] {
            RunProgram(program, parameters);
            back = ReadTextFileBack(file, TextFileAccess::kOwnerOnly);
            unlink(file);
          },
      .busy = busy,
  });
  return back;
}

}  // namespace

std::optional<std::string> EditInExternalEditor(Session& s, const std::string& text) {
  return RoundTrip(s, kEditFile, text, kEditor, kEditorParameters, BusyWindow::Hidden);
}

void OnEditSqlClicked(Session& s) {
  if (std::optional<std::string> edited = EditInExternalEditor(s, s.ui.Text(kSqlEditor)))
    s.ui.SetText(kSqlEditor, *edited);
}

void FormatIntoEditor(Session& s, const std::string& text) {
  if (std::optional<std::string> formatted =
          RoundTrip(s, kFormatFile, text, FormatterProgram(ProgramDirectory()), kFormatterParameters,
                    BusyWindow::Shown))
    s.ui.SetText(kSqlEditor, *formatted);
}

void OnFormatSqlClicked(Session& s) { FormatIntoEditor(s, s.ui.Text(kSqlEditor)); }

}  // namespace zuno

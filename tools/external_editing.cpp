#include "tools/external_editing.h"

#include "session/messages.h"
#include "tools/formatter_front.h"
#include "tools/private_folder.h"
#include "tools/program_runner.h"
#include "tools/temp_file_text.h"

namespace zuno {
namespace {

constexpr const char* kEditFile = "zuno0.txt";
constexpr const char* kFormatFile = "zuno0.sql";
// Each use gets a folder of its own in the working directory, the file in it
// keeping the name the user sees in the editor.
constexpr std::string_view kFolderPrefix = "zuno-";
constexpr const char* kEditor = "gedit";

// Without --wait a gedit already running takes the file and returns at once:
// the file would be read back unedited and deleted under the user's hands.
std::string EditorParameters(const std::string& file) { return "--wait " + file; }
std::string FormatterParameters(const std::string& file) { return "-f " + file + " -g " + file; }

// Writes the text, lets the program work on the file, reads it back and
// removes it with its folder. The file holds the user's SQL: it is made
// anew for the user alone, never through a link, under a name no other
// window or user shares. A file that cannot be made is reported and no
// program is started; a program that cannot be started or ends with an
// error, and a file that does not come back, are named in a message and the
// editor keeps its text.
std::optional<std::string> RoundTrip(Session& s, const char* fileName, const std::string& text,
                                     const std::string& program, std::string (*parameters)(const std::string&),
                                     BusyWindow busy) {
  std::optional<PrivateFolder> folder = PrivateFolder::Make("", kFolderPrefix);
  const std::string file = folder ? folder->File(fileName) : std::string();
  if (!folder || !WriteTextFile(file, text, TextFileAccess::kOwnerOnly)) {
    s.jobs.Tell(kCannotCreateFile);
    return std::nullopt;
  }
  ProgramEnd end = ProgramEnd::kNotStarted;
  std::optional<std::string> back;
  s.jobs.Run({
      .work =
          [&] {
            end = RunProgram(program, parameters(file));
            if (end == ProgramEnd::kSucceeded) back = ReadTextFileBack(file, TextFileAccess::kOwnerOnly);
          },
      .apply =
          [&] {
            if (end != ProgramEnd::kSucceeded)
              s.jobs.Tell(ProgramEndText(program, end));
            else if (!back)
              s.jobs.Tell(std::string(fileName) + kNotReadBack);
          },
      .busy = busy,
  });
  return back;
}

}  // namespace

std::optional<std::string> EditInExternalEditor(Session& s, const std::string& text) {
  return RoundTrip(s, kEditFile, text, kEditor, EditorParameters, BusyWindow::Hidden);
}

void OnEditSqlClicked(Session& s) {
  if (std::optional<std::string> edited = EditInExternalEditor(s, s.ui.Text(kSqlEditor)))
    s.ui.SetText(kSqlEditor, *edited);
}

void FormatIntoEditor(Session& s, const std::string& text) {
  if (std::optional<std::string> formatted = RoundTrip(s, kFormatFile, text, FormatterProgram(ProgramDirectory()),
                                                       FormatterParameters, BusyWindow::Shown))
    s.ui.SetText(kSqlEditor, *formatted);
}

void OnFormatSqlClicked(Session& s) { FormatIntoEditor(s, s.ui.Text(kSqlEditor)); }

}  // namespace zuno

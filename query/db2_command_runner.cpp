#include "query/db2_command_runner.h"

#include <unistd.h>

#include <chrono>
#include <thread>

#include "base/text_lines.h"
#include "query/statement_history.h"
#include "session/messages.h"
#include "tools/command_substitution.h"
#include "tools/program_runner.h"
#include "tools/temp_file_text.h"

namespace zuno {
namespace {

constexpr const char* kCommandFile = "zunocmd.bat";
constexpr const char* kOutputFile = "zunocmd.txt";
constexpr const char* kProcessor = "db2";
constexpr const char* kProcessorParameters = "-vstf zunocmd.bat -z zunocmd.txt";
constexpr std::chrono::milliseconds kSettleTime{2000};
// The output file is opened again for about a second before giving up: a
// directory that is not writable would otherwise keep the program here.
constexpr int kOpenAttempts = 20;
constexpr std::chrono::milliseconds kOpenRetryPause{50};

std::optional<std::string> ReadOutput() {
  for (int attempt = 0; attempt < kOpenAttempts; ++attempt) {
    if (std::optional<std::string> text = ReadTextFileBack(kOutputFile, TextFileAccess::kOwnerOnly)) return text;
    std::this_thread::sleep_for(kOpenRetryPause);
  }
  return std::nullopt;
}

}  // namespace

void RunDb2Command(Session& s) {
  const std::string typed = s.ui.Text(kSqlEditor);
  const std::string text =
      SubstituteConnectionMarkers(typed, s.state.connectionDsn, s.state.connectionUser, s.state.connectionPassword);
  // Both files may hold the password: readable by the user alone, and a link
  // planted at either name is never followed. Unless both were made, nothing
  // runs: a file another user left at either name would be run with the
  // user's rights, or would take the processor's output.
  const bool commandMade = WriteTextFile(kCommandFile, text, TextFileAccess::kOwnerOnly);
  const bool made = commandMade && WriteTextFile(kOutputFile, "", TextFileAccess::kOwnerOnly);
  s.grid.AddColumn(0, "Command Output", 1000);
  s.grid.AppendRow({""});
  if (!made) {
    if (commandMade) unlink(kCommandFile);  // never a file that stood there before
    s.ui.ShowMessage(kCannotCreateFile);
    return;
  }

  // The wait for the processor, the settle time and the wait for its output
  // file all stay off the windows' thread; the files go with the work.
  std::optional<std::string> output;
  s.jobs.Run({
      .work =
          [&] {
            RunProgram(kProcessor, kProcessorParameters);
            std::this_thread::sleep_for(kSettleTime);
            output = ReadOutput();
            unlink(kOutputFile);
            unlink(kCommandFile);
          },
      .apply =
          [&] {
            if (output)
              for (std::string_view line : SplitLines(*output)) s.grid.AppendRow({std::string(line)});
            else
              s.jobs.Tell(kCannotCreateFile);
          },
  });
  // The history keeps the text as typed: the password stays out of the list
  // and out of any file the list's text later goes to.
  RememberStatement(s.ui, typed);
}

}  // namespace zuno

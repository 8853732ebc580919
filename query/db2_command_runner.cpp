#include "query/db2_command_runner.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <chrono>
#include <thread>

#include "base/text_lines.h"
#include "query/statement_history.h"
#include "session/messages.h"
#include "tools/command_substitution.h"
#include "tools/private_folder.h"
#include "tools/program_runner.h"
#include "tools/temp_file_text.h"

namespace zuno {
namespace {

constexpr const char* kCommandFile = "zunocmd.bat";
constexpr const char* kOutputFile = "zunocmd.txt";
constexpr const char* kProcessor = "db2";
constexpr std::chrono::milliseconds kSettleTime{2000};
// The output file is opened again for about a second before giving up: a
// directory that is not writable would otherwise keep the program here.
constexpr int kOpenAttempts = 20;
constexpr std::chrono::milliseconds kOpenRetryPause{50};

std::string ProcessorParameters(const PrivateFolder& folder) {
  return "-vstf \"" + folder.File(kCommandFile) + "\" -z \"" + folder.File(kOutputFile) + "\"";
}

std::optional<std::string> ReadOutput(const std::string& file) {
  for (int attempt = 0; attempt < kOpenAttempts; ++attempt) {
    if (std::optional<std::string> text = ReadTextFileBack(file, TextFileAccess::kOwnerOnly)) return text;
    std::this_thread::sleep_for(kOpenRetryPause);
  }
  return std::nullopt;
}

// Both files may hold the password: they live in a folder of this run's own
// inside the user's private runtime folder, readable by the user alone, and
// go with it as soon as the processor is done. Nothing when the folder or
// the files cannot be made: the processor is then not started.
std::optional<PrivateFolder> WriteCommandFiles(const std::string& home, const std::string& text) {
  std::optional<std::string> runtime = RuntimeFolder(home);
  if (!runtime || runtime->find('"') != std::string::npos) return std::nullopt;
  std::optional<PrivateFolder> folder = PrivateFolder::Make(*runtime, CommandFolderPrefix());
  if (!folder || !WriteTextFile(folder->File(kCommandFile), text, TextFileAccess::kOwnerOnly) ||
      !WriteTextFile(folder->File(kOutputFile), "", TextFileAccess::kOwnerOnly))
    return std::nullopt;
  return folder;
}

}  // namespace

std::string CommandFolderPrefix() { return "zunocmd-" + std::to_string(getpid()) + "-"; }

void RemoveStaleCommandFolders(const std::string& home) {
  std::optional<std::string> runtime = RuntimeFolder(home);
  if (!runtime) return;
  for (const std::string& name : FolderEntries(*runtime)) {
    // "zunocmd-<process id>-XXXXXX" of a process that is gone.
    if (!name.starts_with("zunocmd-")) continue;
    const std::size_t dash = name.find('-', 8);
    if (dash == std::string::npos || name.size() != dash + 7) continue;
    // A number that is no process id (0, or more digits than one has) is
    // not a folder this program made: it stays.
    const std::string_view digits = std::string_view(name).substr(8, dash - 8);
    pid_t pid = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), pid);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size() || pid <= 0) continue;
    if (kill(pid, 0) == 0 || errno != ESRCH) continue;
    RemoveFolder(*runtime + "/" + name);
  }
}

void RunDb2Command(Session& s) {
  const std::string typed = s.ui.Text(kSqlEditor);
  const std::string text =
      SubstituteConnectionMarkers(typed, s.state.connectionDsn, s.state.connectionUser, s.state.connectionPassword);
  std::optional<PrivateFolder> folder = WriteCommandFiles(s.state.homeDirectory, text);
  s.grid.AddColumn(0, "Command Output", 1000);
  s.grid.AppendRow({""});
  if (!folder) {
    s.ui.ShowMessage(kCannotCreateFile);
    return;
  }

  // The wait for the processor, the settle time and the wait for its output
  // file all stay off the windows' thread; the files go with the work.
  ProgramEnd end = ProgramEnd::kNotStarted;
  std::optional<std::string> output;
  s.jobs.Run({
      .work =
          [&] {
            end = RunProgram(kProcessor, ProcessorParameters(*folder));
            if (end != ProgramEnd::kSucceeded && end != ProgramEnd::kFailed) return folder.reset();
            std::this_thread::sleep_for(kSettleTime);
            output = ReadOutput(folder->File(kOutputFile));
            folder.reset();
          },
      .apply =
          [&] {
            // An error of the processor is shown with what it wrote.
            if (output)
              for (std::string_view line : SplitLines(*output)) s.grid.AppendRow({std::string(line)});
            if (end != ProgramEnd::kSucceeded)
              s.jobs.Tell(ProgramEndText(kProcessor, end));
            else if (!output)
              s.jobs.Tell(std::string(kOutputFile) + kNotReadBack);
          },
  });
  // The history keeps the text as typed: the password stays out of the list
  // and out of any file the list's text later goes to.
  RememberStatement(s.ui, typed);
}

}  // namespace zuno

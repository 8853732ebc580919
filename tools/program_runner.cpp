#include "tools/program_runner.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "base/unique_fd.h"

namespace zuno {
namespace {

bool IsWordSeparator(char c) { return c == ' ' || c == '\t' || c == '\n'; }

// The file to start and the argument block execv wants, made before fork:
// between fork and exec the child may only make async-signal-safe calls, so
// it must not allocate.
class ArgumentBlock {
 public:
  ArgumentBlock(std::string file, std::vector<std::string> words) : file_(std::move(file)), words_(std::move(words)) {
    for (auto& w : words_) pointers_.push_back(w.data());
    pointers_.push_back(nullptr);
  }
  const char* file() const { return file_.c_str(); }
  char* const* argv() const { return pointers_.data(); }

 private:
  std::string file_;
  std::vector<std::string> words_;
  std::vector<char*> pointers_;
};

// Runs in the forked child only: execv, write and _exit, nothing that
// allocates. The file found is started as it is: a search of its own would
// take an empty PATH entry for the working directory, where anyone may have
// left a program. An exec that fails says so through the pipe, which a
// successful one closes unwritten.
[[noreturn]] void StartInChild(const ArgumentBlock& args, int failurePipe) {
  execv(args.file(), args.argv());
  const char failed = 1;
  [[maybe_unused]] const ssize_t n = write(failurePipe, &failed, 1);
  _exit(127);
}

// A signal arriving during the wait must not leave the child unreaped; the
// child's wait status, nothing when it could not be had.
std::optional<int> ReapChild(pid_t pid) {
  int status = 0;
  for (;;) {
    pid_t r = waitpid(pid, &status, 0);
    if (r == pid) return status;
    if (r < 0 && errno == EINTR) continue;
    return std::nullopt;
  }
}

bool ExecFailed(int readEnd) {
  char byte = 0;
  for (;;) {
    const ssize_t n = read(readEnd, &byte, 1);
    if (n < 0 && errno == EINTR) continue;
    return n == 1;
  }
}

ProgramEnd RunAndWait(const ArgumentBlock& args) {
  int ends[2];
  if (pipe2(ends, O_CLOEXEC) != 0) return ProgramEnd::kNotStarted;
  UniqueFd readEnd(ends[0]), writeEnd(ends[1]);
  pid_t child = fork();
  if (child < 0) return ProgramEnd::kNotStarted;
  if (child == 0) StartInChild(args, writeEnd.get());
  writeEnd.Close();
  const bool execFailed = ExecFailed(readEnd.get());
  const std::optional<int> status = ReapChild(child);
  if (execFailed) return ProgramEnd::kNotStarted;
  return status && WIFEXITED(*status) && WEXITSTATUS(*status) == 0 ? ProgramEnd::kSucceeded : ProgramEnd::kFailed;
}

}  // namespace

bool IsExecutableFile(const std::string& path) {
  struct stat st {};
  if (stat(path.c_str(), &st) != 0) return false;
  if (S_ISDIR(st.st_mode) || st.st_size <= 0) return false;
  return access(path.c_str(), X_OK) == 0;
}

std::optional<std::string> FindProgram(std::string_view name, const char* pathVariable) {
  const std::string asPassed(name);
  if (name.find('/') != std::string_view::npos && IsExecutableFile(asPassed)) return asPassed;
  if (name.empty() || name.starts_with("/") || name.starts_with("./")) return std::nullopt;
  if (pathVariable == nullptr) return std::nullopt;

  std::string_view rest(pathVariable);
  for (;;) {
    const size_t colon = rest.find(':');
    const std::string_view directory = rest.substr(0, colon);
    if (directory.starts_with('/')) {
      std::string candidate(directory);
      if (candidate.back() != '/') candidate += '/';
      candidate += name;
      if (IsExecutableFile(candidate)) return candidate;
    }
    if (colon == std::string_view::npos) break;
    rest.remove_prefix(colon + 1);
  }
  return std::nullopt;
}

std::vector<std::string> SplitArguments(std::string_view parameters) {
  std::vector<std::string> words;
  size_t i = 0;
  const size_t n = parameters.size();
  while (words.size() < kMaxProgramWords) {
    while (i < n && IsWordSeparator(parameters[i])) ++i;
    if (i == n) break;
    if (parameters[i] == '"') {
      const size_t close = parameters.find('"', i + 1);
      const size_t end = close == std::string_view::npos ? n : close;
      words.emplace_back(parameters.substr(i + 1, end - i - 1));
      i = close == std::string_view::npos ? n : close + 1;
    } else {
      size_t end = i;
      while (end < n && !IsWordSeparator(parameters[end])) ++end;
      words.emplace_back(parameters.substr(i, end - i));
      i = end;
    }
  }
  return words;
}

std::vector<std::string> ProgramArguments(std::string_view program, std::string_view parameters) {
  std::vector<std::string> args{std::string(program)};
  for (auto& w : SplitArguments(parameters)) args.push_back(std::move(w));
  return args;
}

ProgramEnd RunProgram(const std::string& program, std::string_view parameters) {
  std::optional<std::string> found = FindProgram(program, std::getenv("PATH"));
  if (!found) return ProgramEnd::kNotFound;
  return RunAndWait(ArgumentBlock(std::move(*found), ProgramArguments(program, parameters)));
}

std::string ProgramEndText(std::string_view program, ProgramEnd end) {
  const std::string name(program);
  switch (end) {
    case ProgramEnd::kSucceeded: return {};
    case ProgramEnd::kFailed: return name + " ended with an error.";
    case ProgramEnd::kNotFound: return name + " cannot be found on PATH.";
    case ProgramEnd::kNotStarted: return name + " cannot be started.";
  }
  return {};
}

}  // namespace zuno

#include "tools/program_runner.h"

#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

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

// Runs in the forked child only: execv and _exit, nothing that allocates.
// The file found is started as it is: a search of its own would take an empty
// PATH entry for the working directory, where anyone may have left a program.
[[noreturn]] void StartInChild(const ArgumentBlock& args) {
  execv(args.file(), args.argv());
  _exit(1);
}

// A signal arriving during the wait must not leave the child unreaped.
bool ReapChild(pid_t pid) {
  int status = 0;
  for (;;) {
    pid_t r = waitpid(pid, &status, 0);
    if (r == pid) return true;
    if (r < 0 && errno == EINTR) continue;
    return false;
  }
}

bool RunAndWait(const ArgumentBlock& args) {
  pid_t child = fork();
  if (child < 0) return false;
  if (child == 0) StartInChild(args);
  ReapChild(child);
  return true;
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
    if (!directory.empty()) {
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

bool RunProgram(const std::string& program, std::string_view parameters) {
  std::optional<std::string> found = FindProgram(program, std::getenv("PATH"));
  if (!found) return false;
  return RunAndWait(ArgumentBlock(std::move(*found), ProgramArguments(program, parameters)));
}

}  // namespace zuno

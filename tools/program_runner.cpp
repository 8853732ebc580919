#include "tools/program_runner.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <memory>

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

// Runs in the forked child only: chdir, execv and _exit, nothing that allocates.
// The file found is started as it is: a search of its own would take an empty
// PATH entry for the working directory, where anyone may have left a program.
[[noreturn]] void StartInChild(const ArgumentBlock& args, const char* directory) {
  if (directory != nullptr && chdir(directory) != 0) _exit(1);
  execv(args.file(), args.argv());
  _exit(1);
}

// A file found relative to the working directory, made absolute so that the
// child still finds it after changing to another directory.
std::string StartablePath(std::string found, const char* directory) {
  if (directory == nullptr || found.starts_with('/')) return found;
  std::unique_ptr<char, decltype(&std::free)> here(getcwd(nullptr, 0), &std::free);
  return here ? std::string(here.get()) + "/" + found : found;
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

bool ReadExactly(int fd, void* buffer, size_t size) {
  auto* at = static_cast<char*>(buffer);
  while (size > 0) {
    ssize_t n = read(fd, at, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    at += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

bool RunAndWait(const ArgumentBlock& args, const char* directory) {
  pid_t child = fork();
  if (child < 0) return false;
  if (child == 0) StartInChild(args, directory);
  ReapChild(child);
  return true;
}

// The program is started by a short-lived child, so it becomes init's child and
// is reaped there: ZUNO never waits for it and no zombie is left behind.
bool RunDetached(const ArgumentBlock& args, const char* directory) {
  int pipeEnds[2];
  if (pipe2(pipeEnds, O_CLOEXEC) != 0) return false;
  const int readEnd = pipeEnds[0];
  const int writeEnd = pipeEnds[1];

  pid_t child = fork();
  if (child < 0) {
    close(readEnd);
    close(writeEnd);
    return false;
  }
  if (child == 0) {
    close(readEnd);
    pid_t grandchild = fork();
    if (grandchild == 0) {
      close(writeEnd);
      StartInChild(args, directory);
    }
    if (grandchild < 0) _exit(1);
    const std::int32_t id = grandchild;
    ssize_t n;
    do {
      n = write(writeEnd, &id, sizeof id);
    } while (n < 0 && errno == EINTR);
    _exit(n == sizeof id ? 0 : 1);
  }

  close(writeEnd);  // else a child that dies early would leave the read hanging
  std::int32_t id = 0;
  const bool arrived = ReadExactly(readEnd, &id, sizeof id) && id > 0;
  close(readEnd);
  const bool reaped = ReapChild(child);
  return arrived && reaped;
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

bool RunProgram(const std::string& program, std::string_view parameters,
                const std::string& workingDirectory, bool wait) {
  std::optional<std::string> found = FindProgram(program, std::getenv("PATH"));
  if (!found) return false;
  const char* directory = workingDirectory.empty() ? nullptr : workingDirectory.c_str();
  const ArgumentBlock args(StartablePath(std::move(*found), directory), ProgramArguments(program, parameters));
  return wait ? RunAndWait(args, directory) : RunDetached(args, directory);
}

}  // namespace zuno

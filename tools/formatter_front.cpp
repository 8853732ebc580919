#include "tools/formatter_front.h"

#include <unistd.h>

#include <climits>

#include "tools/program_runner.h"

namespace zuno {

std::string FormatterProgram(std::string_view programDirectory) {
  if (!programDirectory.empty()) {
    std::string front = std::string(programDirectory) + "/bin/sqlformat";
    if (IsExecutableFile(front)) return front;
  }
  return "sqlformat";
}

std::string ProgramDirectory() {
  char path[PATH_MAX];
  const ssize_t n = readlink("/proc/self/exe", path, sizeof path);
  if (n <= 0 || n == static_cast<ssize_t>(sizeof path)) return {};
  const std::string file(path, static_cast<std::size_t>(n));
  const std::size_t slash = file.rfind('/');
  return slash == std::string::npos ? std::string() : file.substr(0, slash);
}

}  // namespace zuno

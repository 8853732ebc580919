#include "tests/support/other_user.h"

#include <sys/wait.h>
#include <unistd.h>

namespace zuno::testing {

int RunInChild(const std::function<int()>& body) {
  pid_t pid = fork();
  if (pid == 0) _exit(body());
  int status = 0;
  if (pid < 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

int RunWithoutRoot(const std::function<int()>& body) {
  return RunInChild([&] {
    if (geteuid() == 0 && (setgid(kNobody) != 0 || setuid(kNobody) != 0)) return 99;
    return body();
  });
}

}  // namespace zuno::testing

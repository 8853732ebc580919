// A second local user for tests that run as root: a forked child gives up
// root for `nobody`, so that file permissions bite and the files it makes
// belong to someone else.
#pragma once

#include <sys/types.h>

#include <functional>

namespace zuno::testing {

constexpr uid_t kNobody = 65534;

// Runs body in a forked child and gives back its exit code (-1 when it did
// not exit normally, a signal included); the child never returns into the
// test runner.
int RunInChild(const std::function<int()>& body);

// The same, the child running as nobody when the test runs as root.
int RunWithoutRoot(const std::function<int()>& body);

}  // namespace zuno::testing

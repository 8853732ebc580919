// The fixture of the tests that drive the whole program in process.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "tests/gui/gui_harness.h"
#include "tests/support/temp_dir.h"

namespace zuno::testing {

// The program started in a home and a working directory of its own, every
// message box answered.
struct ProgramInOwnDirectories : ::testing::Test {
  TempDir home;
  TempDir work;
  ScopedEnv env{"HOME", home.path().c_str()};
  ScopedCwd cwd{work.path()};
  std::unique_ptr<Program> p = StartAndShow();
  MessageBoxAnswerer answers;
};

}  // namespace zuno::testing

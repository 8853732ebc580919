#include "tools/program_runner.h"

#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <thread>

#include "tests/support/temp_dir.h"

namespace zuno {
namespace {

using testing::ReadFileBytes;
using testing::ScopedEnv;
using testing::TempDir;
using testing::WriteFileBytes;
using Words = std::vector<std::string>;

struct SplitCase {
  const char* name;
  std::string parameters;
  Words words;
};

class SplitArgumentsTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitArgumentsTest, GivesTheWords) {
  EXPECT_EQ(SplitArguments(GetParam().parameters), GetParam().words);
}

INSTANTIATE_TEST_SUITE_P(
    Words, SplitArgumentsTest,
    ::testing::Values(
        SplitCase{"RunsOfBlanksTabsAndLineFeeds", "a  b\t\tc\n\nd \t\ne", {"a", "b", "c", "d", "e"}},
        SplitCase{"LeadingAndTrailingSeparators", " \t a b \n", {"a", "b"}},
        SplitCase{"CarriageReturnIsNoSeparator", "a\rb", {"a\rb"}},
        SplitCase{"QuotedWordKeepsBlanks", "x \"a b\tc\" y", {"x", "a b\tc", "y"}},
        SplitCase{"MissingClosingQuoteRunsToEnd", "x \"a b ", {"x", "a b "}},
        SplitCase{"QuoteInsideWordIsOrdinary", "ab\"cd ef\"", {"ab\"cd", "ef\""}},
        SplitCase{"WordAfterClosingQuoteStartsAnew", "\"a b\"c", {"a b", "c"}},
        SplitCase{"EmptyQuotedWordIsAWord", "\"\" x", {"", "x"}},
        SplitCase{"EmptyString", "", {}},
        SplitCase{"OnlySeparators", " \t\n ", {}}),
    [](const auto& info) { return info.param.name; });

TEST(SplitArgumentsTest, KeepsAtMost511Words) {
  std::string parameters;
  for (int i = 0; i < 600; ++i) parameters += "w" + std::to_string(i) + " ";
  Words words = SplitArguments(parameters);
  ASSERT_EQ(words.size(), 511u);
  EXPECT_EQ(words.front(), "w0");
  EXPECT_EQ(words.back(), "w510");
}

TEST(ProgramArgumentsTest, CallersGetTheirArgumentLists) {
  struct {
    const char* program;
    const char* parameters;
    Words args;
  } cases[] = {
      {"sqlformat", "-f zuno0.sql -g zuno0.sql", {"sqlformat", "-f", "zuno0.sql", "-g", "zuno0.sql"}},
      {"db2", "-vstf zunocmd.bat -z zunocmd.txt", {"db2", "-vstf", "zunocmd.bat", "-z", "zunocmd.txt"}},
      {"gedit", "zuno0.txt", {"gedit", "zuno0.txt"}},
      {"/home/u/REPORT.CSV", "", {"/home/u/REPORT.CSV"}},
  };
  for (const auto& c : cases) EXPECT_EQ(ProgramArguments(c.program, c.parameters), c.args) << c.program;
}

void WriteExecutable(const std::string& path, const std::string& body) {
  WriteFileBytes(path, body);
  ASSERT_EQ(chmod(path.c_str(), 0755), 0) << path;
}

// Changes the working directory for one test and goes back afterwards.
class ScopedWorkingDirectory {
 public:
  explicit ScopedWorkingDirectory(const std::string& dir) : old_(std::filesystem::current_path()) {
    std::filesystem::current_path(dir);
  }
  ~ScopedWorkingDirectory() { std::filesystem::current_path(old_); }

 private:
  std::filesystem::path old_;
};

TEST(FindProgramTest, FindsOnlyExecutableFiles) {
  TempDir dir;
  const std::string a = dir.File("a"), b = dir.File("b"), cwd = dir.File("cwd");
  for (const auto& d : {a, b, cwd, b + "/sub", cwd + "/rel"}) std::filesystem::create_directories(d);
  WriteExecutable(a + "/tool", "#!/bin/sh\n");
  WriteExecutable(b + "/tool", "#!/bin/sh\n");
  WriteExecutable(b + "/only-b", "#!/bin/sh\n");
  WriteExecutable(b + "/empty", "");
  WriteFileBytes(b + "/plain", "not a program\n");
  WriteExecutable(cwd + "/tool", "#!/bin/sh\n");
  WriteExecutable(cwd + "/rel/tool", "#!/bin/sh\n");
  ASSERT_EQ(chmod((b + "/sub").c_str(), 0755), 0);
  ScopedWorkingDirectory inCwd(cwd);

  const std::string bOnPath = b;
  const std::string bothOnPath = a + ":" + b;
  const std::string withEmptyEntries = "::" + b + ":";
  const std::string withRelativeEntries = ".:rel:bin:" + b;
  const std::string trailingSlash = b + "/";
  const std::string absolutePlain = b + "/plain";
  const std::string absoluteTool = a + "/tool";
  struct {
    const char* name;
    const char* program;
    const char* path;
    std::optional<std::string> found;
  } cases[] = {
      {"PathUnsetFindsNothing", "tool", nullptr, std::nullopt},
      {"EmptyPathFindsNothing", "tool", "", std::nullopt},
      {"FirstDirectoryWins", "tool", bothOnPath.c_str(), a + "/tool"},
      {"LaterDirectoryIsSearched", "only-b", bothOnPath.c_str(), b + "/only-b"},
      // An empty entry must not stand for the working directory, which holds a tool.
      {"EmptyEntriesSkipped", "tool", withEmptyEntries.c_str(), b + "/tool"},
      // ".", "rel": the working directory and a folder in it hold a tool.
      {"RelativeEntriesSkipped", "tool", withRelativeEntries.c_str(), b + "/tool"},
      {"NoDoubledSlash", "only-b", trailingSlash.c_str(), b + "/only-b"},
      {"DirectoryIsNoProgram", "sub", bOnPath.c_str(), std::nullopt},
      {"EmptyFileIsNoProgram", "empty", bOnPath.c_str(), std::nullopt},
      {"FileWithoutExecuteBitIsNoProgram", "plain", bOnPath.c_str(), std::nullopt},
      {"NotOnPath", "missing", bothOnPath.c_str(), std::nullopt},
      // b/./only-b exists, but a "./" name never goes to PATH.
      {"DotSlashNameNotSearched", "./only-b", bOnPath.c_str(), std::nullopt},
      {"DotSlashExecutableUsed", "./tool", bOnPath.c_str(), "./tool"},
      {"AbsoluteNotExecutable", absolutePlain.c_str(), bOnPath.c_str(), std::nullopt},
      {"AbsoluteMissingNotSearched", "/no/such/tool", bOnPath.c_str(), std::nullopt},
      {"AbsoluteExecutableUsed", absoluteTool.c_str(), nullptr, absoluteTool},
      {"RelativePathWithSlashUsed", "rel/tool", nullptr, "rel/tool"},
      {"RelativePathWithSlashLookedUpOnPath", "sub/../tool", bOnPath.c_str(), b + "/sub/../tool"},
      {"EmptyNameFindsNothing", "", bOnPath.c_str(), std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(FindProgram(c.program, c.path), c.found) << c.name;
}

int OpenDescriptorCount() {
  int count = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator("/proc/self/fd")) ++count;
  return count;
}

bool HasUnreapedChild() {
  int status = 0;
  return waitpid(-1, &status, WNOHANG) != -1 || errno != ECHILD;
}

class RunProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    bin_ = dir_.File("bin");
    std::filesystem::create_directories(bin_);
    // Prints its arguments after the first, one per bracket pair, into the file
    // the first names, after a pause: a caller that did not wait misses it.
    WriteExecutable(bin_ + "/stand-in",
                    "#!/bin/sh\nout=$1; shift\nsleep 0.2\n"
                    "for a in \"$@\"; do printf '[%s]' \"$a\"; done > \"$out.part\"\n"
                    "mv \"$out.part\" \"$out\"\n");
    WriteExecutable(bin_ + "/where", "#!/bin/sh\npwd > here\n");
    WriteExecutable(bin_ + "/fails", "#!/bin/sh\nexit 3\n");
    path_ = std::make_unique<ScopedEnv>("PATH", (bin_ + ":/usr/bin:/bin").c_str());
  }

  TempDir dir_;
  std::string bin_;
  std::unique_ptr<ScopedEnv> path_;
};

TEST_F(RunProgramTest, WaitModeReturnsWhenTheProgramHasEnded) {
  const std::string out = dir_.File("out");
  const int descriptors = OpenDescriptorCount();
  ASSERT_EQ(RunProgram("stand-in", "\"" + out + "\" \"two words\" plain"), ProgramEnd::kSucceeded);
  EXPECT_EQ(ReadFileBytes(out), "[two words][plain]");
  EXPECT_FALSE(HasUnreapedChild());
  EXPECT_EQ(OpenDescriptorCount(), descriptors);
}

TEST_F(RunProgramTest, WaitModeResults) {
  const std::string report = dir_.File("REPORT.CSV");
  WriteFileBytes(report, "ID;NAME;\n");
  WriteFileBytes(bin_ + "/no-interpreter", "#!/no/such/shell\n");
  std::filesystem::permissions(bin_ + "/no-interpreter", std::filesystem::perms(0755));
  struct {
    const char* name;
    const char* program;
    ProgramEnd end;
  } cases[] = {
      {"NotFoundStartsNothing", "no-such-program-zuno", ProgramEnd::kNotFound},
      {"ExitStatusTold", "fails", ProgramEnd::kFailed},
      {"ExecThatFailsTold", "no-interpreter", ProgramEnd::kNotStarted},
      {"AbsolutePathToNonProgram", report.c_str(), ProgramEnd::kNotFound},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RunProgram(c.program, ""), c.end) << c.name;
    EXPECT_FALSE(HasUnreapedChild()) << c.name;
  }
}

TEST_F(RunProgramTest, RunsInTheWorkingDirectory) {
  const std::string work = dir_.File("work");
  std::filesystem::create_directories(work);
  ScopedWorkingDirectory inWork(work);
  ASSERT_EQ(RunProgram("where", ""), ProgramEnd::kSucceeded);
  EXPECT_EQ(ReadFileBytes(work + "/here"), std::filesystem::canonical(work).string() + "\n");
}

volatile sig_atomic_t alarms = 0;
void CountAlarm(int) { alarms = alarms + 1; }

// A signal during the wait must not return early and leave the child unreaped.
TEST_F(RunProgramTest, WaitModeSurvivesInterruptingSignal) {
  struct sigaction action {}, old {};
  action.sa_handler = CountAlarm;  // no SA_RESTART: waitpid fails with EINTR
  sigemptyset(&action.sa_mask);
  ASSERT_EQ(sigaction(SIGALRM, &action, &old), 0);
  itimerval timer{{0, 20'000}, {0, 20'000}};
  setitimer(ITIMER_REAL, &timer, nullptr);

  const std::string out = dir_.File("out");
  const bool started = RunProgram("stand-in", out) == ProgramEnd::kSucceeded;

  itimerval off{};
  setitimer(ITIMER_REAL, &off, nullptr);
  sigaction(SIGALRM, &old, nullptr);
  ASSERT_TRUE(started);
  EXPECT_GT(alarms, 0);
  EXPECT_TRUE(std::filesystem::exists(out));
  EXPECT_FALSE(HasUnreapedChild());
}

}  // namespace
}  // namespace zuno

// Edit SQL, Format SQL, the Db2 command runner and the report export, with
// stand-in programs on PATH written by the tests.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <thread>

#include "query/db2_command_runner.h"
#include "query/run_statement.h"
#include "tests/support/handler_harness.h"
#include "tests/support/temp_dir.h"
#include "tools/external_editing.h"
#include "tools/formatter_front.h"
#include "tools/report_export.h"

namespace zuno {
namespace {

using testing::HandlerHarness;
using testing::ReadFileBytes;
using testing::TempDir;
using testing::WriteFileBytes;
using testing::WriteScript;

bool Exists(const std::string& path) { return std::filesystem::exists(std::filesystem::symlink_status(path)); }

// The system's tools the stand-ins use, and nothing else of the system: a
// real editor on PATH would open a window and wait.
std::string ToolsOnly(const TempDir& dir) {
  for (const char* tool : {"cp", "mv", "rm", "tr", "cat", "stat", "sleep", "touch"})
    std::filesystem::create_symlink(std::string("/usr/bin/") + tool, dir.File(tool));
  return dir.path();
}

// A working directory of its own and a PATH that holds only the stand-ins.
struct ToolsTest : ::testing::Test {
  TempDir work;
  TempDir bin;
  TempDir tools;
  testing::ScopedCwd cwd{work.path()};
  testing::ScopedEnv path{"PATH", (bin.path() + ":" + ToolsOnly(tools)).c_str()};
  HandlerHarness h;

  void StandIn(const std::string& name, const std::string& body) { WriteScript(bin.File(name), body); }
  std::string Log() { return ReadFileBytes(bin.File("log")); }
};

TEST_F(ToolsTest, EditSqlRoundTripsTheTextThroughTheEditor) {
  StandIn("gedit", "echo \"$@\" >\"" + bin.File("log") + "\"\n"
                   "for last; do :; done\nprintf ' -- edited\\n' >>\"$last\"\n");
  h.ui.SetText(kSqlEditor, "select 'Grüße', '日本' from t");
  OnEditSqlClicked(h.session);
  EXPECT_EQ(h.ui.Text(kSqlEditor), "select 'Grüße', '日本' from t -- edited\n");
  EXPECT_TRUE(Log().starts_with("--wait zuno-") && Log().ends_with("/zuno0.txt\n")) << Log();
  EXPECT_TRUE(std::filesystem::is_empty(work.path()));
  EXPECT_TRUE(h.ui.messages.empty());
}

TEST_F(ToolsTest, EditSqlFollowsWhatTheEditorDidWithTheFile) {
  struct {
    const char* name;
    const char* editor;  // nullptr: none on PATH
    const char* before;
    const char* after;
    std::vector<std::string> messages;
  } cases[] = {
      {"an editor that leaves the file alone gives the text back", "exit 0\n", "select 1", "select 1", {}},
      {"an editor that removes the file: the text stays", "for last; do :; done\nrm \"$last\"\n", "select 1",
       "select 1", {"zuno0.txt was not read back; the text stays as it was."}},
      {"no editor at all: the text stays", nullptr, "select 2", "select 2", {"gedit cannot be found on PATH."}},
      {"an editor that fails: the text stays", "for last; do :; done\necho x >\"$last\"\nexit 2\n", "select 3",
       "select 3", {"gedit ended with an error."}},
      {"an empty text stays empty", "exit 0\n", "", "", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove(bin.File("gedit"));
    if (c.editor) StandIn("gedit", c.editor);
    h.ui.messages.clear();
    h.ui.SetText(kSqlEditor, c.before);
    OnEditSqlClicked(h.session);
    EXPECT_EQ(h.ui.Text(kSqlEditor), c.after);
    EXPECT_EQ(h.ui.messages, c.messages);
    EXPECT_TRUE(std::filesystem::is_empty(work.path()));
  }
}

// Two ZUNO windows in one working directory, Edit SQL open in both at once:
// each gets its own text back.
TEST_F(ToolsTest, TwoWindowsEditingInOneWorkingDirectoryKeepTheirOwnTexts) {
  StandIn("gedit", "f=$2; touch \"$f.open\"; i=0\n"
                   "while [ $i -lt 200 ]; do set -- zuno-*/*.open; [ $# -ge 2 ] && break; i=$((i+1)); sleep 0.05; done\n"
                   "printf ' edited' >>\"$f\"\n");
  std::string texts[2] = {"select 'A'", "select 'B'"};
  const auto window = [&](std::string& text) {
    HandlerHarness w;
    w.ui.SetText(kSqlEditor, text);
    OnEditSqlClicked(w.session);
    text = w.ui.Text(kSqlEditor) + (w.ui.messages.empty() ? "" : " / " + w.ui.messages.front());
  };
  {
    std::jthread a(window, std::ref(texts[0])), b(window, std::ref(texts[1]));  // joined at the brace
  }
  EXPECT_EQ(texts[0] + texts[1], "select 'A' editedselect 'B' edited");
  EXPECT_TRUE(std::filesystem::is_empty(work.path()));
}

TEST_F(ToolsTest, AFileThatCannotBeCreatedIsReportedAndNoEditorStarts) {
  std::filesystem::create_directory(work.File("gone"));
  testing::ScopedCwd inGone(work.File("gone"));
  std::filesystem::remove(work.File("gone"));  // a working directory that takes no files, even root's
  StandIn("gedit", "echo started >\"" + bin.File("log") + "\"\n");
  h.ui.SetText(kSqlEditor, "select 1");
  OnEditSqlClicked(h.session);
  EXPECT_EQ(h.ui.messages, std::vector<std::string>{"Erro create the file!"});
  EXPECT_FALSE(Exists(bin.File("log"))) << "the editor was started";
  EXPECT_EQ(h.ui.Text(kSqlEditor), "select 1");
}

TEST_F(ToolsTest, TheEditorsFileIsTheUsersAlone) {
  const std::string modes = "stat -c %a \"$2\" \"${2%/*}\" >>\"" + bin.File("log") + "\"\n";
  StandIn("gedit", modes);
  StandIn("sqlformat", modes);
  h.ui.SetText(kSqlEditor, "select secret from t");
  OnEditSqlClicked(h.session);
  OnFormatSqlClicked(h.session);
  EXPECT_EQ(Log(), "600\n700\n600\n700\n");
  EXPECT_EQ(h.ui.Text(kSqlEditor), "select secret from t");
}

TEST_F(ToolsTest, FormatSqlHandsTheFileToTheFormatterUnderTheBusyWindow) {
  StandIn("sqlformat", "echo \"$@\" >\"" + bin.File("log") + "\"\n"
                       "tr a-z A-Z <\"$2\" >\"$2.new\" && mv \"$2.new\" \"$4\"\n");
  h.ui.SetText(kSqlEditor, "select a from t");
  OnFormatSqlClicked(h.session);
  EXPECT_EQ(h.ui.Text(kSqlEditor), "SELECT A FROM T");
  EXPECT_TRUE(Log().starts_with("-f zuno-") && Log().ends_with("/zuno0.sql\n")) << Log();
  EXPECT_EQ(h.ui.busyOpened, 1);
  EXPECT_FALSE(h.ui.busyOpen);
  EXPECT_TRUE(std::filesystem::is_empty(work.path()));
}

TEST_F(ToolsTest, WithoutAFormatterTheTextStays) {
  h.ui.SetText(kSqlEditor, "select a from t");
  OnFormatSqlClicked(h.session);
  EXPECT_EQ(h.ui.Text(kSqlEditor), "select a from t");
  EXPECT_EQ(h.ui.messages, std::vector<std::string>{"sqlformat cannot be found on PATH."});
  EXPECT_TRUE(std::filesystem::is_empty(work.path()));
}

TEST_F(ToolsTest, TheProjectsFormatterFrontFormatsForReal) {
  // The front the build puts beside the program, with the system's tools.
  testing::ScopedEnv realPath("PATH", ZUNO_BINARY_DIR "/bin:/usr/bin:/bin");
  h.ui.SetText(kSqlEditor, "select a,b from t where x=1");
  OnFormatSqlClicked(h.session);
  EXPECT_EQ(h.ui.Text(kSqlEditor), "SELECT a,\n       b\nFROM t\nWHERE x=1");
}

struct Db2Test : ToolsTest {
  TempDir runtime;  // mode 0700, as a session's runtime folder is
  testing::ScopedEnv runtimeVariable{"XDG_RUNTIME_DIR", runtime.path().c_str()};
  void SetUp() override {
    h.ui.SetChecked(kDb2CommandCheckBox, true);
    h.state.connectionDsn = "SAMPLE";
    h.state.connectionUser = "db2inst1";
    h.state.connectionPassword = "s3cret";
  }
  std::vector<std::string> Rows() {
    std::vector<std::string> rows;
    for (int r = 0; r < h.grid.RowCount(); ++r) rows.push_back(h.grid.CellText(r, 0));
    return rows;
  }
};

TEST_F(Db2Test, TheCommandFileGoesToTheProcessorAndItsOutputFillsTheGrid) {
  // The stand-in keeps what it was given: its words, the command file and its mode.
  StandIn("db2", "echo \"$@\" >\"" + bin.File("log") + "\"\n"
                 "cp \"$2\" \"" + bin.File("command") + "\"\n"
                 "stat -c %a \"$2\" >\"" + bin.File("mode") + "\"\n"
                 "printf 'first\\r\\nsecond\\nthird' >\"$4\"\n");
  h.ui.SetText(kSqlEditor, "connect to &dsn user &usr using &pwd;\nlist tables;");
  RunStatement(h.session);

  EXPECT_TRUE(Log().starts_with("-vstf " + runtime.File(CommandFolderPrefix())) && Log().ends_with("/zunocmd.txt\n"))
      << Log();
  EXPECT_EQ(ReadFileBytes(bin.File("command")), "connect to SAMPLE user db2inst1 using s3cret;\nlist tables;");
  EXPECT_EQ(ReadFileBytes(bin.File("mode")), "600\n");  // it holds the password
  EXPECT_EQ(h.grid.ColumnCount(), 1);
  EXPECT_EQ(h.grid.ColumnTitle(0), "Command Output");
  EXPECT_EQ(h.grid.columns()[0].width, 1000);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"", "first", "second", "third"}));
  EXPECT_TRUE(std::filesystem::is_empty(runtime.path())) << "the password is left behind";
  EXPECT_TRUE(std::filesystem::is_empty(work.path()));
  // The history keeps the text as typed: the password is not listed.
  EXPECT_EQ(h.ui.ListItems(kHistoryList),
            std::vector<std::string>{"connect to &dsn user &usr using &pwd;\nlist tables;"});
  EXPECT_EQ(h.page().mode, GridMode::Query);
  EXPECT_FALSE(h.ui.busyOpen);
}

TEST_F(Db2Test, AProcessorThatFailsOrIsMissingIsNamed) {
  struct {
    const char* processor;  // nullptr: none on PATH
    std::vector<std::string> rows;
    std::vector<std::string> messages;
  } cases[] = {
      {"exit 0\n", {""}, {}},
      {"printf 'SQL1024N' >\"$4\"\nexit 4\n", {"", "SQL1024N"}, {"db2 ended with an error."}},
      {"rm \"$4\"\n", {""}, {"zunocmd.txt was not read back; the text stays as it was."}},
      {nullptr, {""}, {"db2 cannot be found on PATH."}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.processor ? c.processor : "none");
    std::filesystem::remove(bin.File("db2"));
    if (c.processor) StandIn("db2", c.processor);
    h.ui.messages.clear();
    h.ui.SetText(kSqlEditor, "");
    RunStatement(h.session);
    EXPECT_EQ(Rows(), c.rows);
    EXPECT_EQ(h.ui.messages, c.messages);
    EXPECT_TRUE(std::filesystem::is_empty(runtime.path()));
  }
}

// Without a runtime folder of the user's own, a folder of its own in the
// home; without either, nothing runs.
TEST_F(Db2Test, TheCommandFilesGoOnlyToAFolderOfTheUsersOwn) {
  TempDir home;
  std::filesystem::permissions(runtime.path(), std::filesystem::perms(0777));
  StandIn("db2", "stat -c %a \"${2%/*}/..\" >\"" + bin.File("log") + "\"\n");
  for (const std::string& homeDirectory : {std::string(), home.path() + "/"}) {
    h.ui.messages.clear();
    h.state.homeDirectory = homeDirectory;
    RunStatement(h.session);
    const std::vector<std::string> refused = {"Erro create the file!"};
    EXPECT_EQ(h.ui.messages, homeDirectory.empty() ? refused : std::vector<std::string>{});
    EXPECT_EQ(Exists(bin.File("log")) ? Log() : "", homeDirectory.empty() ? "" : "700\n");
  }
  EXPECT_TRUE(std::filesystem::is_empty(runtime.path()));
  EXPECT_TRUE(std::filesystem::is_empty(home.File(".zuno")));
}

TEST_F(Db2Test, StaleCommandFoldersOfGoneProcessesAreRemovedAtStart) {
  // A process id no process has: above the kernel's largest.
  const std::string stale = runtime.File("zunocmd-99999999-AbC123"), live = runtime.File(CommandFolderPrefix() + "XyZ789");
  // Names no process id can have stay, and reading them stops nothing: 20
  // digits are more than a long holds, 0 would ask the process group.
  const std::vector<std::string> kept = {runtime.File("zunocmd-notapid-AbC123"),
                                         runtime.File("zunocmd-12345678901234567890-AbC123"),
                                         runtime.File("zunocmd-0-AbC123"), runtime.File("zunocmd-4294967297-AbC123")};
  std::vector<std::string> folders = kept;
  folders.insert(folders.end(), {stale, live});
  for (const std::string& folder : folders) {
    std::filesystem::create_directory(folder);
    WriteFileBytes(folder + "/zunocmd.bat", "connect to S user u using secret");
  }
  RemoveStaleCommandFolders("");
  EXPECT_FALSE(Exists(stale));
  EXPECT_TRUE(Exists(live + "/zunocmd.bat"));
  for (const std::string& folder : kept) EXPECT_TRUE(Exists(folder)) << folder;
}

TEST_F(Db2Test, APlantedLinkIsNotFollowed) {
  std::filesystem::create_symlink(bin.File("victim"), work.File("zunocmd.bat"));
  StandIn("db2", "exit 0\n");
  h.ui.SetText(kSqlEditor, "using &pwd");
  RunStatement(h.session);
  EXPECT_FALSE(Exists(bin.File("victim")));
}

struct ReportTest : ToolsTest {
  void SetUp() override {
    h.grid.AddColumn(0, "ID", 100);
    h.grid.AddColumn(1, "NAME", 100);
    h.grid.AppendRow({"1", "Ann"});
    h.grid.AppendRow({"2", "Null"});
  }
  void Answer(bool header, std::optional<std::string> delimiter, std::optional<std::string> file) {
    h.ui.yesNoAnswers = {header};
    h.ui.textAnswers.clear();
    if (delimiter) h.ui.textAnswers.push_back(*delimiter);
    h.ui.fileAnswers = {file};
  }
};

TEST_F(ReportTest, TheGridIsWrittenAsItShows) {
  struct {
    const char* name;
    bool header;
    std::optional<std::string> delimiter;  // nullopt: the dialog closed
    const char* bytes;
  } cases[] = {
      {"header and semicolons", true, ";", "ID;NAME;\n1;Ann;\n2;Null;\n"},
      {"no header", false, ";", "1;Ann;\n2;Null;\n"},
      {"a delimiter of several characters", false, " , ", "1 , Ann , \n2 , Null , \n"},
      {"a closed delimiter dialog runs the cells together", true, std::nullopt, "IDNAME\n1Ann\n2Null\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::string file = work.File("report.txt");
    WriteFileBytes(file, std::string(5000, 'x'));  // an existing file is replaced whole
    Answer(c.header, c.delimiter, file);
    OnSaveReportClicked(h.session);
    EXPECT_EQ(ReadFileBytes(file), c.bytes);
  }
  EXPECT_EQ(h.ui.questions.front(), "Save with header?");
  EXPECT_EQ(h.ui.prompts.front(), "ZUNO|Enter delimiter|;");
  EXPECT_TRUE(h.ui.messages.empty());
}

TEST_F(ReportTest, ACancelledChooserWritesNothingAndABadPathIsReported) {
  Answer(true, ";", std::nullopt);
  OnSaveReportClicked(h.session);
  EXPECT_TRUE(std::filesystem::is_empty(work.path()));
  EXPECT_TRUE(h.ui.messages.empty());

  Answer(true, ";", work.File("no/such/dir/report.txt"));
  OnSaveReportClicked(h.session);
  EXPECT_EQ(h.ui.messages, std::vector<std::string>{"Erro create the file!"});
}

TEST_F(ReportTest, AnExecutableReportIsNeverStarted) {
  std::string file = work.File("report.sh");
  Answer(false, "", file);
  h.grid.ClearRows();
  h.grid.RemoveAllColumns();
  h.grid.AddColumn(0, "X", 10);
  h.grid.AppendRow({"touch " + work.File("started")});
  WriteScript(file, "");
  OnSaveReportClicked(h.session);
  EXPECT_EQ(ReadFileBytes(file), "touch " + work.File("started") + "\n");
  EXPECT_FALSE(Exists(work.File("started")));
}

// Format SQL runs the front beside the program (the build tree's bin/, the
// package's private bin/) and looks sqlformat up on PATH only without one.
TEST(FormatterFrontTest, TheFrontBesideTheProgramGoesBeforePath) {
  TempDir withFront, withoutFront, notExecutable;
  std::filesystem::create_directory(withFront.File("bin"));
  WriteScript(withFront.File("bin/sqlformat"), "exit 0\n");
  std::filesystem::create_directory(notExecutable.File("bin"));
  WriteFileBytes(notExecutable.File("bin/sqlformat"), "exit 0\n");
  struct {
    std::string directory;
    std::string program;
  } cases[] = {
      {ZUNO_BINARY_DIR, ZUNO_BINARY_DIR "/bin/sqlformat"},
      {withFront.path(), withFront.File("bin/sqlformat")},
      {withoutFront.path(), "sqlformat"},
      {notExecutable.path(), "sqlformat"},
      {"", "sqlformat"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatterProgram(c.directory), c.program) << c.directory;
}

}  // namespace
}  // namespace zuno

// Edit SQL, Format SQL, the Db2 command runner and the report export, with
// stand-in programs on PATH written by the tests.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

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
  EXPECT_EQ(Log(), "--wait zuno0.txt\n");
  EXPECT_FALSE(Exists(work.File("zuno0.txt")));
  EXPECT_TRUE(h.ui.messages.empty());
}

TEST_F(ToolsTest, EditSqlFollowsWhatTheEditorDidWithTheFile) {
  struct {
    const char* name;
    const char* editor;  // nullptr: none on PATH
    const char* before;
    const char* after;
  } cases[] = {
      {"an editor that leaves the file alone gives the text back", "exit 0\n", "select 1", "select 1"},
      {"an editor that removes the file leaves the editor empty", "for last; do :; done\nrm \"$last\"\n",
       "select 1", ""},
      {"no editor at all: the text stays", nullptr, "select 2", "select 2"},
      {"an empty text stays empty", "exit 0\n", "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove(bin.File("gedit"));
    if (c.editor) StandIn("gedit", c.editor);
    h.ui.SetText(kSqlEditor, c.before);
    OnEditSqlClicked(h.session);
    EXPECT_EQ(h.ui.Text(kSqlEditor), c.after);
    EXPECT_FALSE(Exists(work.File("zuno0.txt")));
  }
  EXPECT_TRUE(h.ui.messages.empty());
}

TEST_F(ToolsTest, AFileThatCannotBeCreatedIsReportedAndNoEditorStarts) {
  std::filesystem::create_directory(work.File("zuno0.txt"));  // no file can take that name
  StandIn("gedit", "echo started >\"" + bin.File("log") + "\"\n");
  h.ui.SetText(kSqlEditor, "select 1");
  OnEditSqlClicked(h.session);
  EXPECT_EQ(h.ui.messages, std::vector<std::string>{"Erro create the file!"});
  EXPECT_FALSE(Exists(bin.File("log"))) << "the editor was started on what stands at the name";
  EXPECT_EQ(h.ui.Text(kSqlEditor), "select 1");
  EXPECT_TRUE(std::filesystem::is_directory(work.File("zuno0.txt")));
}

TEST_F(ToolsTest, TheEditorsFileIsTheUsersAlone) {
  StandIn("gedit", "stat -c %a zuno0.txt >\"" + bin.File("log") + "\"\n");
  StandIn("sqlformat", "stat -c %a zuno0.sql >>\"" + bin.File("log") + "\"\n");
  h.ui.SetText(kSqlEditor, "select secret from t");
  OnEditSqlClicked(h.session);
  OnFormatSqlClicked(h.session);
  EXPECT_EQ(Log(), "600\n600\n");
  EXPECT_EQ(h.ui.Text(kSqlEditor), "select secret from t");
}

TEST_F(ToolsTest, FormatSqlHandsTheFileToTheFormatterUnderTheBusyWindow) {
  StandIn("sqlformat", "echo \"$@\" >\"" + bin.File("log") + "\"\n"
                       "tr a-z A-Z <\"$2\" >\"$2.new\" && mv \"$2.new\" \"$4\"\n");
  h.ui.SetText(kSqlEditor, "select a from t");
  OnFormatSqlClicked(h.session);
  EXPECT_EQ(h.ui.Text(kSqlEditor), "SELECT A FROM T");
  EXPECT_EQ(Log(), "-f zuno0.sql -g zuno0.sql\n");
  EXPECT_EQ(h.ui.busyOpened, 1);
  EXPECT_FALSE(h.ui.busyOpen);
  EXPECT_FALSE(Exists(work.File("zuno0.sql")));
}

TEST_F(ToolsTest, WithoutAFormatterTheTextStays) {
  h.ui.SetText(kSqlEditor, "select a from t");
  OnFormatSqlClicked(h.session);
  EXPECT_EQ(h.ui.Text(kSqlEditor), "select a from t");
  EXPECT_TRUE(h.ui.messages.empty());
  EXPECT_FALSE(Exists(work.File("zuno0.sql")));
}

TEST_F(ToolsTest, TheProjectsFormatterFrontFormatsForReal) {
  if (!std::filesystem::exists("/usr/local/bin/sqlformat")) GTEST_SKIP() << "the formatter front is not installed";
  testing::ScopedEnv realPath("PATH", "/usr/local/bin:/usr/bin:/bin");
  h.ui.SetText(kSqlEditor, "select a,b from t where x=1");
  OnFormatSqlClicked(h.session);
  EXPECT_EQ(h.ui.Text(kSqlEditor), "SELECT a,\n       b\nFROM t\nWHERE x=1");
}

struct Db2Test : ToolsTest {
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

  EXPECT_EQ(Log(), "-vstf zunocmd.bat -z zunocmd.txt\n");
  EXPECT_EQ(ReadFileBytes(bin.File("command")), "connect to SAMPLE user db2inst1 using s3cret;\nlist tables;");
  EXPECT_EQ(ReadFileBytes(bin.File("mode")), "600\n");  // it holds the password
  EXPECT_EQ(h.grid.ColumnCount(), 1);
  EXPECT_EQ(h.grid.ColumnTitle(0), "Command Output");
  EXPECT_EQ(h.grid.columns()[0].width, 1000);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"", "first", "second", "third"}));
  EXPECT_FALSE(Exists(work.File("zunocmd.bat")));
  EXPECT_FALSE(Exists(work.File("zunocmd.txt")));
  // The history keeps the text as typed: the password is not listed.
  EXPECT_EQ(h.ui.ListItems(kHistoryList),
            std::vector<std::string>{"connect to &dsn user &usr using &pwd;\nlist tables;"});
  EXPECT_EQ(h.state.gridMode, GridMode::Query);
  EXPECT_FALSE(h.ui.busyOpen);
}

TEST_F(Db2Test, NoOutputOrNoProcessorLeavesOneEmptyRow) {
  for (const char* processor : {"exit 0\n", static_cast<const char*>(nullptr)}) {
    std::filesystem::remove(bin.File("db2"));
    if (processor) StandIn("db2", processor);
    h.ui.SetText(kSqlEditor, "");
    RunStatement(h.session);
    EXPECT_EQ(Rows(), std::vector<std::string>{""});
    EXPECT_TRUE(h.ui.messages.empty());
    EXPECT_FALSE(Exists(work.File("zunocmd.bat")));
    EXPECT_FALSE(Exists(work.File("zunocmd.txt")));
  }
}

TEST_F(Db2Test, UnlessBothFilesAreMadeNothingRunsAndOneMessageSaysSo) {
  struct {
    const char* what;
    std::vector<const char*> taken;  // names a directory stands at
  } cases[] = {
      {"no command file", {"zunocmd.bat"}},
      {"no output file", {"zunocmd.txt"}},
      {"neither file", {"zunocmd.bat", "zunocmd.txt"}},
  };
  StandIn("db2", "echo ran >\"" + bin.File("log") + "\"\n");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::filesystem::remove_all(work.File("zunocmd.bat"));
    std::filesystem::remove_all(work.File("zunocmd.txt"));
    for (const char* name : c.taken) std::filesystem::create_directory(work.File(name));
    h.ui.messages.clear();
    h.ui.SetText(kSqlEditor, "list tables");
    RunStatement(h.session);
    EXPECT_EQ(h.ui.messages, std::vector<std::string>{"Erro create the file!"});
    EXPECT_FALSE(Exists(bin.File("log"))) << "the processor ran";
    EXPECT_EQ(Rows(), std::vector<std::string>{""});
    EXPECT_FALSE(h.ui.busyOpen);
    EXPECT_TRUE(h.ui.ListItems(kHistoryList).empty()) << "a command that never ran is no history";
    for (const char* name : {"zunocmd.bat", "zunocmd.txt"})
      EXPECT_EQ(Exists(work.File(name)), std::filesystem::is_directory(work.File(name))) << name << " left behind";
  }
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
    std::string file = work.File("report.csv");
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

  Answer(true, ";", work.File("no/such/dir/report.csv"));
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

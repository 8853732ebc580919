// Files written by other programs may hold bytes that are no UTF-8: the
// windows show them without a toolkit warning and nothing is lost.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>

#include "library/query_store.h"
#include "tests/gui/gui_harness.h"
#include "tests/support/temp_dir.h"

namespace zuno {
namespace {

using testing::ReadFileBytes;
using testing::TempDir;
using testing::WriteFileBytes;

TEST(BadFilesTest, ASettingsFileWithBrokenBytesStillFillsTheFields) {
  TempDir home;
  testing::ScopedEnv env("HOME", home.path().c_str());
  WriteFileBytes(home.File("zuno.ini"), "lastconnect=SAMPLE\xFF\xFE\r\nlastuser=db2\xC3\r\n");
  auto p = testing::StartAndShow();
  std::string dsn = p->shell.Text(kDataSourceBox);
  std::string user = p->shell.Text(kUserField);
  EXPECT_TRUE(g_utf8_validate(dsn.c_str(), -1, nullptr));
  EXPECT_EQ(dsn.rfind("SAMPLE", 0), 0u) << dsn;
  EXPECT_EQ(user.rfind("db2", 0), 0u) << user;
}

TEST(BadFilesTest, AStoreWithBrokenBytesIsListedAndKeptOnTheNextSave) {
  TempDir home;
  testing::ScopedEnv env("HOME", home.path().c_str());
  const std::string damaged = "\"caf\xE9\",\"select '\xFF'\",\"u\"\r\n";
  WriteFileBytes(home.File("zuno.sql"), damaged);
  auto p = testing::StartAndShow();
  p->dispatcher.handlers().openLibrary();
  std::vector<std::string> names = p->shell.ListItems(kQueryNamesList);
  ASSERT_EQ(names.size(), 1u);
  EXPECT_EQ(names[0].rfind("caf", 0), 0u);
  EXPECT_TRUE(g_utf8_validate(names[0].c_str(), -1, nullptr));

  // Another query saved beside it leaves the damaged record's bytes as they were.
  SaveQuery(QueryStoreFor(p->state), "second", "select 2", "v");
  EXPECT_EQ(ReadFileBytes(home.File("zuno.sql")), damaged + "\"second\",\"select 2\",\"v\"\r\n");
  p->shell.CloseLibraryWindow();
}

// Start-up reads zuno.ini and ZUNO.JPG from places others may write to: a
// pipe there is not waited for, a huge file is not read but reported.
TEST(BadFilesTest, StartUpNeitherWaitsForAPipeNorReadsAHugeFile) {
  struct {
    const char* what;
    std::function<void(const std::string&)> plant;
    std::vector<std::string> messages;
  } cases[] = {
      {"pipes", [](const std::string& path) { ASSERT_EQ(mkfifo(path.c_str(), 0600), 0); }, {}},
      {"sparse files of 5 GB",
       [](const std::string& path) {
         WriteFileBytes(path, "lastconnect=HUGE\r\n");
         std::filesystem::resize_file(path, std::uintmax_t{5} << 30);
       },
       {"zuno.ini is larger than 4 MB and was not read.", "ZUNO.JPG is larger than 4 MB and was not shown."}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir home;
    TempDir work;
    testing::ScopedEnv env("HOME", home.path().c_str());
    testing::ScopedCwd cwd(work.path());
    c.plant(home.File("zuno.ini"));
    c.plant(work.File("ZUNO.JPG"));
    testing::MessageBoxAnswerer answerer;
    auto p = testing::StartAndShow();
    EXPECT_EQ(answerer.texts, c.messages);
    EXPECT_EQ(p->shell.Text(kDataSourceBox), "");
  }
}

}  // namespace
}  // namespace zuno

#include "app/settings_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "app/home_directory.h"
#include "tests/support/temp_dir.h"

namespace zuno {
namespace {

using testing::ReadFileBytes;
using testing::TempDir;
using testing::WriteFileBytes;

struct ParseCase {
  const char* name;
  std::string text;
  std::optional<std::string> connect;
  std::optional<std::string> user;
};

class ParseSettingsTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseSettingsTest, TakesValuesFromTheRightCharacter) {
  const ParseCase& c = GetParam();
  Settings s = ParseSettings(c.text);
  EXPECT_EQ(s.lastConnect, c.connect);
  EXPECT_EQ(s.lastUser, c.user);
}

INSTANTIATE_TEST_SUITE_P(
    LineEndsAndValues, ParseSettingsTest,
    ::testing::Values(
        ParseCase{"CrLf", "lastconnect=SAMPLE\r\nlastuser=db2inst1\r\n", "SAMPLE", "db2inst1"},
        ParseCase{"LfOnly", "lastconnect=SAMPLE\nlastuser=db2inst1\n", "SAMPLE", "db2inst1"},
        ParseCase{"LoneCr", "lastconnect=SAMPLE\rlastuser=db2inst1\r", "SAMPLE", "db2inst1"},
        ParseCase{"NoFinalLineEnd", "lastconnect=A\r\nlastuser=B", "A", "B"},
        ParseCase{"EmptyUser", "lastconnect=A\r\nlastuser=\r\n", "A", ""},
        ParseCase{"LaterLineWins", "lastconnect=OLD\r\nlastconnect=NEW\r\n", "NEW", std::nullopt},
        // The value is cut from the whole line, blanks included.
        ParseCase{"LeadingBlanks", "  lastconnect=SAMPLE\r\n", "t=SAMPLE", std::nullopt},
        ParseCase{"KeyInsideLine", "xlastuser=abc\r\n", std::nullopt, "=abc"},
        ParseCase{"OtherLinesIgnored", "[zuno]\r\nfoo=bar\r\nlastuser=u\r\n", std::nullopt, "u"},
        ParseCase{"NonAsciiCountsCharacters", "lastuser=Jürgen\r\n", std::nullopt, "Jürgen"},
        ParseCase{"NonAsciiBeforeKey", "ülastuser=x\r\n", std::nullopt, "=x"},
        ParseCase{"EmptyFile", "", std::nullopt, std::nullopt},
        ParseCase{"InvalidUtf8Kept", "lastuser=\xff\xfe\r\n", std::nullopt, "\xff\xfe"}),
    [](const auto& info) { return info.param.name; });

TEST(SettingsFileTest, WritesExactlyTwoCrLfLines) {
  TempDir dir;
  std::string path = dir.File("zuno.ini");
  ASSERT_TRUE(WriteSettingsFile(path, "SAMPLE", "db2inst1"));
  EXPECT_EQ(ReadFileBytes(path), "lastconnect=SAMPLE\r\nlastuser=db2inst1\r\n");
}

TEST(SettingsFileTest, ShorterValuesLeaveNoRemains) {
  TempDir dir;
  std::string path = dir.File("zuno.ini");
  WriteFileBytes(path, "lastconnect=A_VERY_LONG_DATA_SOURCE_NAME\r\nlastuser=someone_long\r\nextra\r\n");
  ASSERT_TRUE(WriteSettingsFile(path, "S", ""));
  EXPECT_EQ(ReadFileBytes(path), "lastconnect=S\r\nlastuser=\r\n");
}

TEST(SettingsFileTest, RoundTripsNonAsciiAndHandTypedNames) {
  TempDir dir;
  std::string path = dir.File("zuno.ini");
  ASSERT_TRUE(WriteSettingsFile(path, "not in any list ä", "Jürgen"));
  std::optional<Settings> s = ReadSettingsFile(path);
  ASSERT_TRUE(s);
  EXPECT_EQ(s->lastConnect, "not in any list ä");
  EXPECT_EQ(s->lastUser, "Jürgen");
  EXPECT_NE(ReadFileBytes(path).substr(0, 3), "\xEF\xBB\xBF");  // no byte-order mark
}

TEST(SettingsFileTest, MissingFileReadsAsNothing) {
  TempDir dir;
  EXPECT_FALSE(ReadSettingsFile(dir.File("zuno.ini")));
}

TEST(SettingsFileTest, UnwritableDirectoryKeepsTheOldFileAndLeavesNoTemporary) {
  if (geteuid() == 0) GTEST_SKIP() << "root writes into read-only directories";
  TempDir dir;
  std::string path = dir.File("zuno.ini");
  WriteFileBytes(path, "lastconnect=OLD\r\nlastuser=u\r\n");
  chmod(dir.path().c_str(), 0500);
  EXPECT_FALSE(WriteSettingsFile(path, "NEW", "v"));
  chmod(dir.path().c_str(), 0700);
  EXPECT_EQ(ReadFileBytes(path), "lastconnect=OLD\r\nlastuser=u\r\n");
}

TEST(SettingsFileTest, FailedWriteLeavesOldContentAndNoTemporary) {
  TempDir dir;
  // A directory in the file's place cannot be replaced by a rename.
  std::string path = dir.File("zuno.ini");
  ASSERT_EQ(mkdir(path.c_str(), 0700), 0);
  WriteFileBytes(path + "/keep", "x");
  EXPECT_FALSE(WriteSettingsFile(path, "NEW", "v"));
  EXPECT_EQ(ReadFileBytes(path + "/keep"), "x");
  int entries = 0;
  for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(dir.path())) ++entries;
  EXPECT_EQ(entries, 1);
}

TEST(SettingsFileTest, KeepsThePermissionsOfTheFileItReplacesButNoSpecialBits) {
  struct {
    mode_t old;
    mode_t now;
  } cases[] = {{0640, 0640}, {0600, 0600}, {04755, 0755}, {02644, 0644}, {01644, 0644}, {07777, 0777}};
  TempDir dir;
  std::string path = dir.File("zuno.ini");
  for (const auto& c : cases) {
    WriteFileBytes(path, "");
    ASSERT_EQ(chmod(path.c_str(), c.old), 0);
    ASSERT_TRUE(WriteSettingsFile(path, "A", "B"));
    struct stat st {};
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, c.now) << std::oct << c.old;
  }
}

// A pipe at the name would stop start-up; a huge file would be read whole.
TEST(SettingsFileTest, OnlyARegularFileOfBoundedSizeIsRead) {
  TempDir dir;
  const std::string fifo = dir.File("fifo"), sparse = dir.File("sparse"), bound = dir.File("bound");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  WriteFileBytes(sparse, "lastconnect=HUGE\r\n");
  std::filesystem::resize_file(sparse, std::uintmax_t{5} << 30);
  WriteFileBytes(bound, "lastuser=u\r\n" + std::string(kMaxSettingsBytes - 12, ' '));
  std::filesystem::create_directory(dir.File("adir"));
  struct {
    std::string path;
    bool read;
    bool tooLarge;
  } cases[] = {{fifo, false, false}, {sparse, false, true}, {bound, true, false}, {dir.File("adir"), false, false}};
  for (const auto& c : cases) {
    bool tooLarge = !c.tooLarge;
    std::optional<Settings> settings = ReadSettingsFile(c.path, &tooLarge);
    EXPECT_EQ(settings.has_value(), c.read) << c.path;
    EXPECT_EQ(tooLarge, c.tooLarge) << c.path;
  }
  std::filesystem::resize_file(bound, kMaxSettingsBytes + 1);
  EXPECT_FALSE(ReadSettingsFile(bound));
}

struct HomeCase {
  const char* name;
  const char* home;
  std::string directory;
  std::string settingsPath;
};

class HomeDirectoryTest : public ::testing::TestWithParam<HomeCase> {};

TEST_P(HomeDirectoryTest, PutsTheSettingsFileWhereHomeSays) {
  const HomeCase& c = GetParam();
  EXPECT_EQ(HomeDirectoryFrom(c.home), c.directory);
  EXPECT_EQ(SettingsPath(HomeDirectoryFrom(c.home)), c.settingsPath);
}

INSTANTIATE_TEST_SUITE_P(
    HomeValues, HomeDirectoryTest,
    ::testing::Values(HomeCase{"Unset", nullptr, "", "zuno.ini"},
                      HomeCase{"Root", "/", "/", "/zuno.ini"},
                      HomeCase{"NoTrailingSlash", "/home/db2", "/home/db2/", "/home/db2/zuno.ini"},
                      HomeCase{"TrailingSlash", "/home/db2/", "/home/db2/", "/home/db2/zuno.ini"},
                      HomeCase{"Empty", "", "", "zuno.ini"}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace zuno

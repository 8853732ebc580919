#include "tools/temp_file_text.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "tests/support/temp_dir.h"

namespace zuno {
namespace {

using testing::ReadFileBytes;
using testing::TempDir;
using testing::WriteFileBytes;
using namespace std::string_literals;

struct DecodeCase {
  const char* name;
  std::string bytes;
  std::string text;
};

class ReadTextFileBackTest : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(ReadTextFileBackTest, DecodesTheBytes) {
  TempDir dir;
  const std::string path = dir.File("zuno0.txt");
  WriteFileBytes(path, GetParam().bytes);
  EXPECT_EQ(ReadTextFileBack(path), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Utf8, ReadTextFileBackTest,
    ::testing::Values(
        DecodeCase{"EmptyFile", "", ""},
        DecodeCase{"LineEndsKept", "a\r\nb\rc\n", "a\r\nb\rc\n"},
        DecodeCase{"ValidSequencesKept", "é € 😀 \xEF\xBF\xBF \xF4\x8F\xBF\xBF", "é € 😀 \xEF\xBF\xBF \xF4\x8F\xBF\xBF"},
        DecodeCase{"ByteOrderMarkKept", "\xEF\xBB\xBFselect", "\xEF\xBB\xBFselect"},
        DecodeCase{"LoneContinuationBytes", "a\x80\xBF" "b", "a??b"},
        DecodeCase{"NeverLeadingBytes", "\xC0\xC1\xF5\xF8\xFE\xFF", "??????"},
        DecodeCase{"OverlongTwoBytes", "\xC0\xAF", "??"},
        DecodeCase{"OverlongThreeBytes", "\xE0\x80\xAF", "???"},
        DecodeCase{"OverlongFourBytes", "\xF0\x80\x80\xAF", "????"},
        DecodeCase{"Surrogate", "\xED\xA0\x80", "???"},
        DecodeCase{"BeyondUnicode", "\xF4\x90\x80\x80", "????"},
        // The lead gives "?" and the next byte is read on its own.
        DecodeCase{"LeadThenAscii", "\xE2" "A", "?A"},
        DecodeCase{"LeadThenBadContinuation", "\xE2\x82" "A", "??A"},
        DecodeCase{"LeadThenNewLead", "\xE2\xC3\xA9", "?é"},
        DecodeCase{"CutShortAtEnd", "x\xF0\x9F\x98", "x???"},
        DecodeCase{"StopsAtZeroByte", "ab\0cd"s, "ab"},
        DecodeCase{"ZeroByteFirst", "\0abc"s, ""},
        DecodeCase{"ZeroByteInsideSequence", "a\xE2\x82\0\xAC"s, "a??"}),
    [](const auto& info) { return info.param.name; });

// A file the program removed is not read back as an empty text.
TEST(ReadTextFileBackTest, MissingFileIsNotReadBackNorCreated) {
  TempDir dir;
  const std::string path = dir.File("zunocmd.txt");
  for (TextFileAccess access : {TextFileAccess::kShared, TextFileAccess::kOwnerOnly})
    EXPECT_EQ(ReadTextFileBack(path, access), std::nullopt);
  EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(ReadTextFileBackTest, WhatCannotBeOpenedGivesNothing) {
  TempDir dir;
  std::filesystem::create_directories(dir.File("adir"));
  ASSERT_EQ(mkfifo(dir.File("fifo").c_str(), 0600), 0);
  EXPECT_EQ(ReadTextFileBack(dir.File("adir")), std::nullopt);
  EXPECT_EQ(ReadTextFileBack(dir.File("missing-dir/zuno0.txt")), std::nullopt);
  EXPECT_EQ(ReadTextFileBack(dir.File("fifo")), std::nullopt);  // would block for ever
}

TEST(WriteTextFileTest, WritesTheBytesExactly) {
  struct {
    const char* name;
    std::string text;
  } cases[] = {
      {"EmptyTextEmptyFile", ""},
      {"NoLineEndAdded", "select 1"},
      {"LineEndsUnchanged", "select\r\n1\n"},
      {"NoByteOrderMark", "Jürgen €"},
  };
  TempDir dir;
  for (const auto& c : cases) {
    for (auto access : {TextFileAccess::kShared, TextFileAccess::kOwnerOnly}) {
      const std::string path = dir.File("zuno0.sql");
      WriteFileBytes(path, "an older and longer content than any case");
      ASSERT_TRUE(WriteTextFile(path, c.text, access)) << c.name;
      EXPECT_EQ(ReadFileBytes(path), c.text) << c.name;
      EXPECT_EQ(ReadTextFileBack(path, access), c.text) << c.name;
    }
  }
}

TEST(WriteTextFileTest, FailsWhereNoFileCanBeMade) {
  TempDir dir;
  std::filesystem::create_directories(dir.File("adir"));
  for (auto access : {TextFileAccess::kShared, TextFileAccess::kOwnerOnly}) {
    EXPECT_FALSE(WriteTextFile(dir.File("missing-dir/zuno0.txt"), "x", access));
    EXPECT_FALSE(WriteTextFile(dir.File("adir"), "x", access));
  }
}

// A report the disk has no room for is a failure, not a file cut short.
TEST(WriteTextFileTest, FailsWhenTheBytesFindNoRoom) {
  if (access("/dev/full", W_OK) != 0) GTEST_SKIP() << "no /dev/full";
  EXPECT_FALSE(WriteTextFile("/dev/full", "x"));
  EXPECT_TRUE(WriteTextFile("/dev/full", "")) << "nothing to write needs no room";
}

// A file grown past what the editor or the grid should hold is not taken.
TEST(ReadTextFileBackTest, AFileOverTheBoundGivesNothing) {
  TempDir dir;
  const std::string path = dir.File("zuno0.txt");
  for (std::size_t size : {kMaxReadBackBytes, kMaxReadBackBytes + 1}) {
    WriteFileBytes(path, "");
    ASSERT_EQ(truncate(path.c_str(), static_cast<off_t>(size)), 0);
    for (auto access : {TextFileAccess::kShared, TextFileAccess::kOwnerOnly})
      EXPECT_EQ(ReadTextFileBack(path, access).has_value(), size == kMaxReadBackBytes) << size;
  }
}

mode_t ModeOf(const std::string& path) {
  struct stat st {};
  EXPECT_EQ(lstat(path.c_str(), &st), 0) << path;
  return st.st_mode & 07777;
}

class ScopedUmask {
 public:
  explicit ScopedUmask(mode_t mask) : old_(umask(mask)) {}
  ~ScopedUmask() { umask(old_); }

 private:
  mode_t old_;
};

// The command file holds the password: only its owner may read it.
TEST(OwnerOnlyTextFileTest, ModeIs0600) {
  TempDir dir;
  const std::string stale = dir.File("zunocmd.bat");
  WriteFileBytes(stale, "old");
  ASSERT_EQ(chmod(stale.c_str(), 0644), 0);
  {
    ScopedUmask loose(0);
    ASSERT_TRUE(WriteTextFile(stale, "connect to S user u using secret", TextFileAccess::kOwnerOnly));
    EXPECT_EQ(ModeOf(stale), 0600u) << "a stale readable file keeps its mode";
  }
  {
    ScopedUmask strict(0377);
    ASSERT_TRUE(WriteTextFile(dir.File("fresh.bat"), "x", TextFileAccess::kOwnerOnly));
    EXPECT_EQ(ModeOf(dir.File("fresh.bat")), 0600u) << "the umask left it unreadable";
  }
}

TEST(OwnerOnlyTextFileTest, PlantedSymbolicLinkIsNotFollowed) {
  TempDir dir;
  const std::string target = dir.File("victim");
  const std::string link = dir.File("zunocmd.bat");
  WriteFileBytes(target, "precious");
  ASSERT_EQ(symlink(target.c_str(), link.c_str()), 0);

  ASSERT_TRUE(WriteTextFile(link, "secret", TextFileAccess::kOwnerOnly));
  EXPECT_EQ(ReadFileBytes(target), "precious");
  EXPECT_FALSE(std::filesystem::is_symlink(link));
  EXPECT_EQ(ReadFileBytes(link), "secret");

  const std::string output = dir.File("zunocmd.txt");
  ASSERT_EQ(symlink(target.c_str(), output.c_str()), 0);
  EXPECT_EQ(ReadTextFileBack(output, TextFileAccess::kOwnerOnly), std::nullopt);
  ASSERT_EQ(symlink(dir.File("nowhere").c_str(), dir.File("dangling2").c_str()), 0);
  EXPECT_EQ(ReadTextFileBack(dir.File("dangling2"), TextFileAccess::kOwnerOnly), std::nullopt);
  EXPECT_FALSE(std::filesystem::exists(dir.File("nowhere"))) << "created through a dangling link";
}

}  // namespace
}  // namespace zuno

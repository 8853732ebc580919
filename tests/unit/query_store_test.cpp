#include "library/query_store.h"

#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <set>

#include "app/home_directory.h"
#include "library/query_store_format.h"
#include "tests/support/other_user.h"
#include "tests/support/temp_dir.h"

namespace zuno {
namespace {

using testing::kNobody;
using testing::ReadFileBytes;
using testing::RunInChild;
using testing::RunWithoutRoot;
using testing::ScopedEnv;
using testing::TempDir;
using testing::WriteFileBytes;
using namespace std::string_literals;

std::vector<QueryRecord> RecordsIn(const std::string& path) {
  return DecodeQueryRecords(ReadFileBytes(path));
}

std::set<std::string> EntriesOf(const std::string& dir) {
  std::set<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(dir)) names.insert(e.path().filename());
  return names;
}

// Hands the directory to the user the unprivileged child runs as.
void HandOver(const TempDir& dir) {
  if (geteuid() != 0) return;
  for (const auto& e : std::filesystem::directory_iterator(dir.path()))
    ASSERT_EQ(lchown(e.path().c_str(), kNobody, kNobody), 0);
  ASSERT_EQ(chown(dir.path().c_str(), kNobody, kNobody), 0);
}

class QueryStoreTest : public ::testing::Test {
 protected:
  void Store(const std::vector<QueryRecord>& records) { WriteFileBytes(path(), EncodeQueryRecords(records)); }
  std::vector<QueryRecord> Records() const { return RecordsIn(path()); }
  std::string path() const { return store_.path; }

  TempDir dir_;
  QueryStore store_{dir_.File("zuno.sql")};
};

struct PathCase {
  const char* name;
  const char* home;
  StoreMode mode;
  std::string path;
};

class StorePathTest : public ::testing::TestWithParam<PathCase> {};

TEST_P(StorePathTest, PutsTheStoreWhereModeAndHomeSay) {
  const PathCase& c = GetParam();
  ScopedEnv home("HOME", c.home);
  EXPECT_EQ(QueryStoreFor(c.mode, HomeDirectory()).path, c.path);
}

INSTANTIATE_TEST_SUITE_P(
    ModesAndHomes, StorePathTest,
    ::testing::Values(PathCase{"LocalInHome", "/home/db2", StoreMode::Local, "/home/db2/zuno.sql"},
                      PathCase{"LocalHomeWithSlash", "/home/db2/", StoreMode::Local, "/home/db2/zuno.sql"},
                      PathCase{"LocalRootHomeHasNoDoubleSlash", "/", StoreMode::Local, "/zuno.sql"},
                      PathCase{"LocalHomeUnsetIsWorkingDirectory", nullptr, StoreMode::Local, "zuno.sql"},
                      PathCase{"SharedIsWorkingDirectory", "/home/db2", StoreMode::Shared, "zuno.sql"},
                      PathCase{"SharedHomeUnset", nullptr, StoreMode::Shared, "zuno.sql"}),
    [](const auto& info) { return info.param.name; });

TEST(StoreModeTest, ToggleSwitchesBetweenTheTwoStores) {
  AppState state = InitialAppState("/home/db2/");
  EXPECT_EQ(QueryStoreFor(state).path, "/home/db2/zuno.sql");
  ToggleStoreMode(state);
  EXPECT_EQ(state.storeMode, StoreMode::Shared);
  EXPECT_EQ(QueryStoreFor(state).path, "zuno.sql");
  ToggleStoreMode(state);
  EXPECT_EQ(state.storeMode, StoreMode::Local);
  EXPECT_EQ(QueryStoreFor(state).path, "/home/db2/zuno.sql");
}

TEST_F(QueryStoreTest, FirstLookCreatesAnEmptyFileAndFirstSaveWritesOneRecord) {
  EXPECT_TRUE(ListQueryNames(store_).empty());
  ASSERT_TRUE(std::filesystem::exists(path()));
  EXPECT_EQ(std::filesystem::file_size(path()), 0u);
  EXPECT_EQ(LoadQuery(store_, "q1"), std::nullopt);

  ASSERT_TRUE(SaveQuery(store_, "q1", "SELECT 1\nFROM T", ""));
  EXPECT_EQ(ReadFileBytes(path()), "\"q1\",\"SELECT 1\nFROM T\",\"\"\r\n");
  EXPECT_EQ(EntriesOf(dir_.path()), (std::set<std::string>{"zuno.sql", "zuno.sql.lock"}));
}

TEST_F(QueryStoreTest, OperationsTouchOnlyTheRecordOfThatExactName) {
  const std::vector<QueryRecord> start = {
      {"abc", "SELECT 'abc'", "u1"}, {"ab", "SELECT 'ab'", "u2"}, {"x", "-- ab\nSELECT ab FROM T", "u3"}};
  struct {
    const char* what;
    std::function<StoreChange(const QueryStore&)> op;
    std::vector<QueryRecord> after;
  } cases[] = {
      {"save ab replaces it in place",
       [](const QueryStore& s) { return SaveQuery(s, "ab", "NEW", "me"); },
       {start[0], {"ab", "NEW", "me"}, start[2]}},
      {"save AB is another name and appends",
       [](const QueryStore& s) { return SaveQuery(s, "AB", "NEW", "me"); },
       {start[0], start[1], start[2], {"AB", "NEW", "me"}}},
      {"delete ab keeps abc and the text mentioning ab",
       [](const QueryStore& s) { return DeleteQuery(s, "ab"); }, {start[0], start[2]}},
      {"delete of a missing name keeps everything",
       [](const QueryStore& s) { return DeleteQuery(s, "a"); }, start},
      {"delete with empty name matches nothing",
       [](const QueryStore& s) { return DeleteQuery(s, ""); }, start},
  };
  for (const auto& c : cases) {
    Store(start);
    EXPECT_TRUE(c.op(store_)) << c.what;
    EXPECT_EQ(Records(), c.after) << c.what;
  }
  Store(start);
  EXPECT_EQ(LoadQuery(store_, "ab"), "SELECT 'ab'");
  EXPECT_EQ(LoadQuery(store_, "a"), std::nullopt);
  EXPECT_EQ(LoadQuery(store_, "ab "), std::nullopt);
}

TEST_F(QueryStoreTest, SavingANameAgainKeepsItsPlaceWithTheNewTextAndUser) {
  ASSERT_TRUE(SaveQuery(store_, "q1", "SELECT 1", "first"));
  ASSERT_TRUE(SaveQuery(store_, "q2", "SELECT 2", "first"));
  ASSERT_TRUE(SaveQuery(store_, "q1", "SELECT 11", "second"));
  EXPECT_EQ(Records(), (std::vector<QueryRecord>{{"q1", "SELECT 11", "second"}, {"q2", "SELECT 2", "first"}}));
  EXPECT_EQ(LoadQuery(store_, "q1"), "SELECT 11");
}

TEST_F(QueryStoreTest, EmptyNamesAlwaysAppendAndNeverMatch) {
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(SaveQuery(store_, "", "SELECT " + std::to_string(i), ""));
  EXPECT_EQ(Records().size(), 3u);
  EXPECT_EQ(ListQueryNames(store_), (std::vector<std::string>{"", "", ""}));
  EXPECT_EQ(LoadQuery(store_, ""), std::nullopt);
  ASSERT_TRUE(DeleteQuery(store_, ""));
  EXPECT_EQ(Records().size(), 3u);
}

TEST_F(QueryStoreTest, NamesDifferingInCaseAreListedTogetherAndLoadedApart) {
  ASSERT_TRUE(SaveQuery(store_, "a", "SELECT 'small'", ""));
  ASSERT_TRUE(SaveQuery(store_, "B", "SELECT 'b'", ""));
  ASSERT_TRUE(SaveQuery(store_, "A", "SELECT 'capital'", ""));
  EXPECT_EQ(ListQueryNames(store_), (std::vector<std::string>{"a", "A", "B"}));
  EXPECT_EQ(LoadQuery(store_, "a"), "SELECT 'small'");
  EXPECT_EQ(LoadQuery(store_, "A"), "SELECT 'capital'");
}

TEST_F(QueryStoreTest, LoadGivesTheFirstOfRepeatedNames) {
  Store({{"dup", "FIRST", ""}, {"dup", "SECOND", ""}});
  EXPECT_EQ(ListQueryNames(store_), (std::vector<std::string>{"dup", "dup"}));
  EXPECT_EQ(LoadQuery(store_, "dup"), "FIRST");
}

TEST_F(QueryStoreTest, RewriteKeepsWholeStoresAndLeavesDamagedOnesAsTheyWere) {
  struct {
    const char* what;
    std::string file;
    bool rewritten;
  } cases[] = {
      {"byte-order mark and LF line ends", "\xEF\xBB\xBF\"p\",\"1\",\"\"\n\"q\",\"2\",\"u\"\n", true},
      {"blank lines between records", "\"p\",\"1\",\"\"\r\n\r\n\"q\",\"2\",\"u\"\r\n  \n", true},
      // The bytes that are no whole record would be lost by a rewrite.
      {"last record lacks its final field", "\"p\",\"1\",\"\"\r\n\"q\",\"2\",\"u\"\r\n\"broken\",\"3\"\r\n", false},
      {"stray text between records", "junk\"p\",\"1\",\"\"\r\n-- stray --\r\n\"q\",\"2\",\"u\"\nmore", false},
      {"NUL after the first record", "\"p\",\"1\",\"\"\r\n\0\"q\",\"2\",\"u\"\r\n\"r\",\"3\",\"\"\r\n"s, false},
      {"a field never closed", "\"p\",\"1\",\"\"\r\n\"q\",\"2\",\"u\r\n", false},
  };
  const std::string clean = "\"p\",\"1\",\"\"\r\n\"q\",\"2\",\"u\"\r\n";
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    WriteFileBytes(path(), c.file);
    EXPECT_EQ(LoadQuery(store_, "p"), "1");
    StoreChange save = SaveQuery(store_, "r", "3", "");
    EXPECT_EQ(save.written, c.rewritten);
    EXPECT_EQ(ReadFileBytes(path()), c.rewritten ? clean + "\"r\",\"3\",\"\"\r\n" : c.file);

    WriteFileBytes(path(), c.file);
    StoreChange del = DeleteQuery(store_, "nothing");
    EXPECT_EQ(del.written, c.rewritten);
    EXPECT_EQ(ReadFileBytes(path()), c.rewritten ? clean : c.file);
    EXPECT_EQ(del.message, c.rewritten ? "" : kStoreNotWhole);
  }
}

TEST_F(QueryStoreTest, NulInTheMiddleEndsTheText) {
  WriteFileBytes(path(), std::string("\"p\",\"1\",\"\"\r\n\0\"q\",\"2\",\"\"\r\n", 25));
  EXPECT_EQ(ListQueryNames(store_), (std::vector<std::string>{"p"}));
  EXPECT_EQ(LoadQuery(store_, "q"), std::nullopt);
}

TEST_F(QueryStoreTest, ListsOnlyTheFirstTenThousandNames) {
  std::vector<QueryRecord> records;
  for (std::size_t i = 0; i < kMaxListedNames; ++i) records.push_back({"n" + std::to_string(i), "", ""});
  records.push_back({"0 sorts first but is past the limit", "", ""});
  Store(records);
  std::vector<std::string> names = ListQueryNames(store_);
  ASSERT_EQ(names.size(), kMaxListedNames);
  EXPECT_EQ(names.front(), "n0");
}

TEST_F(QueryStoreTest, StoreOverTheRecordLimitIsNeverCutShort) {
  std::vector<QueryRecord> records(kMaxStoreRecords + 1);
  records.front().name = "first";
  records.front().sqlText = "SELECT 1";
  records.back().name = "beyond";
  Store(records);
  const std::string before = ReadFileBytes(path());

  EXPECT_EQ(LoadQuery(store_, "first"), "SELECT 1");
  EXPECT_EQ(LoadQuery(store_, "beyond"), std::nullopt);
  EXPECT_FALSE(SaveQuery(store_, "new", "", ""));
  EXPECT_FALSE(DeleteQuery(store_, "first"));
  // Not EXPECT_EQ: a failure would make the test runner diff two megabyte texts.
  EXPECT_TRUE(ReadFileBytes(path()) == before) << "the store was rewritten";
}

// Each refusal says its cause with the system's reason, and leaves the store
// and its folder exactly as they were.
TEST_F(QueryStoreTest, FailedWritesSayWhyAndKeepEveryOldRecordAndLeaveNoTemporaryFile) {
  const std::vector<QueryRecord> old = {{"keep1", "SELECT 1", "u"}, {"keep2", "SELECT \"2\"", ""}};
  const std::string bigText(1 << 20, 'x');
  struct {
    const char* what;
    bool lockFileThere;
    mode_t storeMode;
    mode_t dirMode;
    std::function<StoreChange()> change;
    std::vector<std::string> says;  // parts of the message
  } cases[] = {
      {"read-only directory, lock file already there", true, 0644, 0555,
       [&] { return SaveQuery(store_, "new", "SELECT 3", ""); }, {"a new zuno.sql cannot be made"}},
      {"read-only directory, no lock file", false, 0644, 0555, [&] { return DeleteQuery(store_, "keep1"); },
       {"zuno.sql.lock cannot be made"}},
      // Writing after a read that failed would replace the store with the new record alone.
      {"store that cannot be read", true, 0000, 0755, [&] { return SaveQuery(store_, "new", "SELECT 3", ""); },
       {std::string(kStoreUnreadable)}},
      {"file size limit reached midway", true, 0644, 0755,
       [&] {
         signal(SIGXFSZ, SIG_IGN);
         rlimit limit{4096, 4096};
         if (setrlimit(RLIMIT_FSIZE, &limit) != 0) return StoreChange{true, {}};
         return SaveQuery(store_, "new", bigText, "");
       },
       {"Erro create the file!\n", "could not be written whole (File too large)"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Store(old);
    std::filesystem::remove(path() + ".lock");
    if (c.lockFileThere) WriteFileBytes(path() + ".lock", "");
    const std::string before = ReadFileBytes(path());
    const std::set<std::string> entries = EntriesOf(dir_.path());
    chmod(path().c_str(), c.storeMode);
    HandOver(dir_);
    chmod(dir_.path().c_str(), c.dirMode);

    EXPECT_EQ(RunWithoutRoot([&] {
                const StoreChange change = c.change();
                for (const std::string& part : c.says)
                  if (change || change.message.find(part) == std::string::npos)
                    return fprintf(stderr, "the message: %s\n", change.message.c_str()), 1;
                return 0;
              }), 0);

    chmod(dir_.path().c_str(), 0755);
    chmod(path().c_str(), 0644);
    EXPECT_EQ(ReadFileBytes(path()), before);
    EXPECT_EQ(EntriesOf(dir_.path()), entries);
  }
}

// A member whose umask is 077 makes the lock file first; another member of
// the store's group still locks it and saves. The folder is set up as a team
// share is: group-writable, its files taking its group.
TEST_F(QueryStoreTest, ALockMadeUnderUmask077LetsAnotherMemberOfTheGroupSave) {
  if (geteuid() != 0) GTEST_SKIP() << "acting as a second user needs root";
  Store({{"first", "SELECT 1", ""}});
  ASSERT_EQ(chown(dir_.path().c_str(), 0, kNobody), 0);
  ASSERT_EQ(chmod(dir_.path().c_str(), 02775), 0);
  ASSERT_EQ(chown(path().c_str(), 0, kNobody), 0);
  ASSERT_EQ(chmod(path().c_str(), 0664), 0);
  const mode_t oldMask = umask(077);
  ASSERT_TRUE(SaveQuery(store_, "by root", "SELECT 2", ""));
  umask(oldMask);
  EXPECT_EQ(RunInChild([&] {  // a member of the group alone, not the owner
              if (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody + 1) != 0) return 99;
              const StoreChange save = SaveQuery(store_, "by a member", "SELECT 3", "");
              if (!save) fprintf(stderr, "%s\n", save.message.c_str());
              return save ? 0 : 1;
            }),
            0);
  EXPECT_EQ(ListQueryNames(store_), (std::vector<std::string>{"by a member", "by root", "first"}));
}

// One large save must not lock every user of the store out of every query.
TEST_F(QueryStoreTest, ASaveThatWouldPassTheReadLimitIsRefused) {
  Store({{"big", std::string(kMaxStoreBytes - 1000, 'x'), ""}});
  const StoreChange save = SaveQuery(store_, "more", std::string(2000, 'y'), "");
  EXPECT_FALSE(save);
  EXPECT_EQ(save.message, kStoreWouldBeTooLarge);
  EXPECT_EQ(ListQueryNames(store_), std::vector<std::string>{"big"});
}

// Only what a save of a process that is gone left is removed; the user's own
// files beside the store, whatever their names, stay through every save.
TEST_F(QueryStoreTest, SavesRemoveOnlyTheTemporaryStoresOfEndedSaves) {
  Store({{"q", "SELECT 1", ""}});
  const pid_t ended = fork();
  if (ended == 0) _exit(0);
  waitpid(ended, nullptr, 0);  // its id now names no running process
  char host[256] = {};
  gethostname(host, sizeof host - 1);
  const std::string tag = ".replacing." + std::to_string(ended) + "@";
  const std::string killed = "zuno.sql" + tag + host + ".Ab3xYz";
  const std::set<std::string> kept = {
      "zuno.sql.backup",  // the user's
      "zuno.sql.before",
      "zuno.sql.Ab3xYz",  // six characters, as mkstemp makes them
      "zuno.sql.replacing." + std::to_string(getpid()) + "@" + host + ".Cd4eFg",  // of a running process
      "zuno.sql" + tag + "otherhost.Ef5gHi",                                              // of another host's
      "zuno.sql" + tag + host + ".notes",  // not what a save makes
  };
  for (const std::string& name : kept) WriteFileBytes(dir_.File(name), "the user's: " + name);
  WriteFileBytes(dir_.File(killed), "\"half a sto");
  std::set<std::string> left = kept;
  left.insert({"zuno.sql", "zuno.sql.lock"});
  if (geteuid() == 0) {
    const std::string theirs = "zuno.sql" + tag + host + ".theirs";
    WriteFileBytes(dir_.File(theirs), "another user's");
    ASSERT_EQ(chown(dir_.File(theirs).c_str(), kNobody, kNobody), 0);
    left.insert(theirs);
  }

  for (int i = 0; i < 10; ++i) ASSERT_TRUE(SaveQuery(store_, "q" + std::to_string(i), "SELECT 1", ""));
  ASSERT_TRUE(DeleteQuery(store_, "q3"));
  EXPECT_EQ(EntriesOf(dir_.path()), left);
  for (const std::string& name : kept) EXPECT_EQ(ReadFileBytes(dir_.File(name)), "the user's: " + name);
  EXPECT_EQ(Records().size(), 10u);
}

TEST_F(QueryStoreTest, ReadOnlyDirectoryStillListsAndLoads) {
  Store({{"q", "SELECT 1", ""}});
  HandOver(dir_);
  chmod(dir_.path().c_str(), 0555);
  EXPECT_EQ(RunWithoutRoot([&] {
              bool listed = ListQueryNames(store_) == std::vector<std::string>{"q"};
              return listed && LoadQuery(store_, "q") == "SELECT 1" ? 0 : 1;
            }),
            0);
  chmod(dir_.path().c_str(), 0755);
}

TEST_F(QueryStoreTest, StoreUnderAPlainFileReadsEmptyAndSavesNothing) {
  WriteFileBytes(dir_.File("plain"), "not a directory");
  const QueryStore store{dir_.File("plain") + "/zuno.sql"};
  EXPECT_TRUE(ListQueryNames(store).empty());
  EXPECT_FALSE(SaveQuery(store, "q", "SELECT 1", ""));
  EXPECT_EQ(ReadFileBytes(dir_.File("plain")), "not a directory");
}

TEST_F(QueryStoreTest, HeldStoreMakesWritesGiveUpAndReadsGoOn) {
  Store({{"q", "SELECT 1", ""}});
  const std::string before = ReadFileBytes(path());
  int holder = open((path() + ".lock").c_str(), O_RDONLY | O_CREAT, 0644);
  ASSERT_GE(holder, 0);
  ASSERT_EQ(flock(holder, LOCK_EX), 0);
  const QueryStore impatient{path(), std::chrono::milliseconds(20)};

  for (const StoreChange& refused : {SaveQuery(impatient, "r", "SELECT 2", ""), DeleteQuery(impatient, "q")}) {
    EXPECT_FALSE(refused);
    EXPECT_NE(refused.message.find("held by another program"), std::string::npos) << refused.message;
  }
  EXPECT_EQ(ListQueryNames(impatient), (std::vector<std::string>{"q"}));
  EXPECT_EQ(LoadQuery(impatient, "q"), "SELECT 1");
  EXPECT_EQ(ReadFileBytes(path()), before);

  close(holder);
  EXPECT_TRUE(SaveQuery(impatient, "r", "SELECT 2", ""));
}

TEST_F(QueryStoreTest, TwoInstancesSavingAtOnceKeepAllRecords) {
  constexpr int kPerInstance = 200;
  const QueryStore patient{path(), std::chrono::seconds(60)};
  int gate[2];
  ASSERT_EQ(pipe(gate), 0);
  std::vector<pid_t> children;
  for (int instance = 0; instance < 2; ++instance) {
    pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      close(gate[1]);
      char c;
      while (read(gate[0], &c, 1) > 0) {}  // both start when the gate closes
      int failures = 0;
      for (int i = 0; i < kPerInstance; ++i) {
        std::string name = "i" + std::to_string(instance) + "-" + std::to_string(i);
        if (!SaveQuery(patient, name, "SELECT " + std::to_string(i), "u")) ++failures;
      }
      _exit(failures == 0 ? 0 : 1);
    }
    children.push_back(pid);
  }
  close(gate[0]);
  close(gate[1]);
  for (pid_t pid : children) {
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }

  const std::string text = ReadFileBytes(path());
  std::vector<QueryRecord> records = DecodeQueryRecords(text);
  EXPECT_EQ(EncodeQueryRecords(records), text);  // nothing torn or interleaved
  std::set<std::string> names;
  for (const QueryRecord& r : records) names.insert(r.name);
  EXPECT_EQ(records.size(), 2u * kPerInstance);
  EXPECT_EQ(names.size(), 2u * kPerInstance);
}

TEST_F(QueryStoreTest, SymbolicLinkIsWrittenThroughToItsTarget) {
  std::filesystem::create_directory(dir_.File("elsewhere"));
  const std::string target = dir_.File("elsewhere/team.sql");
  WriteFileBytes(target, EncodeQueryRecords({{"old", "SELECT 0", ""}}));
  std::filesystem::create_symlink(target, path());

  ASSERT_TRUE(SaveQuery(store_, "new", "SELECT 1", ""));
  EXPECT_TRUE(std::filesystem::is_symlink(path()));
  EXPECT_EQ(RecordsIn(target), (std::vector<QueryRecord>{{"old", "SELECT 0", ""}, {"new", "SELECT 1", ""}}));
  EXPECT_EQ(EntriesOf(dir_.File("elsewhere")), (std::set<std::string>{"team.sql", "team.sql.lock"}));
}

TEST_F(QueryStoreTest, NewFilesTakeTheStoreModeOrTheUmask) {
  const mode_t oldMask = umask(022);
  struct {
    const char* what;
    std::optional<mode_t> existing;
    mode_t expected;
  } cases[] = {{"new store", std::nullopt, 0644}, {"group-shared store", 0664, 0664}, {"private store", 0600, 0600}};
  for (const auto& c : cases) {
    std::filesystem::remove(path());
    std::filesystem::remove(path() + ".lock");
    if (c.existing) {
      WriteFileBytes(path(), "");
      chmod(path().c_str(), *c.existing);
    }
    ASSERT_TRUE(SaveQuery(store_, "q", "SELECT 1", "")) << c.what;
    struct stat st {};
    ASSERT_EQ(stat(path().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, c.expected) << c.what;
    ASSERT_EQ(stat((path() + ".lock").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, c.expected) << c.what << " (lock file)";
  }
  umask(oldMask);
}

}  // namespace
}  // namespace zuno

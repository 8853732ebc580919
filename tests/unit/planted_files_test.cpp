// Files another user plants, and damaged files, at every name ZUNO writes or
// reads in the shared working directory: the program refuses or steps around
// them, nothing of the user's is changed or lost, and nothing runs that the
// user did not ask for. When the suite runs as root, a forked child that
// drops to nobody plays the second user; for the files a user cannot remove,
// root plants and the child acting as the user is nobody.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fcntl.h>
#include <sys/file.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <set>

#include "app/logo_file.h"
#include "app/shutdown.h"
#include "base/unique_fd.h"
#include "library/library_window.h"
#include "library/query_store.h"
#include "library/query_store_format.h"
#include "query/run_statement.h"
#include "tests/support/handler_harness.h"
#include "tests/support/other_user.h"
#include "tests/support/temp_dir.h"
#include "tools/external_editing.h"

namespace zuno {
namespace {

using testing::ReadFileBytes;
using testing::RunInChild;
using testing::RunWithoutRoot;
using testing::TempDir;
using testing::WriteFileBytes;
using testing::WriteScript;
namespace fs = std::filesystem;

// What Save and Delete say where the system refuses them.
const std::string kHeldPastTheWait =
    "zuno.sql is held by another program through its lock zuno.sql.lock; waited 100 ms for it to let go, and "
    "zuno.sql was left as it was.";
const std::string kOnlyItsOwnerReplaces =
    "zuno.sql belongs to another user in a sticky folder, where only its owner may replace it (Operation not "
    "permitted), and was left as it was. A team share needs a group-writable folder without the sticky bit, or a "
    "link of each user's own to the store.";
const std::string kLockOfRootAlone =
    "zuno.sql.lock belongs to root with mode 0600 and cannot be opened to lock zuno.sql (Permission denied); "
    "zuno.sql was left as it was. Its owner can give it the store's mode.";
const std::string kNoLockFileMade =
    "Erro create the file!\nThe folder of zuno.sql is read-only for you (Permission denied): its lock "
    "zuno.sql.lock cannot be made there, and zuno.sql was left as it was.";
const std::string kNoNewStoreMade =
    "Erro create the file!\nThe folder of zuno.sql is read-only for you (Permission denied): a new zuno.sql "
    "cannot be made there, and zuno.sql was left as it was.";
constexpr std::uintmax_t kSparseSize = std::uintmax_t{5} << 30;  // 5 GB, of which no byte is on disk

// Who runs ZUNO in a case: the test's own user, with nobody planting; the
// same where the case needs what was planted to be another user's; or
// nobody, with the test's user (root) planting what nobody cannot remove.
// The last two need a second user, so they are played only as root: run as
// anyone else, the planted files would be the user's own.
enum class Actor { kTestUser, kTestUserBesideNobody, kNobody };

struct PlantedFilesTest : ::testing::Test {
  TempDir root;
  std::string home = root.File("home");
  std::string work = root.File("work");  // shared, mode 1777
  std::string bin = root.File("bin");
  std::string logs = root.File("logs");  // which program ran, written by the stand-ins
  std::string runtime = root.File("runtime");  // the private runtime folder of whoever runs ZUNO
  testing::ScopedCwd cwd{(Make(), work)};
  testing::ScopedEnv path{"PATH", (bin + ":/usr/bin:/bin").c_str()};
  testing::ScopedEnv runtimeVariable{"XDG_RUNTIME_DIR", runtime.c_str()};
  testing::HandlerHarness h{home + "/"};
  UniqueFd heldLock;  // another program's hold on the store

  void Make() {
    fs::permissions(root.path(), fs::perms(0755));
    for (auto [dir, mode] : {std::pair{home, 0755}, {home + "/.ssh", 0700}, {work, 01777}, {bin, 0755}, {logs, 0777},
                             {runtime, 0700}}) {
      fs::create_directory(dir);
      fs::permissions(dir, fs::perms(mode));
    }
    // The stand-ins log that they ran; the processor runs its command file as db2 would.
    WriteScript(bin + "/gedit", "echo \"$@\" >" + logs + "/gedit\n");
    WriteScript(bin + "/sqlformat", "echo \"$@\" >" + logs + "/sqlformat\n");
    WriteScript(bin + "/db2", "echo \"$@\" >" + logs + "/db2\nsh \"$2\"\nprintf 'output' >\"$4\"\n");
    for (const char* script : {"gedit", "sqlformat", "db2"}) fs::permissions(bin + "/" + script, fs::perms(0755));
  }

  // Each case starts from the same files of the user's.
  void ResetUsersFiles() {
    for (const auto& e : fs::directory_iterator(work)) fs::remove_all(e.path());
    for (const auto& e : fs::directory_iterator(logs)) fs::remove(e.path());
    WriteFileBytes(home + "/.bashrc", "PS1=\"zuno$ \"\nexport EDITOR=\"vi\"\nalias ll=\"ls -l\"\n");
    WriteFileBytes(home + "/.ssh/authorized_keys", "ssh-ed25519 AAAAC3Nza user@desk\n");
  }

  // What the user owns, byte for byte (a large file by its size).
  std::map<std::string, std::string> UsersFiles() const {
    std::map<std::string, std::string> files;
    for (const std::string& dir : {home, home + "/.ssh", work}) {
      for (const auto& e : fs::directory_iterator(dir)) {
        struct stat st {};
        if (lstat(e.path().c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
        files[e.path()] = st.st_size > (1 << 20) ? "size " + std::to_string(st.st_size) : ReadFileBytes(e.path());
      }
    }
    return files;
  }

  std::set<std::string> HomeEntries() const {
    std::set<std::string> names;
    for (const auto& e : fs::recursive_directory_iterator(home)) names.insert(e.path());
    return names;
  }

  std::set<std::string> ProgramsRun() const {
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(logs)) names.insert(e.path().filename());
    return names;
  }

  void StoreInWork(const std::string& bytes) { WriteFileBytes(work + "/zuno.sql", bytes); }
};

// Plants as nobody, the second user.
void AsNobody(const std::function<int()>& plant) { ASSERT_EQ(RunWithoutRoot(plant), 0); }

void Sparse(const std::string& path) {
  WriteFileBytes(path, "\"q\",\"select 1\",\"\"\r\n");
  fs::resize_file(path, kSparseSize);
}

struct PlantedCase {
  const char* what;
  Actor actor;
  std::function<void(PlantedFilesTest&)> plant;
  std::function<void(PlantedFilesTest&)> act;
  std::vector<std::string> messages;
  std::set<std::string> programsRun;
  std::vector<std::string> listed = {};  // the library's names after the act
};

const std::string kKeep = EncodeQueryRecords({{"keep", "select 'kept'", "u"}});

// What an act observes that would be a fault, told as a message no case expects.
void Fault(PlantedFilesTest& t, bool fault, const char* what) {
  if (fault) t.h.ui.messages.push_back(what);
}

void EditSql(PlantedFilesTest& t) { OnEditSqlClicked(t.h.session); }
void ReadLogo(PlantedFilesTest& t) {
  bool tooLarge = false;
  Fault(t, ReadLogoBytes(kLogoFile, &tooLarge).has_value(), "the logo reached a decoder");
}

void FormatSql(PlantedFilesTest& t) { OnFormatSqlClicked(t.h.session); }
void RunDb2(PlantedFilesTest& t) {
  t.h.ui.SetChecked(kDb2CommandCheckBox, true);
  RunStatement(t.h.session);
}
// The shared store: the library opened, a query saved, then one deleted.
void SaveAndDelete(PlantedFilesTest& t) {
  t.h.state.storeMode = StoreMode::Shared;
  OpenLibrary(t.h.session);
  t.h.ui.textAnswers = {"new"};
  OnLibrarySave(t.h.session);
  t.h.ui.SelectListItem(kQueryNamesList, 0);
  t.h.ui.yesNoAnswers = {true};  // the question before a delete in the Shared store
  OnLibraryDelete(t.h.session);
}

const PlantedCase kCases[] = {
    // The store.
    {"another user's link at zuno.sql to the user's .bashrc", Actor::kTestUserBesideNobody,
     [](PlantedFilesTest& t) { AsNobody([&] { return symlink((t.home + "/.bashrc").c_str(), "zuno.sql"); }); },
     SaveAndDelete, {std::string(kStoreNotAFile), std::string(kStoreNotAFile)}, {}},
    {"another user's link at zuno.sql.lock to a file not yet made", Actor::kTestUser,
     [](PlantedFilesTest& t) {
       t.StoreInWork(kKeep);
       AsNobody([&] { return symlink((t.home + "/made-through-link").c_str(), "zuno.sql.lock"); });
     },
     SaveAndDelete, {std::string(kStoreLockNotAFile), std::string(kStoreLockNotAFile)}, {}, {"keep"}},
    {"a FIFO at zuno.sql.lock", Actor::kTestUser,
     [](PlantedFilesTest& t) {
       t.StoreInWork(kKeep);
       AsNobody([] { return mkfifo("zuno.sql.lock", 0666); });
     },
     SaveAndDelete, {std::string(kStoreLockNotAFile), std::string(kStoreLockNotAFile)}, {}, {"keep"}},
    {"another program holding zuno.sql.lock past the wait", Actor::kTestUser,
     [](PlantedFilesTest& t) {
       t.StoreInWork(kKeep);
       t.heldLock = UniqueFd(open("zuno.sql.lock", O_RDONLY | O_CREAT | O_CLOEXEC, 0666));
       ASSERT_EQ(flock(t.heldLock.get(), LOCK_EX), 0);
     },
     [](PlantedFilesTest& t) {
       t.h.state.storeLockWait = std::chrono::milliseconds(100);
       SaveAndDelete(t);
     },
     {kHeldPastTheWait, kHeldPastTheWait}, {}, {"keep"}},
    {"a lock file another member made for themselves alone", Actor::kNobody,
     [](PlantedFilesTest& t) {
       t.StoreInWork(kKeep);
       WriteFileBytes(t.work + "/zuno.sql.lock", "");
       fs::permissions(t.work + "/zuno.sql.lock", fs::perms(0600));
     },
     SaveAndDelete, {kLockOfRootAlone, kLockOfRootAlone}, {}, {"keep"}},
    {"a store frozen with chmod a-w", Actor::kTestUser,
     [](PlantedFilesTest& t) {
       t.StoreInWork(kKeep);
       fs::permissions(t.work + "/zuno.sql", fs::perms(0444));
     },
     SaveAndDelete, {std::string(kStoreReadOnly), std::string(kStoreReadOnly)}, {}, {"keep"}},
    {"another user's store open to all in the sticky shared directory", Actor::kNobody,
     [](PlantedFilesTest& t) {
       t.StoreInWork(kKeep);
       fs::permissions(t.work + "/zuno.sql", fs::perms(0666));
     },
     SaveAndDelete, {kOnlyItsOwnerReplaces, kOnlyItsOwnerReplaces}, {}, {"keep"}},
    {"a FIFO at zuno.sql", Actor::kTestUser, [](PlantedFilesTest&) { AsNobody([] { return mkfifo("zuno.sql", 0666); }); },
     SaveAndDelete, {std::string(kStoreNotAFile), std::string(kStoreNotAFile)}, {}},
    {"a sparse multi-GB zuno.sql", Actor::kTestUser, [](PlantedFilesTest& t) { Sparse(t.work + "/zuno.sql"); },
     SaveAndDelete,
     {std::string(kStoreTooLarge), std::string(kStoreTooLarge), std::string(kStoreTooLarge)}, {}},
    {"a NUL byte after the first of three records", Actor::kTestUser,
     [](PlantedFilesTest& t) {
       t.StoreInWork(EncodeQueryRecords({{"a", "1", ""}}) + std::string(1, '\0') +
                     EncodeQueryRecords({{"b", "2", ""}, {"c", "3", ""}}));
     },
     SaveAndDelete, {std::string(kStoreNotWhole), std::string(kStoreNotWhole)}, {}, {"a"}},
    {"a quote not doubled in the middle of three records", Actor::kTestUser,
     [](PlantedFilesTest& t) { t.StoreInWork("\"p\",\"1\",\"\"\r\n\"q\",\"select \"x\" from t\",\"u\"\r\n\"r\",\"2\",\"\"\r\n"); },
     SaveAndDelete, {std::string(kStoreNotWhole), std::string(kStoreNotWhole)}, {}},
    {"a last field never closed", Actor::kTestUser,
     [](PlantedFilesTest& t) { t.StoreInWork(kKeep + "\"b\",\"select 1\r\n"); },
     SaveAndDelete, {std::string(kStoreNotWhole), std::string(kStoreNotWhole)}, {}, {"keep"}},
    {"the user's own notes at zuno.sql, no store at all", Actor::kTestUser,
     [](PlantedFilesTest& t) { t.StoreInWork("meeting notes: ask about the budget\n"); },
     SaveAndDelete, {std::string(kStoreNotWhole), std::string(kStoreNotWhole)}, {}},
    {"a shared directory that takes no new files", Actor::kNobody,
     [](PlantedFilesTest& t) {
       t.StoreInWork(kKeep);
       fs::permissions(t.work, fs::perms(0755));
     },
     SaveAndDelete, {kNoLockFileMade, kNoLockFileMade}, {}, {"keep"}},
    {"a shared directory that takes no new files, the lock file there", Actor::kNobody,
     [](PlantedFilesTest& t) {
       t.StoreInWork(kKeep);
       fs::permissions(t.work + "/zuno.sql", fs::perms(0666));  // writable: only the directory refuses
       WriteFileBytes(t.work + "/zuno.sql.lock", "");
       fs::permissions(t.work, fs::perms(0755));
     },
     SaveAndDelete, {kNoNewStoreMade, kNoNewStoreMade}, {}, {"keep"}},
    // The editor's and the formatter's files.
    {"another user's link at zuno0.txt to authorized_keys", Actor::kTestUser,
     [](PlantedFilesTest& t) {
       AsNobody([&] { return symlink((t.home + "/.ssh/authorized_keys").c_str(), "zuno0.txt"); });
     },
     EditSql, {}, {"gedit"}},
    {"another user's link at zuno0.sql to authorized_keys", Actor::kTestUser,
     [](PlantedFilesTest& t) {
       AsNobody([&] { return symlink((t.home + "/.ssh/authorized_keys").c_str(), "zuno0.sql"); });
     },
     FormatSql, {}, {"sqlformat"}},
    {"another user's file at zuno0.txt that the user cannot replace", Actor::kNobody,
     [](PlantedFilesTest& t) { WriteFileBytes(t.work + "/zuno0.txt", "planted text"); }, EditSql, {}, {"gedit"}},
    // The Db2 command files and the search for db2.
    {"another user's script at zunocmd.bat", Actor::kNobody,
     [](PlantedFilesTest& t) { WriteScript(t.work + "/zunocmd.bat", "touch " + t.logs + "/planted\n"); }, RunDb2,
     {}, {"db2"}},
    {"another user's readable file at zunocmd.txt", Actor::kNobody,
     [](PlantedFilesTest& t) {
       WriteFileBytes(t.work + "/zunocmd.txt", "");
       fs::permissions(t.work + "/zunocmd.txt", fs::perms(0666));
     },
     RunDb2, {}, {"db2"}},
    {"an empty PATH entry and a db2 planted in the working directory", Actor::kTestUser,
     [](PlantedFilesTest& t) {
       setenv("PATH", (":" + t.bin + ":/usr/bin:/bin").c_str(), 1);
       AsNobody([&] {
         WriteScript("db2", "touch " + t.logs + "/planted\n");
         return chmod("db2", 0755);
       });
     },
     RunDb2, {}, {"db2"}},
    {"relative PATH entries and a db2 planted in the working directory", Actor::kTestUser,
     [](PlantedFilesTest& t) {
       setenv("PATH", (".:bin:" + t.bin + ":/usr/bin:/bin").c_str(), 1);
       AsNobody([&] {
         fs::create_directory("bin");
         for (const char* planted : {"db2", "bin/db2"}) WriteScript(planted, "touch " + t.logs + "/planted\n");
         return chmod("db2", 0755) || chmod("bin/db2", 0755) || chmod("bin", 0777);
       });
     },
     RunDb2, {}, {"db2"}},
    // The logo and the settings file.
    {"an XPM of the user's own at ZUNO.JPG", Actor::kTestUser,
     [](PlantedFilesTest& t) {
       WriteFileBytes(t.work + "/ZUNO.JPG", "/* XPM */\nstatic char *x[] = {\"1 1 1 1\", \". c #FF0000\", \".\"};\n");
     },
     ReadLogo, {}, {}},
    {"another user's JPEG at ZUNO.JPG", Actor::kTestUserBesideNobody,
     [](PlantedFilesTest&) { AsNobody([] { return WriteFileBytes("ZUNO.JPG", "\xFF\xD8\xFF\xE0 a JPEG"), 0; }); },
     ReadLogo, {}, {}},
    {"the user's own JPEG at ZUNO.JPG (the check above can fail)", Actor::kTestUser,
     [](PlantedFilesTest& t) { WriteFileBytes(t.work + "/ZUNO.JPG", "\xFF\xD8\xFF\xE0 a JPEG"); }, ReadLogo,
     {"the logo reached a decoder"}, {}},
    {"the user's own link at zuno.ini to a dotfiles folder", Actor::kTestUser,
     [](PlantedFilesTest& t) {
       fs::create_directory(t.home + "/dotfiles");
       WriteFileBytes(t.home + "/dotfiles/zuno.ini", "lastconnect=OLD\r\n");
       fs::create_symlink("dotfiles/zuno.ini", t.home + "/zuno.ini");
     },
     [](PlantedFilesTest& t) {
       t.h.ui.SetText(kDataSourceBox, "SAMPLE");
       WriteSettings(t.h.session);
       Fault(t, !fs::is_symlink(t.home + "/zuno.ini"), "the link was replaced");
       Fault(t, ReadFileBytes(t.home + "/dotfiles/zuno.ini") != "lastconnect=SAMPLE\r\nlastuser=\r\n",
             "the settings did not reach the linked file");
     },
     {}, {}},
};

TEST_F(PlantedFilesTest, NothingOfTheUsersIsChangedAndNothingPlantedRuns) {
  for (const PlantedCase& c : kCases) {
    if (c.actor != Actor::kTestUser && geteuid() != 0) continue;
    SCOPED_TRACE(c.what);
    fs::permissions(work, fs::perms(01777));
    ResetUsersFiles();
    setenv("PATH", (bin + ":/usr/bin:/bin").c_str(), 1);
    heldLock.Close();
    ASSERT_EQ(lchown(runtime.c_str(), geteuid(), getegid()), 0);
    c.plant(*this);
    const std::map<std::string, std::string> before = UsersFiles();
    const std::set<std::string> homeBefore = HomeEntries();

    // The act runs in a child: a pipe or a huge file that stops the program
    // ends it by the alarm instead of hanging the suite.
    const int outcome = RunInChild([&] {
      alarm(60);
      if (c.actor == Actor::kNobody && geteuid() == 0 &&
          (chown(runtime.c_str(), testing::kNobody, testing::kNobody) || setgid(testing::kNobody) ||
           setuid(testing::kNobody)))
        return 99;
      h.ui.SetText(kSqlEditor, "select secret from t");
      c.act(*this);
      const std::vector<std::string> listed = h.ui.ListItems(kQueryNamesList);
      if (h.ui.messages == c.messages && (c.listed.empty() || listed == c.listed)) return 0;
      for (const std::string& m : h.ui.messages) fprintf(stderr, "  message: %s\n", m.c_str());
      for (const std::string& name : listed) fprintf(stderr, "  listed: %s\n", name.c_str());
      return 1;
    });
    EXPECT_EQ(outcome, 0) << "messages or the listed names were not as expected, or the act did not end";
    const std::map<std::string, std::string> after = UsersFiles();
    for (const auto& [file, bytes] : before) EXPECT_TRUE(after.contains(file) && after.at(file) == bytes) << file;
    EXPECT_EQ(HomeEntries(), homeBefore);
    EXPECT_EQ(ProgramsRun(), c.programsRun);
  }
}

}  // namespace
}  // namespace zuno

#include "library/library_window.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "app/dispatch.h"
#include "library/query_store.h"
#include "library/query_store_format.h"
#include "tests/support/handler_harness.h"
#include "tests/support/temp_dir.h"

namespace zuno {
namespace {

using testing::HandlerHarness;
using testing::ReadFileBytes;
using testing::TempDir;

struct LibraryTest : ::testing::Test {
  TempDir home;
  TempDir work;
  testing::ScopedCwd cwd{work.path()};
  HandlerHarness h{home.path() + "/"};

  void SetUp() override { h.state.connectionUser = "db2inst1"; }
  std::vector<std::string> Names() { return h.ui.ListItems(kQueryNamesList); }
  void Select(const std::string& name) {
    std::vector<std::string> names = Names();
    auto it = std::find(names.begin(), names.end(), name);
    ASSERT_NE(it, names.end()) << name;
    h.ui.SelectListItem(kQueryNamesList, static_cast<int>(it - names.begin()));
  }
  void Save(const std::string& name, const std::string& sql) {
    h.ui.SetText(kSqlEditor, sql);
    h.ui.textAnswers = {name};
    OnLibrarySave(h.session);
  }
};

TEST_F(LibraryTest, OpeningAFreshLocalStoreCreatesItEmpty) {
  OpenLibrary(h.session);
  EXPECT_TRUE(h.ui.libraryOpen);
  EXPECT_EQ(h.ui.libraryForm, Ui::LibraryForm::Library);
  EXPECT_TRUE(Names().empty());
  EXPECT_EQ(h.ui.Text(kStoreModeButton), "Local");
  ASSERT_TRUE(std::filesystem::exists(home.File("zuno.sql")));
  EXPECT_EQ(std::filesystem::file_size(home.File("zuno.sql")), 0u);
  EXPECT_EQ(h.ui.busyOpened, h.ui.busyClosed);
}

TEST_F(LibraryTest, SaveProposesTheSelectedNameAndRebuildsTheWindow) {
  OpenLibrary(h.session);
  Save("q1", "select 1");
  EXPECT_EQ(h.ui.prompts.back(), "ZUNO -Query Name|Enter Queryy Name |");
  Save("Alpha", "select \"a\",\n'b' from t");
  EXPECT_EQ(Names(), (std::vector<std::string>{"Alpha", "q1"}));
  EXPECT_EQ(h.ui.SelectedListItem(kQueryNamesList), -1);  // rebuilt: no selection

  // Confirming the proposed name overwrites that query.
  Select("q1");
  Save("q1", "select 2");
  EXPECT_EQ(h.ui.prompts.back(), "ZUNO -Query Name|Enter Queryy Name |q1");
  EXPECT_EQ(Names(), (std::vector<std::string>{"Alpha", "q1"}));
  EXPECT_EQ(ReadFileBytes(home.File("zuno.sql")),
            "\"q1\",\"select 2\",\"db2inst1\"\r\n\"Alpha\",\"select \"\"a\"\",\n'b' from t\",\"db2inst1\"\r\n");
}

// A record that could be neither loaded nor deleted, or a second record
// beside the one meant, is never saved; the editor keeps its text.
TEST_F(LibraryTest, RefusedSavesWriteNothingAndSayWhy) {
  const std::string longName(65535, 'n');
  std::vector<QueryRecord> full;
  for (std::size_t i = 0; i < kMaxListedNames; ++i) full.push_back({"q" + std::to_string(i), "", ""});
  struct {
    const char* what;
    std::vector<QueryRecord> store;
    const std::string* selected;  // the name in the list, nullptr: none
    std::deque<std::string> answers;  // none: the dialog closed without OK
    std::vector<std::string> messages;
  } cases[] = {
      {"the dialog closed without OK", {{"b", "1", ""}}, nullptr, {}, {}},
      {"an empty name", {{"b", "1", ""}}, nullptr, {""}, {"please enter a Query Name!"}},
      {"a long stored name the dialog cut", {{longName, "1", ""}}, &longName, {longName.substr(0, 65534)},
       {"The Query Name is longer than 65534 bytes; the query was not saved."}},
      {"a new name past what the library lists", full, nullptr, {"new"}, {std::string(kStoreFull)}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    testing::WriteFileBytes(home.File("zuno.sql"), EncodeQueryRecords(c.store));
    const std::string before = ReadFileBytes(home.File("zuno.sql"));
    OpenLibrary(h.session);
    if (c.selected) Select(*c.selected);
    h.ui.messages.clear();
    h.ui.SetText(kSqlEditor, "select kept");
    h.ui.textAnswers = c.answers;
    OnLibrarySave(h.session);
    EXPECT_EQ(h.ui.messages, c.messages);
    EXPECT_TRUE(ReadFileBytes(home.File("zuno.sql")) == before) << "the store was rewritten";
    EXPECT_EQ(h.ui.Text(kSqlEditor), "select kept");
  }
}

TEST_F(LibraryTest, LoadFillsTheEditorAndHidesTheWindow) {
  OpenLibrary(h.session);
  Save("q", "select 'x'\nfrom t");
  h.ui.SetText(kSqlEditor, "something else");

  OnLibraryLoad(h.session);  // nothing selected: nothing happens
  EXPECT_EQ(h.ui.Text(kSqlEditor), "something else");
  EXPECT_FALSE(h.ui.libraryHidden);

  Select("q");
  h.Click(kQueryNamesList, Action::LeftDoubleClick);  // the same as Load
  EXPECT_EQ(h.ui.Text(kSqlEditor), "select 'x'\nfrom t");
  EXPECT_TRUE(h.ui.libraryHidden);
  EXPECT_EQ(h.ui.busyOpened, h.ui.busyClosed);
}

TEST_F(LibraryTest, DeleteRemovesTheSelectedQueryOnly) {
  OpenLibrary(h.session);
  Save("ab", "select 1");
  Save("abc", "select ab");
  Select("ab");
  OnLibraryDelete(h.session);
  EXPECT_EQ(Names(), std::vector<std::string>{"abc"});
  // With nothing selected the store is rewritten as it was.
  OnLibraryDelete(h.session);
  EXPECT_EQ(Names(), std::vector<std::string>{"abc"});
}

// A query deleted from the Shared store is gone for the whole team: the user
// is asked first, by its name and the store's place; No keeps it. The Local
// store is the user's own and asks nothing.
TEST_F(LibraryTest, DeleteInTheSharedStoreAsksFirst) {
  const std::string question = "Delete the query \"team q\" from the Shared store " +
                               std::filesystem::current_path().string() +
                               "/zuno.sql?\nEvery user of that store loses it.";
  struct { StoreMode mode; std::deque<bool> answers; std::vector<std::string> questions, namesAfter; } cases[] = {
      {StoreMode::Shared, {false}, {question}, {"other", "team q"}},
      {StoreMode::Shared, {true}, {question}, {"other"}},
      {StoreMode::Local, {}, {}, {"other"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(StoreModeText(c.mode));
    h.state.storeMode = c.mode;
    testing::WriteFileBytes(QueryStoreFor(h.state).path, EncodeQueryRecords({{"team q", "1", ""}, {"other", "2", ""}}));
    OpenLibrary(h.session);
    Select("team q");
    h.ui.questions.clear();
    h.ui.yesNoAnswers = c.answers;
    OnLibraryDelete(h.session);
    EXPECT_EQ(h.ui.questions, c.questions);
    EXPECT_EQ(Names(), c.namesAfter);
  }
}

TEST_F(LibraryTest, SwitchStoreShowsTheSharedStoreAndBack) {
  OpenLibrary(h.session);
  Save("local one", "select 1");
  OnSwitchStore(h.session);
  EXPECT_EQ(h.ui.Text(kStoreModeButton), "Shared");
  EXPECT_TRUE(Names().empty());
  EXPECT_TRUE(std::filesystem::exists(work.File("zuno.sql")));
  Save("shared one", "select 2");
  EXPECT_EQ(Names(), std::vector<std::string>{"shared one"});
  OnSwitchStore(h.session);
  EXPECT_EQ(h.ui.Text(kStoreModeButton), "Local");
  EXPECT_EQ(Names(), std::vector<std::string>{"local one"});
}

TEST_F(LibraryTest, TheWindowsButtonsReachTheirHandlers) {
  OpenLibrary(h.session);
  h.ui.SetText(kSqlEditor, "select 9");
  h.ui.textAnswers = {"nine"};
  h.Click(kLibrarySaveButton);
  EXPECT_EQ(Names(), std::vector<std::string>{"nine"});
  h.Click(kLibraryExitButton);
  EXPECT_FALSE(h.ui.libraryOpen);
}

}  // namespace
}  // namespace zuno

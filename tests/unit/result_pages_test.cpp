#include "session/result_pages.h"

#include <gtest/gtest.h>

#include "session/current_page_grid.h"
#include "tests/grid/result_grid_contract.h"
#include "tests/support/current_memory_grid.h"

namespace zuno {
namespace {

// Counts the grids alive: a page's rows go with its grid.
struct CountedGrid : testing::MemoryResultGrid {
  explicit CountedGrid(int& alive) : alive_(alive) { ++alive_; }
  ~CountedGrid() override { --alive_; }
  int& alive_;
};

struct ResultPagesTest : ::testing::Test {
  int alive = 0;
  ResultPages pages{[this] { return std::make_unique<CountedGrid>(alive); }};

  std::vector<std::string> Titles() {
    std::vector<std::string> titles;
    for (int i = 0; i < pages.Count(); ++i) titles.push_back(pages.Page(i).title);
    return titles;
  }
};

TEST_F(ResultPagesTest, EachPageKeepsItsOwnRowsAndTheTabsShowFromTwo) {
  EXPECT_EQ(pages.Current(), nullptr);
  ResultPage& first = pages.Add("Result 1");
  first.grid->AddColumn(0, "A", 100);
  first.grid->AppendRow({"one"});
  first.statement = "select a from s.t";
  EXPECT_FALSE(pages.TabsShown());
  ResultPage& second = pages.Add("Result 2");
  second.grid->AddColumn(0, "B", 100);
  EXPECT_TRUE(pages.TabsShown());
  EXPECT_EQ(pages.CurrentIndex(), 1) << "a new page is not the current one";
  EXPECT_EQ(pages.Current()->grid->RowCount(), 0);
  pages.SetCurrent(0);
  EXPECT_EQ(pages.Current()->grid->CellText(0, 0), "one");
  EXPECT_EQ(pages.Current()->statement, "select a from s.t");
  pages.SetCurrent(5);  // no such page
  EXPECT_EQ(pages.CurrentIndex(), 0);
}

TEST_F(ResultPagesTest, TheNextRunReplacesThePagesNotPinned) {
  for (const char* title : {"a", "b", "c", "d"}) pages.Add(title);
  pages.SetPinned(1, true);
  pages.SetPinned(3, true);
  pages.SetCurrent(3);
  pages.ReplaceUnpinned();
  EXPECT_EQ(Titles(), (std::vector<std::string>{"b", "d"}));
  EXPECT_EQ(alive, 2) << "a replaced page kept its rows";
  EXPECT_EQ(pages.Current()->title, "d") << "the pinned page shown went away from view";
  pages.SetPinned(0, false);
  pages.SetPinned(1, false);
  pages.ReplaceUnpinned();
  EXPECT_EQ(pages.Count(), 0);
  EXPECT_EQ(pages.CurrentIndex(), -1);
  EXPECT_EQ(alive, 0);
}

TEST_F(ResultPagesTest, ClosingAPageFreesItsRowsAndShowsTheNext) {
  struct {
    const char* what;
    int current, closed;
    std::vector<std::string> left;
    const char* shown;
  } cases[] = {
      {"the current one: the next", 1, 1, {"a", "c"}, "c"},
      {"the current last one: the one before", 2, 2, {"a", "b"}, "b"},
      {"one before the current", 2, 0, {"b", "c"}, "c"},
      {"one after the current", 0, 2, {"a", "b"}, "a"},
      {"none such", 1, 7, {"a", "b", "c"}, "b"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    while (pages.Count() > 0) pages.Close(0);
    for (const char* title : {"a", "b", "c"}) pages.Add(title);
    pages.SetCurrent(c.current);
    pages.Close(c.closed);
    EXPECT_EQ(Titles(), c.left);
    EXPECT_EQ(pages.Current()->title, c.shown);
    EXPECT_EQ(alive, pages.Count());
  }
}

TEST(ScriptPagesNoteTest, SaysWhereTheResultsPastTheLimitWent) {
  EXPECT_EQ(ScriptPagesNote(kScriptPageLimit), "");
  EXPECT_EQ(ScriptPagesNote(kScriptPageLimit + 1),
            "The first 20 results have a page each; 1 more is counted in the report only.");
  EXPECT_EQ(ScriptPagesNote(25), "The first 20 results have a page each; 5 more are counted in the report only.");
}

// The grid the handlers see holds to the same behaviour as every grid.
class CurrentPageGridUnderTest : public testing::ReadBackOf<testing::CurrentMemoryGrid> {
 public:
  CurrentPageGridUnderTest() : ReadBackOf(grid_) {}

 private:
  ResultPages pages_ = testing::MemoryPages();
  testing::CurrentMemoryGrid grid_{pages_};
};

using testing::ResultGridContract;
INSTANTIATE_TEST_SUITE_P(CurrentPage, ResultGridContract,
                         ::testing::Values(testing::GridImplementation{
                             "CurrentPage", [] { return std::make_unique<CurrentPageGridUnderTest>(); }}),
                         testing::ImplementationName);

}  // namespace
}  // namespace zuno

#include "tools/popup_actions.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/handler_harness.h"
#include "tests/support/temp_dir.h"

namespace zuno {
namespace {

using testing::HandlerHarness;
using testing::ReadFileBytes;
using testing::TempDir;
using testing::WriteScript;

constexpr const char* kMarker = "\xC3\xBF";

struct PopupTest : ::testing::Test {
  TempDir work;
  TempDir bin;
  testing::ScopedCwd cwd{work.path()};
  testing::ScopedEnv path{"PATH", (bin.path() + ":/usr/bin:/bin").c_str()};
  HandlerHarness h;

  void SetUp() override {
    h.grid.AddColumn(0, "ID", 100);
    h.grid.AddColumn(1, "NAME", 100);
    h.grid.AddColumn(2, "NAME", 100);
    h.grid.AddColumn(3, "", 100);
    h.grid.AddColumn(4, "HIDDEN", 100);
    // The fill keeps the value beside a cell whose text is not the value.
    ResultRows rows;
    rows.AddCell("1");
    rows.AddCell(std::string("two") + kMarker + "lines", CellValue{"two\nlines"});
    for (const char* text : {"second", "x", "y"}) rows.AddCell(text);
    rows.EndRow();
    h.grid.AppendRows(std::move(rows));
    h.grid.AppendRow({"2", "Bob", "", "", ""});
    h.page().mode = GridMode::Query;  // the rows of h.page().statement
  }
  void Choose(int item, const std::string& title) {
    OnPopupItem(h.session, item);
    std::vector<std::string> items = h.ui.ListItems(kQueryNamesList);
    auto it = std::find(items.begin(), items.end(), title);
    h.ui.SelectListItem(kQueryNamesList, it == items.end() ? -1 : static_cast<int>(it - items.begin()));
    h.Click(kLibraryDeleteButton);  // "Select Column"
  }
};

TEST_F(PopupTest, TheChooserListsTheTitlesUpToTheFirstEmptyOne) {
  h.grid.SelectRow(0);
  OnPopupItem(h.session, kCopyToClipboard);
  EXPECT_TRUE(h.ui.libraryOpen);
  EXPECT_EQ(h.ui.libraryForm, Ui::LibraryForm::ColumnChooser);
  EXPECT_EQ(h.ui.Text(kLibraryDeleteButton), "Select Column");
  EXPECT_EQ(h.ui.ListItems(kQueryNamesList), (std::vector<std::string>{"ID", "NAME", "NAME"}));
}

TEST_F(PopupTest, CopyToClipboardTakesTheCellWithItsLineFeeds) {
  struct {
    const char* name;
    int selectedRow;
    const char* title;
    const char* clipboard;
  } cases[] = {
      {"the line feed comes back", 0, "NAME", "two\nlines"},
      {"two columns of one title: the first", 1, "NAME", "Bob"},
      {"nothing chosen: nothing copied", 0, "none", "untouched"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    h.ui.clipboard = "untouched";
    h.grid.SelectRow(c.selectedRow);
    Choose(kCopyToClipboard, c.title);
    EXPECT_EQ(h.ui.clipboard, c.clipboard);
    EXPECT_FALSE(h.ui.libraryOpen);  // closed in every case
  }
}

TEST_F(PopupTest, ShowInEditorOpensTheCellInTheExternalEditor) {
  WriteScript(bin.File("gedit"), "echo \"$@\" >\"" + bin.File("args") + "\"\ncp \"$2\" \"" + bin.File("seen") + "\"\n");
  h.grid.SelectRow(0);
  Choose(kShowInEditor, "NAME");
  EXPECT_TRUE(ReadFileBytes(bin.File("args")).ends_with("/zuno0.txt\n"));
  EXPECT_EQ(ReadFileBytes(bin.File("seen")), "two\nlines");
  EXPECT_EQ(h.ui.clipboard, "two\nlines");
  EXPECT_TRUE(std::filesystem::is_empty(work.path()));
}

TEST_F(PopupTest, CopyAndFormatPutsTheFormattedCellIntoTheEditor) {
  WriteScript(bin.File("sqlformat"), "tr a-z A-Z <\"$2\" >\"$2.new\" && mv \"$2.new\" \"$4\"\n");
  h.grid.SelectRow(1);
  Choose(kCopyAndFormat, "NAME");
  EXPECT_EQ(h.ui.Text(kSqlEditor), "BOB");
}

TEST_F(PopupTest, GeneratedStatementsGoToTheEditorThroughTheFormatter) {
  // A formatter that leaves the text alone shows the generator's own words.
  WriteScript(bin.File("sqlformat"), "exit 0\n");
  h.page().drilledTableSchema = "S";
  h.page().drilledTableName = "T";
  h.grid.SelectRow(1);
  h.page().statement = "select * from SCH.TAB where ID = 2";
  OnPopupItem(h.session, kGenerateDelete);
  EXPECT_EQ(h.ui.Text(kSqlEditor), "delete from SCH.TAB where ID = 2 and NAME = 'Bob' and NAME = ''");
  h.page().statement = "values 1";  // no "from": the drilled table
  OnPopupItem(h.session, kGenerateInsert);
  EXPECT_EQ(h.ui.Text(kSqlEditor), "insert into S.T (ID,NAME,NAME) Values (2,'Bob','')");
  EXPECT_EQ(h.ui.busyOpened, h.ui.busyClosed);
  h.page().mode = GridMode::ScriptReport;  // no table's rows: nothing to write
  OnPopupItem(h.session, kGenerateDelete);
  EXPECT_EQ(h.ui.messages.back(),
            "The grid shows a script's report, not the rows of a table: no statement was written.");
}

TEST_F(PopupTest, GeneratedStatementsTakeLineFeedsNullMarksAndTypesFromTheGrid) {
  WriteScript(bin.File("sqlformat"), "exit 0\n");
  h.page().statement = "select * from S.T";
  h.grid.SelectRow(0);
  OnPopupItem(h.session, kGenerateInsert);
  EXPECT_EQ(h.ui.Text(kSqlEditor), "insert into S.T (ID,NAME,NAME) Values (1,'two\nlines','second')")
      << "the line-break marker went into the statement";

  h.grid.SetColumnValueType(0, ValueType::Text);
  h.grid.SetColumnValueType(2, ValueType::Number);
  h.grid.MarkCellNull(0, 2);
  OnPopupItem(h.session, kGenerateDelete);
  EXPECT_EQ(h.ui.Text(kSqlEditor), "delete from S.T where ID = '1' and NAME = 'two\nlines' and NAME IS NULL");
}

TEST_F(PopupTest, AutosizeHidesEmptyColumnsAndFixedSizeShowsThemAgain) {
  OnPopupItem(h.session, kAutosizeColumns);
  std::vector<int> widths;
  std::vector<bool> visible;
  for (const auto& c : h.grid.columns()) {
    widths.push_back(c.width);
    visible.push_back(c.visible);
  }
  EXPECT_EQ(visible, (std::vector<bool>{true, true, true, true, true}));
  EXPECT_EQ(widths, (std::vector<int>{220, 220, 220, 220, 220}));

  h.grid.ClearRows();
  h.grid.AppendRow({"", std::string(30, 'x'), "", "", ""});
  OnPopupItem(h.session, kAutosizeColumns);
  EXPECT_FALSE(h.grid.columns()[0].visible);
  EXPECT_EQ(h.grid.columns()[1].width, 330);
  EXPECT_TRUE(h.grid.columns()[1].visible);

  OnPopupItem(h.session, kFixedColumnSize);
  for (const auto& c : h.grid.columns()) {
    EXPECT_TRUE(c.visible);
    EXPECT_EQ(c.width, 220);
  }
}

}  // namespace
}  // namespace zuno

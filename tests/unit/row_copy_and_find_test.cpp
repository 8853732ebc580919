// Ctrl+C, Copy Cell and Ctrl+F in the grid, on the in-memory grid.
#include <gtest/gtest.h>

#include "grid/row_order.h"
#include "tests/support/handler_harness.h"
#include "tools/popup_actions.h"
#include "tools/result_find.h"
#include "tools/row_copy.h"

namespace zuno {
namespace {

using testing::HandlerHarness;

struct RowCopyTest : ::testing::Test {
  HandlerHarness h;

  void SetUp() override {
    for (const char* title : {"ID", "NOTE", "DATA"}) h.grid.AddColumn(-1, title, 100);
    h.grid.SetColumnValueType(0, ValueType::Number);
    h.grid.SetColumnValueType(2, ValueType::Binary);
    ResultRows rows;
    rows.AddCell("   12345678901234567890.25");  // past a double's digits
    rows.AddCell("say \"hi\"\xC3\xBF" "bye", CellValue{"say \"hi\"\nbye"});
    rows.AddCell("binary Data", CellValue{"\x01\xAB", ValueKind::Binary});
    rows.EndRow();
    rows.AddCell("          -2");
    rows.AddCell("Null", true);
    rows.AddCell("binary Data", CellValue{{}, ValueKind::Unread});
    rows.EndRow();
    rows.AddCell("    3");
    rows.AddCell("Tab\there");
    rows.AddCell("Null", true);
    rows.EndRow();
    h.grid.AppendRows(std::move(rows));
  }
};

TEST_F(RowCopyTest, CtrlCCopiesTheSelectedRowsAsKeptUnderATitleLine) {
  h.grid.SelectRow(2);
  h.grid.AddToSelection(0);
  CopySelectedRows(h.session);
  EXPECT_EQ(h.ui.clipboard,
            "ID\tNOTE\tDATA\n"
            "12345678901234567890.25\t\"say \"\"hi\"\"\nbye\"\t01AB\n"
            "3\t\"Tab\there\"\t\n");
  EXPECT_TRUE(h.ui.messages.empty());

  h.grid.SelectRow(1);  // a value not read whole is no value to copy
  CopySelectedRows(h.session);
  EXPECT_EQ(h.ui.clipboard, "ID\tNOTE\tDATA\n-2\t\t\n");
  EXPECT_EQ(h.ui.messages.back(), "1 value was not fetched whole: their fields were copied empty.");

  h.ui.clipboard = "untouched";
  h.grid.SelectRow(-1);
  CopySelectedRows(h.session);
  EXPECT_EQ(h.ui.clipboard, "untouched");
  EXPECT_EQ(h.ui.messages.back(), "No row is selected: nothing was copied.");
}

TEST_F(RowCopyTest, CopyCellTakesTheCellUnderThePointer) {
  struct {
    int row, column;
    const char* clipboard;
    const char* message;
  } cases[] = {
      {0, 1, "say \"hi\"\nbye", nullptr},
      {0, 0, "12345678901234567890.25", nullptr},
      {0, 2, "01AB", nullptr},
      {1, 2, "untouched", "The value was not fetched whole: nothing was copied."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.clipboard);
    h.ui.clipboard = "untouched";
    h.ui.messages.clear();
    h.grid.SelectCell(c.row, c.column);
    OnPopupItem(h.session, kCopyCell);
    EXPECT_EQ(h.ui.clipboard, c.clipboard);
    EXPECT_EQ(h.ui.messages.empty(), c.message == nullptr);
  }
}

TEST_F(RowCopyTest, TheColumnChooserCopiesFromItsRowThoughTheRowsAreSortedMeanwhile) {
  h.grid.SetColumnOrder(0, ValueOrder::ExactNumber);
  h.grid.SelectRow(0);
  OnPopupItem(h.session, kCopyToClipboard);
  h.grid.SortRows(0, SortDirection::Ascending);  // the first row goes last
  h.ui.SelectListItem(kQueryNamesList, 1);
  OnColumnChooserSelect(h.session);
  EXPECT_EQ(h.ui.clipboard, "say \"hi\"\nbye");
}

TEST_F(RowCopyTest, FindGoesToTheNextCellHoldingTheTextInAnyCase) {
  h.grid.AppendRow({"4", "\xC3\x84rger", ""});
  struct {
    const char* text;
    int fromRow, fromColumn;
    int row, column;  // -1: none
  } cases[] = {
      {"HI", -1, 0, 0, 1},
      {"e", 0, 1, 2, 1},         // the next cell, not the one the cursor is on
      {"e", 3, 1, 0, 1},         // round to the first row
      {"\xC3\xA4R", -1, 0, 3, 1},  // a letter past ASCII, in its other case
      {"-2", -1, 0, 1, 0},
      {"nowhere", -1, 0, -1, -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const auto found = FindCell(h.grid, c.fromRow, c.fromColumn, c.text);
    ASSERT_EQ(found.has_value(), c.row >= 0);
    if (!found) continue;
    EXPECT_EQ(found->row, c.row);
    EXPECT_EQ(found->column, c.column);
  }
}

TEST_F(RowCopyTest, CtrlFAsksSelectsAndSaysWhenThereIsNone) {
  h.ui.textAnswers = {"tab", "missing"};
  FindInResult(h.session);
  EXPECT_EQ(h.grid.SelectedRow(), 2);
  EXPECT_EQ(h.grid.CursorColumn(), 1);
  FindInResult(h.session);
  EXPECT_EQ(h.ui.prompts.back(), "ZUNO - Find in Result|Find:|tab") << "the last text is not offered";
  EXPECT_EQ(h.ui.messages.back(), "\"missing\" was not found in the result.");
  EXPECT_EQ(h.grid.SelectedRow(), 2) << "a failed find moved the selection";
}

TEST(RowOrderTest, NumbersCompareExactlyWhateverTheirForm) {
  struct {
    const char* lower;
    const char* higher;
  } cases[] = {
      {"-10", "-9"},      {"-1.55", "-1.5"},   {"-0.01", "-0.001"}, {"-0.001", "0"},
      {"0", "0.001"},     {"0.001", "0.01"},   {"1.5", "1.55"},     {"9", "10"},
      {"9223372036854775806", "9223372036854775807"},
      {"99999999999999999999999999999.8", "99999999999999999999999999999.9"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.lower) + " < " + c.higher);
    const OrderKey lower = MakeOrderKey(CellValue{c.lower}, false, ValueOrder::ExactNumber);
    const OrderKey higher = MakeOrderKey(CellValue{c.higher}, false, ValueOrder::ExactNumber);
    EXPECT_EQ(lower.rank, 0);
    EXPECT_LT(lower.bytes, higher.bytes);
  }
  for (const char* same : {"  007.500", "7.5", "+7.50"})
    EXPECT_EQ(MakeOrderKey(CellValue{same}, false, ValueOrder::ExactNumber).bytes,
              MakeOrderKey(CellValue{"7.5"}, false, ValueOrder::ExactNumber).bytes);
  EXPECT_EQ(MakeOrderKey(CellValue{"-0.0"}, false, ValueOrder::ExactNumber).bytes, "1");
  EXPECT_EQ(MakeOrderKey(CellValue{"Read error"}, false, ValueOrder::ExactNumber).rank, 1);
}

}  // namespace
}  // namespace zuno

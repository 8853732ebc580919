// Each case runs on a fresh grid of the implementation under test. Cases that
// change the grid in steps run twice: once straight through, as a handler does
// it, and once letting the toolkit run between the steps.
#include "tests/grid/result_grid_contract.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace zuno::testing {
namespace {

constexpr Rgb kRed = MakeRgb(255, 0, 0);
constexpr Rgb kBlue = MakeRgb(0, 0, 255);
constexpr Rgb kCatalogGrey = MakeRgb(250, 250, 250);
constexpr Rgb kBlack = MakeRgb(0, 0, 0);
constexpr Rgb kUneven = MakeRgb(1, 128, 254);

std::string Text(int row, int column) {
  return "r" + std::to_string(row) + "c" + std::to_string(column);
}

void AddColumns(ResultGrid& g, const std::vector<std::string>& titles, int width = 100) {
  for (const std::string& t : titles) g.AddColumn(g.ColumnCount(), t, width);
}

void AppendRows(ResultGrid& g, int count) {
  for (int i = 0; i < count; ++i) {
    int row = g.RowCount();
    std::vector<std::string> texts;
    for (int c = 0; c < g.ColumnCount(); ++c) texts.push_back(Text(row, c));
    g.AppendRow(texts);
  }
}

std::vector<std::string> Titles(const ResultGrid& g) {
  // As the callers do: walk from 0 until the empty title.
  std::vector<std::string> titles;
  for (int c = 0; !g.ColumnTitle(c).empty(); ++c) titles.push_back(g.ColumnTitle(c));
  return titles;
}

std::vector<std::string> Row(const ResultGrid& g, int row) {
  std::vector<std::string> cells;
  for (int c = 0; c < g.ColumnCount(); ++c) cells.push_back(g.CellText(row, c));
  return cells;
}

TEST_P(ResultGridContract, ReadsOutOfRangeGiveTheEmptyText) {
  auto under = Fresh();
  ResultGrid& g = under->grid();
  EXPECT_EQ(g.RowCount(), 0);
  EXPECT_EQ(g.ColumnCount(), 0);
  EXPECT_EQ(g.ColumnTitle(0), "");
  EXPECT_EQ(g.CellText(-1, 0), "");
  EXPECT_EQ(g.CellText(0, 0), "");
  EXPECT_EQ(g.SelectedRow(), -1);

  AddColumns(g, {"ID", "NAME"});
  g.AppendRow({"1", "one"});
  g.AppendRow({"2", "two"});
  struct {
    const char* fault;
    int row, column;
    const char* text;
  } cases[] = {
      {"row -1 does not give the title", -1, 0, "ID"},
      {"row -1 gives another column's title", -1, 1, "NAME"},
      {"the title one past the last column is not empty", -1, 2, ""},
      {"a negative column has a title", -1, -1, ""},
      {"a cell is not where it was appended", 1, 1, "two"},
      {"the row count is read as a row", 2, 0, ""},
      {"a row below -1 is read", -2, 0, ""},
      {"a column past the last is read", 0, 2, ""},
      {"a negative column is read", 0, -1, ""},
      {"a row far past the end is read", 1000, 1, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(g.CellText(c.row, c.column), c.text) << c.fault;
  EXPECT_EQ(g.ColumnTitle(2), "") << "the column count has a title";
  EXPECT_EQ(g.ColumnTitle(-1), "");
  EXPECT_EQ(Titles(g), (std::vector<std::string>{"ID", "NAME"})) << "walking the titles does not stop";
}

TEST_P(ResultGridContract, AddColumnAppendsOutOfRangeAndInsertsInTheMiddle) {
  using Strings = std::vector<std::string>;
  const Strings appended{"A", "B", "C", "N"};
  const Strings appendedRow{"r1c0", "r1c1", "r1c2", ""};
  struct {
    const char* fault;
    int position;
    int added;  // where the new column stands
    Strings titles;
    Strings row1;
    int columnB;  // where column B stands afterwards
  } cases[] = {
      {"a negative position is not appended", -1, 3, appended, appendedRow, 1},
      {"a far negative position is not appended", -100, 3, appended, appendedRow, 1},
      {"the column count is not appended", 3, 3, appended, appendedRow, 1},
      {"one past the count is not appended", 4, 3, appended, appendedRow, 1},
      {"far past the count is not appended", 1000, 3, appended, appendedRow, 1},
      {"position 0 does not come first", 0, 0, {"N", "A", "B", "C"}, {"", "r1c0", "r1c1", "r1c2"}, 2},
      {"cells do not shift with their columns", 1, 1, {"A", "N", "B", "C"}, {"r1c0", "", "r1c1", "r1c2"}, 2},
      {"the last column does not shift", 2, 2, {"A", "B", "N", "C"}, {"r1c0", "r1c1", "", "r1c2"}, 1},
  };
  for (bool settle : {false, true}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(c.fault) + (settle ? ", toolkit run between the steps" : ""));
      auto under = Fresh();
      ResultGrid& g = under->grid();
      AddColumns(g, {"A", "B", "C"});
      AppendRows(g, 2);
      g.SetColumnBackground(1, kRed);
      g.SelectRow(1);
      if (settle) under->Settle();
      g.AddColumn(c.position, "N", 150);
      if (settle) under->Settle();
      ASSERT_EQ(g.ColumnCount(), 4);
      EXPECT_EQ(Titles(g), c.titles);
      EXPECT_EQ(Row(g, 1), c.row1);
      EXPECT_EQ(g.RowCount(), 2);
      EXPECT_EQ(g.SelectedRow(), 1) << "a new column moved the selection";
      for (int col = 0; col < 4; ++col) {
        EXPECT_EQ(under->ColumnWidth(col), col == c.added ? 150 : 100) << "width of column " << col;
        EXPECT_TRUE(under->ColumnVisible(col));
      }
      for (int row = 0; row < 2; ++row) {
        for (int col = 0; col < 4; ++col) {
          std::optional<Rgb> expected;
          if (col == c.columnB) expected = kRed;
          EXPECT_EQ(under->Background(row, col), expected)
              << "colour of row " << row << " column " << col;
        }
      }
    }
  }
}

TEST_P(ResultGridContract, AppendRowFillsTheColumnsInOrder) {
  using Strings = std::vector<std::string>;
  struct {
    const char* fault;
    Strings texts;
    Strings cells;
  } cases[] = {
      {"no texts leave something in the cells", {}, {"", "", ""}},
      {"missing texts are not left empty", {"x"}, {"x", "", ""}},
      {"texts land in the wrong columns", {"x", "y", "z"}, {"x", "y", "z"}},
      {"surplus texts spill into the row", {"x", "y", "z", "w", "v"}, {"x", "y", "z"}},
      {"an empty text shifts the rest", {"", "y"}, {"", "y", ""}},
      {"the line-break marker or other non-ASCII text is changed",
       {"zwei\xC3\xBFZeilen", "\xC3\x84rger", "   7"},
       {"zwei\xC3\xBFZeilen", "\xC3\x84rger", "   7"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.fault);
    auto under = Fresh();
    ResultGrid& g = under->grid();
    AddColumns(g, {"A", "B", "C"});
    g.AppendRow({"first", "row", "here"});
    g.AppendRow(c.texts);
    EXPECT_EQ(g.RowCount(), 2);
    EXPECT_EQ(g.ColumnCount(), 3) << "texts added columns";
    EXPECT_EQ(Row(g, 1), c.cells);
    EXPECT_EQ(g.CellText(1, 3), "");
    EXPECT_EQ(Row(g, 0), (Strings{"first", "row", "here"})) << "the row was not appended at the end";
  }
}

TEST_P(ResultGridContract, ClearRowsKeepsTheColumns) {
  for (bool settle : {false, true}) {
    SCOPED_TRACE(settle ? "toolkit run between the steps" : "straight through");
    auto under = Fresh();
    ResultGrid& g = under->grid();
    AddColumns(g, {"A", "B", "C"}, 120);
    g.SetColumnWidth(1, 0);
    g.SetColumnWidth(2, 220);
    AppendRows(g, 5);
    g.SetColumnBackground(0, kRed);
    g.SelectRow(3);
    if (settle) under->Settle();
    g.ClearRows();
    EXPECT_EQ(g.RowCount(), 0);
    EXPECT_EQ(g.SelectedRow(), -1) << "a removed row stays selected";
    if (settle) under->Settle();
    EXPECT_EQ(g.SelectedRow(), -1);
    EXPECT_EQ(g.CellText(0, 0), "");
    EXPECT_EQ(Titles(g), (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_EQ(under->ColumnWidth(0), 120);
    EXPECT_FALSE(under->ColumnVisible(1)) << "clearing rows showed a hidden column";
    EXPECT_EQ(under->ColumnWidth(2), 220);
    g.AppendRow({"x", "y", "z"});
    EXPECT_EQ(Row(g, 0), (std::vector<std::string>{"x", "y", "z"}));
    EXPECT_EQ(under->Background(0, 0), std::nullopt) << "a new row took the old rows' colour";
  }
}

// An export reads row after row, a popup action one row, a drill-down jumps:
// each read gives what the grid holds at that moment, also when the rows were
// replaced or moved to a wider store since the read before.
TEST_P(ResultGridContract, ReadsInAnyOrderGiveTheRowsHeldNow) {
  auto under = Fresh();
  ResultGrid& g = under->grid();
  AddColumns(g, {"A", "B"});
  AppendRows(g, 6);
  for (int row : {0, 1, 2, 2, 5, 4, 0, 1})
    EXPECT_EQ(g.CellText(row, 1), Text(row, 1)) << "row " << row << " of a walk back and forth";

  // The reads after each change start where the reads before it stopped.
  g.ClearRows();
  g.AppendRow({"new0", "new1"});
  g.AppendRow({"next0", "next1"});
  EXPECT_EQ(g.CellText(1, 1), "next1") << "a read after ClearRows gave a row of the rows before";
  EXPECT_EQ(g.CellText(0, 1), "new1");
  g.ClearRows();
  g.AppendRow({"only0", "only1"});
  EXPECT_EQ(g.CellText(1, 0), "") << "a cleared row is still read";
  EXPECT_EQ(g.CellText(0, 0), "only0");
  g.AppendRow({"more0", "more1"});
  EXPECT_EQ(g.CellText(1, 0), "more0") << "a row appended after the last read is not found";
  g.AddColumn(2, "C", 100);
  EXPECT_EQ(g.CellText(1, 1), "more1") << "a read after a column was added gave a stale row";
  EXPECT_EQ(g.CellText(1, 2), "");
  EXPECT_EQ(g.CellText(2, 0), "") << "the row count is read as a row";
}

TEST_P(ResultGridContract, NewColumnsAfterRemoveAllColumnsShowNoOldTexts) {
  struct {
    const char* fault;
    int columns;
  } cases[] = {
      {"old texts show in fewer new columns", 1},
      {"old texts show in as many new columns", 3},
      {"old texts show or get lost when the grid grows wider than before", 5},
  };
  for (bool settle : {false, true}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(c.fault) + (settle ? ", toolkit run between the steps" : ""));
      auto under = Fresh();
      ResultGrid& g = under->grid();
      AddColumns(g, {"A", "B", "C"});
      AppendRows(g, 2);
      g.SetColumnBackground(1, kRed);
      g.SetColumnWidth(0, 0);
      if (settle) under->Settle();
      g.RemoveAllColumns();
      EXPECT_EQ(g.ColumnCount(), 0);
      EXPECT_EQ(g.ColumnTitle(0), "");
      EXPECT_EQ(g.CellText(0, 0), "");
      EXPECT_EQ(g.RowCount(), 2) << "rows are the caller's to clear";
      if (settle) under->Settle();
      for (int i = 0; i < c.columns; ++i) g.AddColumn(i, "N" + std::to_string(i), 90);
      ASSERT_EQ(g.ColumnCount(), c.columns);
      for (int row = 0; row < 2; ++row) {
        for (int col = 0; col < c.columns; ++col) {
          EXPECT_EQ(g.CellText(row, col), "") << "row " << row << " column " << col;
          EXPECT_EQ(under->Background(row, col), std::nullopt) << "row " << row << " column " << col;
        }
      }
      for (int col = 0; col < c.columns; ++col) {
        EXPECT_TRUE(under->ColumnVisible(col)) << "a new column inherited a hidden one's state";
        EXPECT_EQ(under->ColumnWidth(col), 90);
      }
      AppendRows(g, 1);
      EXPECT_EQ(g.CellText(2, c.columns - 1), Text(2, c.columns - 1));
    }
  }
}

TEST_P(ResultGridContract, SetColumnWidthHidesBelowOneAndShowsAtTheWidth) {
  struct {
    const char* fault;
    std::vector<int> widths;
    bool visible;
    int width;  // checked when visible
  } cases[] = {
      {"0 does not hide", {0}, false, 0},
      {"a negative width does not hide", {-5}, false, 0},
      {"220 does not show a hidden column again", {0, 220}, true, 220},
      {"1 is taken for hiding", {1}, true, 1},
      {"a width is not taken", {150}, true, 150},
      {"hiding loses the next width", {150, 0, 300}, true, 300},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.fault);
    auto under = Fresh();
    ResultGrid& g = under->grid();
    AddColumns(g, {"A", "B", "C"});
    AppendRows(g, 2);
    for (int w : c.widths) g.SetColumnWidth(1, w);
    EXPECT_EQ(under->ColumnVisible(1), c.visible);
    if (c.visible) {
      EXPECT_EQ(under->ColumnWidth(1), c.width);
    }
    // Hidden, not removed: its title and cells stay readable.
    EXPECT_EQ(g.ColumnCount(), 3);
    EXPECT_EQ(g.ColumnTitle(1), "B");
    EXPECT_EQ(g.CellText(-1, 1), "B");
    EXPECT_EQ(g.CellText(1, 1), Text(1, 1));
    for (int other : {0, 2}) {
      EXPECT_TRUE(under->ColumnVisible(other));
      EXPECT_EQ(under->ColumnWidth(other), 100);
    }
  }

  auto under = Fresh();
  AddColumns(under->grid(), {"A", "B"});
  for (int column : {-1, 2, 100}) under->grid().SetColumnWidth(column, 0);
  for (int column : {0, 1}) {
    EXPECT_TRUE(under->ColumnVisible(column)) << "a column out of range hid column " << column;
    EXPECT_EQ(under->ColumnWidth(column), 100);
  }
  EXPECT_EQ(under->grid().ColumnCount(), 2);
}

TEST_P(ResultGridContract, SetColumnBackgroundColoursOnlyTheRowsPresentAtTheCall) {
  // Steps: append rows, or colour column 0; the expectation is column 0's
  // colour in each row at the end. Column 1 never gets a colour.
  struct Step {
    int rows;  // appended when above 0
    Rgb colour;
  };
  using Colours = std::vector<std::optional<Rgb>>;
  std::optional<Rgb> none;
  struct {
    const char* fault;
    std::vector<Step> steps;
    Colours expected;
  } cases[] = {
      {"a colour before any row reaches later rows", {{0, kRed}, {2, 0}}, {none, none}},
      {"the rows present are not coloured", {{3, 0}, {0, kRed}}, {kRed, kRed, kRed}},
      {"rows appended later take the colour", {{2, 0}, {0, kRed}, {2, 0}}, {kRed, kRed, none, none}},
      {"a second colour does not replace the first", {{2, 0}, {0, kRed}, {0, kBlue}}, {kBlue, kBlue}},
      {"a second colour after more rows misses rows",
       {{1, 0}, {0, kRed}, {1, 0}, {0, kBlue}, {1, 0}},
       {kBlue, kBlue, none}},
      {"a first colour is lost under a later one for fewer rows",
       {{1, 0}, {0, kBlue}, {2, 0}, {0, kRed}},
       {kRed, kRed, kRed}},
      {"black is taken for no colour", {{2, 0}, {0, kBlack}}, {kBlack, kBlack}},
      {"channels are mixed up or rounded", {{1, 0}, {0, kUneven}, {0, kCatalogGrey}, {1, 0}, {0, kUneven}},
       {kUneven, kUneven}},
  };
  for (bool settle : {false, true}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(c.fault) + (settle ? ", toolkit run between the steps" : ""));
      auto under = Fresh();
      ResultGrid& g = under->grid();
      AddColumns(g, {"A", "B"});
      for (const Step& s : c.steps) {
        if (s.rows > 0) {
          AppendRows(g, s.rows);
        } else {
          g.SetColumnBackground(0, s.colour);
        }
        if (settle) under->Settle();
      }
      ASSERT_EQ(g.RowCount(), static_cast<int>(c.expected.size()));
      for (int row = 0; row < g.RowCount(); ++row) {
        EXPECT_EQ(under->Background(row, 0), c.expected[row]) << "row " << row;
        EXPECT_EQ(under->Background(row, 1), std::nullopt) << "column 1 of row " << row;
        EXPECT_EQ(g.CellText(row, 0), Text(row, 0)) << "colouring changed a text";
      }
    }
  }

  auto under = Fresh();
  AddColumns(under->grid(), {"A", "B"});
  AppendRows(under->grid(), 1);
  for (int column : {-1, 2}) under->grid().SetColumnBackground(column, kRed);
  EXPECT_EQ(under->Background(0, 0), std::nullopt) << "a column out of range coloured another";
  EXPECT_EQ(under->Background(0, 1), std::nullopt) << "a column out of range coloured another";
}

// Rows that come in pieces while the user works in the grid, a piece small
// or large beside the rows shown, keep the selection where it was.
TEST_P(ResultGridContract, RowsAppendedInPiecesKeepTheSelection) {
  const auto piece = [](int from, int count) {
    ResultRows rows;
    for (int r = from; r < from + count; ++r) rows.AddCell(Text(r, 0)), rows.EndRow();
    return rows;
  };
  for (int count : {1, 50}) {
    SCOPED_TRACE("a piece of " + std::to_string(count) + " rows after 10");
    auto under = Fresh();
    ResultGrid& g = under->grid();
    AddColumns(g, {"A"});
    g.AppendRows(piece(0, 10));
    under->Settle();
    g.SelectRow(3);
    g.AddToSelection(5);
    under->Settle();
    g.AppendRows(piece(10, count));
    under->Settle();
    EXPECT_EQ(g.SelectedRows(), (std::vector<int>{3, 5}));
    ASSERT_EQ(g.RowCount(), 10 + count);
    for (int r = 0; r < g.RowCount(); ++r) EXPECT_EQ(g.CellText(r, 0), Text(r, 0)) << "row " << r;
  }
}

TEST_P(ResultGridContract, SelectRowSelectsOnlyRowsThatExist) {
  struct {
    const char* fault;
    std::vector<int> rows;
    int selected;
  } cases[] = {
      {"a row is selected at the start", {}, -1},
      {"a row is not selected", {1}, 1},
      {"the last row is refused", {2}, 2},
      {"the first row is refused", {0}, 0},
      {"-1 does not clear", {1, -1}, -1},
      {"any negative row does not clear", {2, -7}, -1},
      {"the row count clears or is selected", {1, 3}, 1},
      {"a far row clears the selection", {1, 1000}, 1},
      {"a second row does not replace the first", {0, 2}, 2},
  };
  for (bool hideFirstColumn : {false, true}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(c.fault) + (hideFirstColumn ? ", first column hidden" : ""));
      auto under = Fresh();
      ResultGrid& g = under->grid();
      AddColumns(g, {"A", "B"});
      AppendRows(g, 3);
      if (hideFirstColumn) g.SetColumnWidth(0, 0);
      for (int row : c.rows) g.SelectRow(row);
      EXPECT_EQ(g.SelectedRow(), c.selected);
      under->Settle();
      EXPECT_EQ(g.SelectedRow(), c.selected) << "after the toolkit ran";
    }
  }
}

TEST_P(ResultGridContract, TheSelectionOutlivesEverythingButClearRows) {
  for (bool settle : {false, true}) {
    SCOPED_TRACE(settle ? "toolkit run between the steps" : "straight through");
    auto under = Fresh();
    ResultGrid& g = under->grid();
    AddColumns(g, {"A", "B"});
    AppendRows(g, 4);
    g.SelectRow(2);
    const std::pair<const char*, std::function<void()>> steps[] = {
        {"appending a row", [&] { AppendRows(g, 1); }},
        {"adding a first column", [&] { g.AddColumn(0, "Z", 100); }},
        {"adding a last column", [&] { g.AddColumn(-1, "Y", 100); }},
        {"hiding a column", [&] { g.SetColumnWidth(0, 0); }},
        {"colouring a column", [&] { g.SetColumnBackground(1, kRed); }},
        {"hiding the grid", [&] { g.SetGridVisible(false); }},
        {"showing the grid", [&] { g.SetGridVisible(true); }},
        {"selecting a row that does not exist", [&] { g.SelectRow(g.RowCount()); }},
    };
    for (const auto& [what, step] : steps) {
      step();
      if (settle) under->Settle();
      EXPECT_EQ(g.SelectedRow(), 2) << what << " moved the selection";
    }
    g.ClearRows();
    EXPECT_EQ(g.SelectedRow(), -1);
  }
}

TEST_P(ResultGridContract, AHiddenGridTakesEveryOperation) {
  auto under = Fresh();
  ResultGrid& g = under->grid();
  EXPECT_TRUE(under->GridVisible());
  g.SetGridVisible(false);
  EXPECT_FALSE(under->GridVisible());
  AddColumns(g, {"A", "B"});
  AppendRows(g, 20);
  g.SetColumnBackground(1, kBlue);
  g.SetColumnWidth(0, 50);
  g.SelectRow(12);
  under->Settle();
  EXPECT_FALSE(under->GridVisible());
  EXPECT_EQ(g.SelectedRow(), 12);
  g.SetGridVisible(true);
  EXPECT_TRUE(under->GridVisible());
  under->Settle();
  EXPECT_EQ(g.SelectedRow(), 12);
  EXPECT_EQ(g.RowCount(), 20);
  EXPECT_EQ(g.CellText(19, 1), Text(19, 1));
  EXPECT_EQ(under->Background(19, 1), kBlue);
  EXPECT_EQ(under->ColumnWidth(0), 50);
}

TEST_P(ResultGridContract, ARefillIsReadableAndSelectableAtOnce) {
  // The producers' sequence, twice, with nothing in between that lets the
  // toolkit run: the second round also clears a full grid.
  auto under = Fresh();
  ResultGrid& g = under->grid();
  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    g.ClearRows();
    EXPECT_EQ(g.SelectedRow(), -1);
    g.RemoveAllColumns();
    for (int c = 0; c < 3 + round; ++c) g.AddColumn(c, "COL" + std::to_string(c), 100);
    for (int r = 0; r < 1000; ++r) {
      std::vector<std::string> texts;
      for (int c = 0; c < 3 + round; ++c) texts.push_back(std::to_string(round) + Text(r, c));
      g.AppendRow(texts);
    }
    for (int c = 0; c < 3 + round; ++c) g.SetColumnBackground(c, kCatalogGrey);
    g.SelectRow(500);
    EXPECT_EQ(g.SelectedRow(), 500);
    EXPECT_EQ(g.RowCount(), 1000);
    EXPECT_EQ(g.CellText(999, 2 + round), std::to_string(round) + Text(999, 2 + round));
    EXPECT_EQ(under->Background(999, 2 + round), kCatalogGrey);
    under->Settle();
    EXPECT_EQ(g.SelectedRow(), 500);
    EXPECT_EQ(g.CellText(0, 0), std::to_string(round) + Text(0, 0));
  }
}

// A whole result goes in at once, as the producers give it: taken over when
// the grid is empty, added after the rows there otherwise; the NULL flags
// stay readable with the texts.
TEST_P(ResultGridContract, AResultOfAHundredThousandRowsGoesInWhole) {
  constexpr int kRows = 100000;
  auto under = Fresh();
  ResultGrid& g = under->grid();
  AddColumns(g, {"ID", "NAME", "NOTE"});
  ResultRows rows;
  for (int r = 0; r < kRows; ++r) {
    rows.AddCell(std::to_string(r));
    rows.AddCell(Text(r, 1));
    if (r % 3 == 0)
      rows.AddCell("Null", true);
    else
      rows.AddCell(Text(r, 2));
    rows.EndRow();
  }
  const std::size_t bytes = rows.TextBytes();
  g.AppendRows(std::move(rows));
  ASSERT_EQ(g.RowCount(), kRows);
  EXPECT_EQ(g.Rows().TextBytes(), bytes);
  g.SetColumnBackground(0, kCatalogGrey);
  g.SelectRow(kRows / 2);
  for (bool settle : {false, true}) {
    SCOPED_TRACE(settle ? "after the toolkit ran" : "at once");
    if (settle) under->Settle();
    EXPECT_EQ(g.SelectedRow(), kRows / 2);
    for (int r : {0, 1, kRows / 2, kRows - 2, kRows - 1}) {
      EXPECT_EQ(g.CellText(r, 0), std::to_string(r));
      EXPECT_EQ(g.CellText(r, 1), Text(r, 1));
      EXPECT_EQ(g.CellText(r, 2), r % 3 == 0 ? "Null" : Text(r, 2));
      EXPECT_EQ(g.Rows().IsNull(static_cast<std::size_t>(r), 2), r % 3 == 0) << "row " << r;
      EXPECT_FALSE(g.Rows().IsNull(static_cast<std::size_t>(r), 1)) << "row " << r;
      EXPECT_EQ(under->Background(r, 0), kCatalogGrey);
    }
  }
  EXPECT_EQ(g.CellText(kRows, 0), "");

  // More rows after those: appended, the selection kept, no colour.
  ResultRows more;
  more.AddCell("last");
  more.EndRow();
  g.AppendRows(std::move(more));
  under->Settle();
  EXPECT_EQ(g.RowCount(), kRows + 1);
  EXPECT_EQ(g.CellText(kRows, 0), "last");
  EXPECT_EQ(g.CellText(kRows, 1), "");
  EXPECT_EQ(under->Background(kRows, 0), std::nullopt);
  EXPECT_EQ(g.SelectedRow(), kRows / 2) << "appending rows moved the selection";
}

// The user has picked a row; the next run empties the grid before its new
// rows arrive. Nothing of the old rows or the old selection may be read,
// whether or not the toolkit runs in between.
TEST_P(ResultGridContract, AGridEmptiedUnderASelectionForgetsIt) {
  for (bool settle : {false, true}) {
    SCOPED_TRACE(settle ? "toolkit run between the steps" : "straight through");
    auto under = Fresh();
    ResultGrid& g = under->grid();
    AddColumns(g, {"A", "B"});
    AppendRows(g, 30);
    g.SelectRow(20);
    under->Settle();
    ASSERT_EQ(g.SelectedRow(), 20);
    g.ClearRows();
    EXPECT_EQ(g.SelectedRow(), -1);
    EXPECT_EQ(g.CellText(20, 0), "");
    if (settle) under->Settle();
    g.RemoveAllColumns();
    AddColumns(g, {"C"});
    ResultRows rows;
    for (int r = 0; r < 25; ++r) {
      rows.AddCell("new" + std::to_string(r));
      rows.EndRow();
    }
    g.AppendRows(std::move(rows));
    if (settle) under->Settle();
    EXPECT_EQ(g.SelectedRow(), -1) << "the old selection came back over the new rows";
    EXPECT_EQ(g.RowCount(), 25);
    EXPECT_EQ(g.CellText(20, 0), "new20");
    EXPECT_EQ(g.CellText(20, 1), "");
    g.SelectRow(24);
    under->Settle();
    EXPECT_EQ(g.SelectedRow(), 24);
  }
}

TEST_P(ResultGridContract, ASelectionMadeRightAfterAFillGoesWithItsRows) {
  // The producers select a row of a fill before the toolkit has run.
  const std::pair<const char*, std::function<void(ResultGrid&)>> after[] = {
      {"emptying the grid", [](ResultGrid& g) { g.ClearRows(); }},
      {"a refill", [](ResultGrid& g) {
         g.ClearRows();
         g.RemoveAllColumns();
         AddColumns(g, {"C"});
         AppendRows(g, 40);
       }},
  };
  for (const auto& [what, step] : after) {
    SCOPED_TRACE(what);
    auto under = Fresh();
    ResultGrid& g = under->grid();
    AddColumns(g, {"A", "B"});
    AppendRows(g, 30);
    g.SelectRow(20);
    step(g);
    EXPECT_EQ(g.SelectedRow(), -1);
    under->Settle();
    EXPECT_EQ(g.SelectedRow(), -1) << "the old selection came back after the toolkit ran";
  }
}

TEST_P(ResultGridContract, RowsWithoutColumnsHaveNoCells) {
  auto under = Fresh();
  ResultGrid& g = under->grid();
  g.AppendRow({"x", "y"});
  EXPECT_EQ(g.RowCount(), 1);
  EXPECT_EQ(g.CellText(0, 0), "");
  g.SelectRow(0);
  EXPECT_EQ(g.SelectedRow(), 0);
  g.AddColumn(0, "A", 100);
  EXPECT_EQ(g.CellText(0, 0), "") << "a text given before its column exists showed up";
  EXPECT_EQ(g.SelectedRow(), 0);
}

// The fill records which cells were NULL and what each column holds; both go
// with their cells and columns through every later operation.
TEST_P(ResultGridContract, NullMarksAndValueTypesGoWithTheirCellsAndColumns) {
  for (bool settle : {false, true}) {
    SCOPED_TRACE(settle ? "toolkit run between the steps" : "straight through");
    auto under = Fresh();
    ResultGrid& g = under->grid();
    AddColumns(g, {"ID", "NOTE"});
    EXPECT_EQ(g.ColumnValueType(0), ValueType::Unknown) << "a new column has a type";
    g.SetColumnValueType(0, ValueType::Number);
    g.SetColumnValueType(1, ValueType::Text);
    g.SetColumnValueType(2, ValueType::Number);  // no such column
    g.AppendRow({"       Null", "Null"});
    g.AppendRow({"          1", "x"});
    g.MarkCellNull(0, 0);
    g.MarkCellNull(5, 0);   // no such row
    g.MarkCellNull(1, 2);   // no such column
    g.MarkCellNull(-1, 1);  // the titles
    if (settle) under->Settle();
    struct {
      const char* fault;
      int row, column;
      bool null;
    } cells[] = {
        {"marked cell not NULL", 0, 0, true},
        {"the text Null taken for NULL", 0, 1, false},
        {"an unmarked cell is NULL", 1, 0, false},
        {"a mark out of range landed on a cell", 1, 1, false},
        {"a row out of range is NULL", 5, 0, false},
        {"a column out of range is NULL", 1, 2, false},
        {"a title is NULL", -1, 1, false},
    };
    for (const auto& c : cells) EXPECT_EQ(g.CellIsNull(c.row, c.column), c.null) << c.fault;
    EXPECT_EQ(g.ColumnValueType(0), ValueType::Number);
    EXPECT_EQ(g.ColumnValueType(1), ValueType::Text);
    EXPECT_EQ(g.ColumnValueType(2), ValueType::Unknown) << "a type out of range was kept";

    g.AddColumn(0, "FIRST", 100);  // the marks and types move with their columns
    EXPECT_TRUE(g.CellIsNull(0, 1)) << "the mark stayed behind an inserted column";
    EXPECT_FALSE(g.CellIsNull(0, 0)) << "the inserted column took the mark";
    EXPECT_EQ(g.ColumnValueType(0), ValueType::Unknown);
    EXPECT_EQ(g.ColumnValueType(1), ValueType::Number);
    EXPECT_EQ(g.ColumnValueType(2), ValueType::Text);

    g.ClearRows();
    g.AppendRow({"", "          2", "y"});
    EXPECT_FALSE(g.CellIsNull(0, 1)) << "a cleared row's mark reached the new row";
    EXPECT_EQ(g.ColumnValueType(1), ValueType::Number) << "clearing rows dropped the type";

    g.MarkCellNull(0, 1);
    g.ClearRows();
    g.RemoveAllColumns();
    AddColumns(g, {"A", "B"});
    g.AppendRow({"Null", "Null"});
    EXPECT_FALSE(g.CellIsNull(0, 1)) << "a mark outlived its columns";
    EXPECT_EQ(g.ColumnValueType(0), ValueType::Unknown) << "a type outlived its column";
    EXPECT_EQ(g.ColumnValueType(1), ValueType::Unknown) << "a type outlived its column";
  }
}


// One column of values of a kind, fetched in this order, with the order a
// sort by them gives: each value by what it is, not by the text its cell
// shows; what is not known and NULL last in either direction.
struct Fetched {
  const char* text;
  const char* kept = nullptr;  // the value as fetched, where the text is not it
  bool null = false;
  bool unread = false;
};
struct KindCase {
  const char* kind;
  ValueOrder order;
  std::vector<Fetched> values;
  std::vector<int> ascending;  // the fetched rows, values first, then the last ones
  int last = 0;                // how many rows at the end stay there both ways
};

const std::vector<KindCase>& KindCases() {
  static const std::vector<KindCase> cases = {
      {"exact numbers: DECIMAL past a double's digits, BIGINT's ends",
       ValueOrder::ExactNumber,
       {{"                   10"}, {"-9223372036854775808"}, {" 9223372036854775807"}, {" 9223372036854775806"},
        {"12345678901234567890123456789.01"}, {"12345678901234567890123456789.009"}, {"   -0.5"},
        {"       Null", nullptr, true}, {"  0"}, {"  -0.25"}, {"  2"}},
       {1, 6, 9, 8, 10, 0, 3, 2, 5, 4, 7}, 1},
      {"doubles by the value kept, not the rounded text", ValueOrder::FloatNumber,
       {{"   1.00"}, {"   1.00", "0.996"}, {"+Infinity"}, {"NaN"}, {"-Infinity"}, {"  1e+300"}, {"     -3"},
        {"   Null", nullptr, true}, {"    2.5"}},
       {4, 6, 1, 0, 8, 5, 2, 3, 7}, 1},
      {"dates shown DD.MM.YYYY in time order", ValueOrder::Date,
       {{"01.03.2024"}, {"Null", nullptr, true}, {"31.12.2023"}, {"15.01.2024"}, {"02.02.2024"}},
       {2, 3, 4, 0, 1}, 1},
      {"times", ValueOrder::Time,
       {{"23.59.59"}, {"00.00.01"}, {"Null", nullptr, true}, {"12.30.00"}}, {1, 3, 0, 2}, 1},
      {"timestamps to the fraction of a second", ValueOrder::Timestamp,
       {{"2024-03-01-10.00.00.500000"}, {"2024-03-01-10.00.00.123456"}, {"2023-12-31-23.59.59.999999"},
        {"2024-03-01-10.00.00.000000"}, {"Null", nullptr, true}},
       {2, 3, 1, 0, 4}, 1},
      {"texts; the text Null is no NULL", ValueOrder::Text,
       {{"banana"}, {"Null", nullptr, true}, {"apple"}, {"null"}, {"cherry"}}, {2, 0, 4, 3, 1}, 1},
      {"binary values by their bytes; one not read whole before NULL", ValueOrder::Binary,
       {{"binary Data", "\x01\x02"}, {"Null", nullptr, true}, {"binary Data", "\x01"}, {"binary Data", nullptr, false, true},
        {"binary Data", "\xFF"}, {"binary Data", "\x00\xFF"}},
       {5, 2, 0, 4, 3, 1}, 2},
  };
  return cases;
}

void FillKind(ResultGrid& g, const KindCase& c) {
  AddColumns(g, {"FETCHED", "VALUE"});
  g.SetColumnOrder(1, c.order);
  ResultRows rows;
  for (std::size_t r = 0; r < c.values.size(); ++r) {
    const Fetched& v = c.values[r];
    rows.AddCell(std::to_string(r));
    if (v.unread)
      rows.AddCell(v.text, CellValue{{}, ValueKind::Unread});
    else if (v.kept)
      rows.AddCell(v.text, CellValue{std::string_view(v.kept, std::char_traits<char>::length(v.kept) +
                                                                 (c.order == ValueOrder::Binary && v.kept[0] == 0 ? 2 : 0)),
                                     c.order == ValueOrder::Binary ? ValueKind::Binary : ValueKind::Text});
    else
      rows.AddCell(v.text, v.null);
    rows.EndRow();
  }
  g.AppendRows(std::move(rows));
}

std::vector<int> FetchedOrder(const ResultGrid& g) {
  std::vector<int> order;
  for (int r = 0; r < g.RowCount(); ++r) order.push_back(std::stoi(g.CellText(r, 0)));
  return order;
}

TEST_P(ResultGridContract, RowsSortByTheKindOfTheirValues) {
  for (const KindCase& c : KindCases()) {
    SCOPED_TRACE(c.kind);
    auto under = Fresh();
    ResultGrid& g = under->grid();
    FillKind(g, c);
    g.SortRows(1, SortDirection::Ascending);
    under->Settle();
    EXPECT_EQ(FetchedOrder(g), c.ascending);
    EXPECT_EQ(g.Sort().column, 1);
    EXPECT_EQ(g.Sort().direction, SortDirection::Ascending);

    std::vector<int> descending(c.ascending.rbegin() + c.last, c.ascending.rend());
    descending.insert(descending.end(), c.ascending.end() - c.last, c.ascending.end());
    g.SortRows(1, SortDirection::Descending);
    EXPECT_EQ(FetchedOrder(g), descending);
    for (int r = 0; r < g.RowCount(); ++r) {
      EXPECT_EQ(g.RowIdentity(r), std::stoi(g.CellText(r, 0))) << "row " << r;
      EXPECT_EQ(g.RowOfIdentity(g.RowIdentity(r)), r);
    }
    EXPECT_EQ(g.CellIsNull(g.RowOfIdentity(c.ascending.back()), 1), c.values[static_cast<std::size_t>(c.ascending.back())].null)
        << "the NULL mark stayed behind its row";

    g.SortRows(1, SortDirection::None);
    under->Settle();
    std::vector<int> fetched(c.values.size());
    for (std::size_t i = 0; i < fetched.size(); ++i) fetched[i] = static_cast<int>(i);
    EXPECT_EQ(FetchedOrder(g), fetched);
    EXPECT_EQ(g.Sort().column, -1);
  }
}

TEST_P(ResultGridContract, EqualValuesKeepTheOrderFetchedBothWays) {
  auto under = Fresh();
  ResultGrid& g = under->grid();
  AddColumns(g, {"FETCHED", "VALUE"});
  for (const char* v : {"b", "a", "b", "a", "c"}) g.AppendRow({std::to_string(g.RowCount()), v});
  g.SortRows(1, SortDirection::Descending);
  EXPECT_EQ(FetchedOrder(g), (std::vector<int>{4, 0, 2, 1, 3}));
  g.SortRows(1, SortDirection::Ascending);
  EXPECT_EQ(FetchedOrder(g), (std::vector<int>{1, 3, 0, 2, 4}));
  g.SortRows(2, SortDirection::Descending);  // no such column
  EXPECT_EQ(FetchedOrder(g), (std::vector<int>{1, 3, 0, 2, 4}));
  EXPECT_EQ(g.Sort().column, 1);
}

TEST_P(ResultGridContract, AColumnAddedInFrontOfTheSortedOneTakesItsMarkAlong) {
  const struct { int position, marked; } cases[] = {{0, 2}, {1, 2}, {2, 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.position);
    auto under = Fresh();
    ResultGrid& g = under->grid();
    AddColumns(g, {"FETCHED", "VALUE"});
    for (const char* v : {"b", "c", "a"}) g.AppendRow({std::to_string(g.RowCount()), v});
    g.SortRows(1, SortDirection::Descending);
    g.AddColumn(c.position, "ADDED", 50);
    under->Settle();
    EXPECT_EQ(g.Sort().column, c.marked);
    EXPECT_EQ(g.Sort().direction, SortDirection::Descending);
    EXPECT_EQ(under->MarkedHeader(), c.marked);
    EXPECT_EQ(g.CellText(0, c.marked), "c");
  }
}

TEST_P(ResultGridContract, TheSelectionAndTheColoursGoWithTheirRowsThroughASort) {
  for (bool settle : {false, true}) {
    SCOPED_TRACE(settle ? "toolkit run between the steps" : "straight through");
    auto under = Fresh();
    ResultGrid& g = under->grid();
    AddColumns(g, {"FETCHED", "VALUE"});
    for (const char* v : {"d", "b", "e", "a"}) g.AppendRow({std::to_string(g.RowCount()), v});
    g.SetColumnBackground(1, kRed);
    g.AppendRow({"4", "c"});  // after the colour: none
    g.SelectRow(2);
    if (settle) under->Settle();
    g.SortRows(1, SortDirection::Ascending);
    if (settle) under->Settle();
    EXPECT_EQ(FetchedOrder(g), (std::vector<int>{3, 1, 4, 0, 2}));
    EXPECT_EQ(g.SelectedRow(), 4) << "the selection stayed at its place, not with its row";
    EXPECT_EQ(g.CellText(g.SelectedRow(), 1), "e");
    for (int r = 0; r < g.RowCount(); ++r)
      EXPECT_EQ(under->Background(r, 1), g.CellText(r, 1) == "c" ? std::nullopt : std::optional<Rgb>(kRed)) << "row " << r;
    g.AppendRow({"5", "0"});
    EXPECT_EQ(g.RowIdentity(5), 5) << "a row added to a sorted grid";
    g.ClearRows();
    EXPECT_EQ(g.Sort().column, -1) << "the sort outlived its rows";
    AppendRows(g, 2);
    g.SortRows(0, SortDirection::Descending);
    g.RemoveAllColumns();
    EXPECT_EQ(g.Sort().column, -1) << "the sort outlived its columns";
  }
}

TEST_P(ResultGridContract, SeveralRowsAreSelectedAndTheCursorNamesTheOne) {
  for (bool settle : {false, true}) {
    SCOPED_TRACE(settle ? "toolkit run between the steps" : "straight through");
    auto under = Fresh();
    ResultGrid& g = under->grid();
    AddColumns(g, {"A", "B", "C"});
    AppendRows(g, 6);
    if (settle) under->Settle();
    EXPECT_TRUE(g.SelectedRows().empty());
    EXPECT_EQ(g.CursorColumn(), -1);
    g.SelectCell(4, 2);
    if (settle) under->Settle();
    EXPECT_EQ(g.SelectedRows(), (std::vector<int>{4}));
    EXPECT_EQ(g.CursorColumn(), 2);
    g.AddToSelection(1);
    g.AddToSelection(3);
    g.AddToSelection(9);  // no such row
    if (settle) under->Settle();
    EXPECT_EQ(g.SelectedRows(), (std::vector<int>{1, 3, 4})) << "in the order shown";
    EXPECT_EQ(g.SelectedRow(), 3) << "the row the cursor went to last";
    g.SelectCell(2, 7);  // no such column
    EXPECT_EQ(g.SelectedRows(), (std::vector<int>{1, 3, 4}));
    g.SelectAllRows();
    if (settle) under->Settle();
    EXPECT_EQ(g.SelectedRows(), (std::vector<int>{0, 1, 2, 3, 4, 5}));
    g.SelectRow(5);
    EXPECT_EQ(g.SelectedRows(), (std::vector<int>{5})) << "a row selected alone kept the others";
    EXPECT_EQ(g.CursorColumn(), 0);
    g.SelectAllRows();
    g.SelectRow(-1);
    EXPECT_TRUE(g.SelectedRows().empty());
    EXPECT_EQ(g.SelectedRow(), -1);
  }
}

}  // namespace
}  // namespace zuno::testing

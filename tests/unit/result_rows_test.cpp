#include "grid/result_rows.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace zuno {
namespace {

struct Cell {
  std::string text;
  bool null = false;
  std::string value = {};                    // kept beside the text, where kind is set
  std::optional<ValueKind> kind = std::nullopt;
};
using Row = std::vector<Cell>;

ResultRows Build(const std::vector<Row>& rows) {
  ResultRows built;
  for (const Row& row : rows) {
    for (const Cell& c : row) c.kind ? built.AddCell(c.text, CellValue{c.value, *c.kind}) : built.AddCell(c.text, c.null);
    built.EndRow();
  }
  return built;
}

void ExpectRows(const ResultRows& rows, const std::vector<Row>& expected, const char* what) {
  SCOPED_TRACE(what);
  ASSERT_EQ(rows.RowCount(), expected.size());
  for (std::size_t r = 0; r < expected.size(); ++r) {
    ASSERT_EQ(rows.CellCount(r), expected[r].size()) << "row " << r;
    for (std::size_t c = 0; c < expected[r].size(); ++c) {
      EXPECT_EQ(rows.Cell(r, c), expected[r][c].text) << "row " << r << " column " << c;
      EXPECT_EQ(rows.IsNull(r, c), expected[r][c].null) << "row " << r << " column " << c;
      const Cell& e = expected[r][c];
      const CellValue want = e.kind ? CellValue{e.value, *e.kind} : CellValue{e.text};
      EXPECT_EQ(rows.Value(r, c).bytes, want.bytes) << "row " << r << " column " << c;
      EXPECT_EQ(rows.Value(r, c).kind, want.kind) << "row " << r << " column " << c;
    }
    // A walk along the row gives the same cells, and no more.
    ResultRows::CellWalk walk = rows.Walk(r);
    ResultRows::WalkedCell cell;
    for (const Cell& e : expected[r]) {
      ASSERT_TRUE(walk.Next(cell)) << "row " << r << ": the walk ends early";
      EXPECT_EQ(cell.text, e.text) << "row " << r;
      EXPECT_EQ(cell.null, e.null) << "row " << r;
      EXPECT_EQ(cell.kept, e.kind.has_value()) << "row " << r;
      EXPECT_EQ(cell.value.bytes, e.kind ? e.value : e.text) << "row " << r;
    }
    EXPECT_FALSE(walk.Next(cell)) << "row " << r << ": the walk goes past the row";
  }
}

TEST(ResultRowsTest, CellsComeBackWithTheirTextsAndNullFlags) {
  // Lengths around the points where a cell's length takes one more byte,
  // and a value larger than a whole block.
  const std::vector<std::size_t> lengths{0, 1, 63, 64, 127, 128, 8191, 8192, 16384, (1u << 20) + 3};
  std::vector<Row> rows;
  for (std::size_t length : lengths)
    rows.push_back({{std::string(length, 'a'), false}, {"Null", true}, {std::string(length, 'b'), length % 2 == 1}});
  rows.push_back({});
  rows.push_back({{"", true}});
  rows.push_back({{"zwei\xC3\xBFZeilen", false}});
  for (std::size_t length : lengths)  // values kept beside their texts
    rows.push_back({{"x", false, std::string(length, '\n'), ValueKind::Text},
                    {std::string(length, 'c'), false, std::string(length, '\0'), ValueKind::Binary},
                    {"binary Data", false, "", ValueKind::Unread}, {"after"}});
  ResultRows built = Build(rows);
  ExpectRows(built, rows, "as built");
  std::size_t bytes = 0;
  for (const Row& row : rows)
    for (const Cell& cell : row) bytes += cell.text.size();
  EXPECT_EQ(built.TextBytes(), bytes) << "the texts' size is miscounted";
}

TEST(ResultRowsTest, ReadsInAnyOrderFindTheirCell) {
  ResultRows rows = Build({{{"a0"}, {"a1"}, {"a2"}, {"a3"}}, {{"b0"}, {"b1"}}});
  struct {
    std::size_t row, column;
    const char* text;
  } reads[] = {
      {0, 2, "a2"}, {0, 3, "a3"}, {0, 1, "a1"}, {1, 1, "b1"}, {0, 3, "a3"}, {1, 0, "b0"},
      {0, 0, "a0"}, {1, 2, ""},   {0, 4, ""},   {2, 0, ""},   {0, 2, "a2"}, {0, 2, "a2"},
  };
  for (const auto& r : reads) EXPECT_EQ(rows.Cell(r.row, r.column), r.text) << r.row << "," << r.column;
  EXPECT_FALSE(rows.IsNull(5, 5)) << "a cell that does not exist is NULL";
}

TEST(ResultRowsTest, ChangesKeepEveryOtherCell) {
  const std::vector<Row> start{{{"1"}, {"Null", true}, {"x"}}, {{"2"}, {"1.5e+300", false, "1e300", ValueKind::Text}}, {}};
  struct {
    const char* fault;
    void (*change)(ResultRows&);
    std::vector<Row> expected;
  } cases[] = {
      {"an empty cell is not put before the second", [](ResultRows& r) { r.InsertEmptyCell(1); },
       {{{"1"}, {""}, {"Null", true}, {"x"}}, {{"2"}, {""}, {"1.5e+300", false, "1e300", ValueKind::Text}}, {}}},
      {"a first cell is not put in front", [](ResultRows& r) { r.InsertEmptyCell(0); },
       {{{""}, {"1"}, {"Null", true}, {"x"}}, {{""}, {"2"}, {"1.5e+300", false, "1e300", ValueKind::Text}}, {}}},
      {"a cell past the row's end is added", [](ResultRows& r) { r.InsertEmptyCell(3); }, start},
      {"dropped cells stay or rows go", [](ResultRows& r) { r.DropCells(); }, {{}, {}, {}}},
      {"rows appended after others are lost or change",
       [](ResultRows& r) { r.Append(Build({{{"3", true}, {"y"}}})); },
       {{{"1"}, {"Null", true}, {"x"}}, {{"2"}, {"1.5e+300", false, "1e300", ValueKind::Text}}, {}, {{"3", true}, {"y"}}}},
      {"kept values appended are lost",
       [](ResultRows& r) { r.Append(Build({{{"4", false, "4.0", ValueKind::Text}, {"b", false, "\x01", ValueKind::Binary}}})); },
       {{{"1"}, {"Null", true}, {"x"}},
        {{"2"}, {"1.5e+300", false, "1e300", ValueKind::Text}},
        {},
        {{"4", false, "4.0", ValueKind::Text}, {"b", false, "\x01", ValueKind::Binary}}}},
      {"appending no rows changes the rows", [](ResultRows& r) { r.Append(ResultRows()); }, start},
      {"a whole row of texts is not cut at the limit",
       [](ResultRows& r) { r.AppendRow({"p", "q", "r"}, 2); },
       {{{"1"}, {"Null", true}, {"x"}}, {{"2"}, {"1.5e+300", false, "1e300", ValueKind::Text}}, {}, {{"p"}, {"q"}}}},
      {"clearing leaves rows", [](ResultRows& r) { r.Clear(); }, {}},
  };
  for (const auto& c : cases) {
    ResultRows rows = Build(start);
    rows.Cell(0, 2);  // a read before the change must not lead the next astray
    c.change(rows);
    ExpectRows(rows, c.expected, c.fault);
    rows.AddCell("after");
    rows.EndRow();
    EXPECT_EQ(rows.Cell(rows.RowCount() - 1, 0), "after") << c.fault << ": no row can be added afterwards";
  }
}

TEST(ResultRowsTest, AMarkMakesACellNullAndKeepsItsText) {
  const std::string longText(300, 'l');  // its length takes two bytes
  ResultRows rows = Build({{{"a"}, {longText}, {"c"}}, {{"d"}}});
  rows.Cell(0, 2);  // a read before the mark must not lead it astray
  rows.MarkNull(0, 1);
  rows.MarkNull(0, 1);  // twice is once
  rows.MarkNull(1, 3);  // no such cell
  rows.MarkNull(7, 0);  // no such row
  ExpectRows(rows, {{{"a"}, {longText, true}, {"c"}}, {{"d"}}}, "after the marks");
}

TEST(ResultRowsTest, RowsMoveWholeAndLeaveNothingBehind) {
  ResultRows fetched = Build({{{"1"}, {"Ann"}}, {{"2"}, {"Null", true}}});
  ResultRows shown;
  shown.Append(std::move(fetched));
  ExpectRows(shown, {{{"1"}, {"Ann"}}, {{"2"}, {"Null", true}}}, "taken over");
  EXPECT_EQ(fetched.RowCount(), 0u);  // NOLINT: what a move leaves is part of the promise
  EXPECT_EQ(fetched.TextBytes(), 0u);
  // The rows moved from are built anew without touching the others.
  fetched.AddCell("new");
  fetched.EndRow();
  EXPECT_EQ(fetched.Cell(0, 0), "new");
  EXPECT_EQ(shown.Cell(0, 1), "Ann");
  EXPECT_EQ(shown.RowCount(), 2u);
}

std::size_t TextBytesOf(const std::vector<Row>& rows) {
  std::size_t bytes = 0;
  for (const Row& row : rows)
    for (const Cell& cell : row) bytes += cell.text.size();
  return bytes;
}

// A fetch hands its ended rows on in pieces while it builds the next row;
// the grid appends each piece after the rows it shows.
TEST(ResultRowsTest, PiecesTakenWhileARowIsBuiltArriveWholeAndInOrder) {
  const std::string wide(3000, 'w');  // enough rows to fill several blocks
  ResultRows fetching;
  ResultRows shown;
  std::vector<Row> expected;
  for (int piece = 0; piece < 3; ++piece) {
    for (int r = 0; r < 400; ++r) {
      const std::string n = std::to_string(piece * 1000 + r);
      const std::string text = r % 7 ? wide : "x";
      fetching.AddCell(n);
      fetching.AddCell(text, CellValue{"kept " + n, ValueKind::Text});
      fetching.EndRow();
      expected.push_back({{n}, {text, false, "kept " + n, ValueKind::Text}});
    }
    fetching.AddCell("half");  // the next row's first cell stays behind
    shown.Append(fetching.TakeEndedRows());
    EXPECT_EQ(fetching.RowCount(), 0u) << "piece " << piece << ": taken rows stayed";
    ExpectRows(shown, expected, "after a piece");
    EXPECT_EQ(shown.TextBytes(), TextBytesOf(expected)) << "piece " << piece << ": the texts are miscounted";
    fetching.AddCell("end", true);
    fetching.EndRow();
    expected.push_back({{"half"}, {"end", true}});
  }
  shown.Append(fetching.TakeEndedRows());
  ExpectRows(shown, expected, "at the end");
  EXPECT_EQ(fetching.TextBytes(), 0u);
  shown.AddCell("after");
  shown.EndRow();
  EXPECT_EQ(shown.Cell(shown.RowCount() - 1, 0), "after") << "no row can be added after the pieces";
  EXPECT_EQ(shown.Cell(0, 0), "0") << "a row added after the pieces overwrote the first";
}

// Rows appended to rows a user sorted, or sorted rows to others, keep the
// identities they were added with.
TEST(ResultRowsTest, AppendedRowsTakeTheIdentitiesAfterThoseBefore) {
  ResultRows sorted = Build({{{"b"}}, {{"a"}}});
  sorted.Reorder({1, 0});
  sorted.Append(Build({{{"c"}}}));
  ResultRows plain = Build({{{"p"}}});
  ResultRows other = Build({{{"y"}}, {{"x"}}});
  other.Reorder({1, 0});
  plain.Append(std::move(other));
  struct {
    const char* fault;
    const ResultRows& rows;
    std::vector<std::size_t> identities;
  } cases[] = {
      {"rows after sorted ones", sorted, {1, 0, 2}},
      {"sorted rows after others", plain, {0, 2, 1}},
  };
  for (const auto& c : cases)
    for (std::size_t r = 0; r < c.identities.size(); ++r) {
      EXPECT_EQ(c.rows.Identity(r), c.identities[r]) << c.fault << ", row " << r;
      EXPECT_EQ(c.rows.RowOfIdentity(c.identities[r]), r) << c.fault << ", row " << r;
    }
}

}  // namespace
}  // namespace zuno

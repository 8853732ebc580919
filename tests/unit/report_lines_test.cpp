#include "tools/report_lines.h"

#include <gtest/gtest.h>

namespace zuno {
namespace {

struct ReportTable {
  std::vector<std::string> titles;
  ResultRows rows;

  ReportTable(std::vector<std::string> t, const std::vector<std::vector<std::string>>& cells)
      : titles(std::move(t)) {
    for (const auto& row : cells) rows.AppendRow(row, row.size());
  }
};

TEST(BuildReportTextTest, WritesEachCellFollowedByTheDelimiter) {
  const ReportTable people{{"ID", "NAME"}, {{"1", "Ann"}, {"2", "Bob"}}};
  const ReportTable noColumns{{}, {{}, {}, {}}};
  const ReportTable noRows{{"ID", "NAME"}, {}};
  const ReportTable awkward{{"A", "B"}, {{"x;y", "say \"hi\"\nthere"}, {" pad ", "Null"}}};
  const ReportTable ragged{{"A", "B"}, {{"1"}, {"1", "2", "3"}}};
  struct {
    const char* name;
    const ReportTable& table;
    const char* delimiter;
    bool header;
    std::string text;
  } cases[] = {
      {"WithHeader", people, ";", true, "ID;NAME;\n1;Ann;\n2;Bob;\n"},
      {"WithoutHeader", people, ";", false, "1;Ann;\n2;Bob;\n"},
      {"EmptyDelimiterRunsCellsTogether", people, "", true, "IDNAME\n1Ann\n2Bob\n"},
      {"MultiCharacterDelimiterWhole", people, " , ", false, "1 , Ann , \n2 , Bob , \n"},
      {"TabDelimiter", people, "\t", false, "1\tAnn\t\n2\tBob\t\n"},
      {"RowsWithoutColumnsGiveBareLines", noColumns, ";", false, "\n\n\n"},
      {"RowsWithoutColumnsHeaderIsBare", noColumns, ";", true, "\n\n\n\n"},
      {"NoRowsWithHeaderOnlyTitles", noRows, ";", true, "ID;NAME;\n"},
      {"NoRowsWithoutHeaderEmpty", noRows, ";", false, ""},
      {"NothingQuotedOrTrimmed", awkward, ";", false, "x;y;say \"hi\"\nthere;\n pad ;Null;\n"},
      {"MissingCellsEmptyExtraCellsDropped", ragged, ",", false, "1,,\n1,2,\n"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(BuildReportText(c.table.titles, c.table.rows, c.delimiter, c.header), c.text) << c.name;
}

// A report larger than the pieces it is written in, with a cell larger than
// a piece: the pieces join to the whole text; a sink that fails stops it.
TEST(WriteReportTextTest, PiecesJoinToTheWholeTextAndAFailureStopsIt) {
  ReportTable big{{"A", "B"}, {}};
  std::string expected;
  for (int r = 0; r < 40000; ++r) {
    const std::string cell = r == 20000 ? std::string(300 * 1024, 'h') : std::to_string(r);
    big.rows.AppendRow({cell, "é"}, 2);
    expected += cell + ";é;\n";
  }
  std::string joined;
  int pieces = 0;
  EXPECT_TRUE(WriteReportText(big.titles, big.rows, ";", false, [&](std::string_view piece) {
    joined += piece;
    return ++pieces > 0;
  }));
  EXPECT_GE(pieces, 3);  // before the large cell, the cell itself, after it
  EXPECT_EQ(joined, expected);
  pieces = 0;
  EXPECT_FALSE(WriteReportText(big.titles, big.rows, ";", false, [&](std::string_view) { return ++pieces == 0; }));
  EXPECT_EQ(pieces, 1);
}

// What Python's csv module cannot tell apart in the handler test: NULL and
// the empty text, the blanks that align numbers, a delimiter of several
// characters, an empty one, one that stands in hex digits.
TEST(BuildCsvTextTest, FieldsAreTheValuesQuotedOnlyWhereNeeded) {
  ResultRows rows;
  for (const char* text : {"   1.5", " pad ", "x, y"}) rows.AddCell(text);
  rows.AddCell("  Null", true);
  rows.AddCell("binary Data", CellValue{"\x01\xAB", ValueKind::Binary});
  rows.AddCell("");
  rows.EndRow();
  const std::vector<std::string> titles{"N", "T", "U", "M", "B", "E"};
  const std::vector<ValueType> types{ValueType::Number, {}, {}, ValueType::Number};
  EXPECT_EQ(BuildCsvText(titles, types, rows, "", false), "1.5, pad ,\"x, y\",,01AB,\"\"\r\n");
  EXPECT_EQ(BuildCsvText(titles, types, rows, ", ", true),
            "N, T, U, M, B, E\r\n1.5,  pad , \"x, y\", , 01AB, \"\"\r\n");
  EXPECT_EQ(BuildCsvText(titles, types, rows, "A", false), "1.5A pad Ax, yAA\"01AB\"A\"\"\r\n");
}

}  // namespace
}  // namespace zuno

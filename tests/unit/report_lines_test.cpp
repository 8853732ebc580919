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

// What Python's csv module cannot tell apart in the handler test: NULL, the
// blanks that align numbers, a delimiter of several characters, an empty one.
TEST(BuildCsvTextTest, FieldsAreTheValuesQuotedOnlyWhereNeeded) {
  ResultRows rows;
  for (const char* text : {"   1.5", " pad ", "x, y"}) rows.AddCell(text);
  rows.AddCell("  Null", true);
  rows.AddCell("binary Data", CellValue{"\x01\xAB", ValueKind::Binary});
  rows.EndRow();
  const std::vector<std::string> titles{"N", "T", "U", "M", "B"};
  const std::vector<ValueType> types{ValueType::Number, {}, {}, ValueType::Number};
  EXPECT_EQ(BuildCsvText(titles, types, rows, "", false), "1.5, pad ,\"x, y\",,01AB\r\n");
  EXPECT_EQ(BuildCsvText(titles, types, rows, ", ", true), "N, T, U, M, B\r\n1.5,  pad , \"x, y\", , 01AB\r\n");
}

}  // namespace
}  // namespace zuno

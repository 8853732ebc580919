#include "tools/column_autosize.h"

#include <gtest/gtest.h>

namespace zuno {
namespace {

ResultRows RowsOf(const std::vector<std::vector<std::string>>& cells) {
  ResultRows rows;
  for (const auto& row : cells) rows.AppendRow(row, row.size());
  return rows;
}

TEST(ColumnAutosizeTest, WidthFromTheLongestCell) {
  using Rows = std::vector<std::vector<std::string>>;
  const std::string thirty(30, 'x');
  struct {
    const char* fault;
    Rows rows;
    std::size_t columns;
    std::vector<int> widths;
  } cases[] = {
      {"columns of an empty grid invented", {}, 0, {}},
      {"columns without rows not hidden", {}, 3, {0, 0, 0}},
      {"all-empty column not hidden", {{"", "a"}, {"", "b"}}, 2, {0, 220}},
      {"short value not widened to 20 characters", {{"1"}}, 1, {220}},
      {"20 characters not 220", {{std::string(20, 'y')}}, 1, {220}},
      {"21 characters not widened", {{std::string(21, 'y')}}, 1, {231}},
      {"30-character value not 330", {{"abc"}, {thirty}, {"de"}}, 1, {330}},
      {"longest of all rows missed", {{thirty}, {""}}, 1, {330}},
      {"columns measured together", {{thirty, "a"}}, 2, {330, 220}},
      {"non-ASCII counted in bytes", {{std::string(15, 'a') + "äöüäöüäöüä"}}, 1, {275}},
      {"line-feed marker counted as two", {{std::string(24, 'a') + "\u00FF"}}, 1, {275}},
      {"short row not read as empty", {{"a"}, {"b", thirty}}, 2, {220, 330}},
      {"cells beyond the columns measured", {{"a", thirty}}, 1, {220}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(AutosizedColumnWidths(RowsOf(c.rows), c.columns), c.widths) << c.fault;
}

}  // namespace
}  // namespace zuno

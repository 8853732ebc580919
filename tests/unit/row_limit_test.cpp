#include "query/row_limit.h"

#include <gtest/gtest.h>

namespace zuno {
namespace {

TEST(RowLimitTest, ReadsASignedNumberAfterBlanks) {
  struct {
    const char* fault;
    const char* text;
    int limit;
  } cases[] = {
      {"plain number misread", "50", 50},
      {"leading blank not skipped", " 50", 50},
      {"tab or sign not read", "\t-3", -3},
      {"letters give a limit", "abc", 0},
      {"an empty box is not the limit of 50", "", 50},
      {"a blank box is taken for an empty one", " ", 0},
      {"0 is not every row", "0", 0},
      {"a large limit misread", "100000", 100000},
      {"trailing text spoils the number", "+7x", 7},
      {"line feed skipped like a blank", "\n5", 0},
      {"blank between sign and digits accepted", "- 5", 0},
      {"sign alone gives a limit", "-", 0},
      {"too large overflows", "99999999999", 2147483647},
      {"too small overflows", "-99999999999", -2147483648},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseRowLimit(c.text), c.limit) << c.fault;
}

}  // namespace
}  // namespace zuno

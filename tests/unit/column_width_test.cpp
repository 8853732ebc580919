#include "query/column_width.h"

#include <gtest/gtest.h>

namespace zuno {
namespace {

TEST(ColumnWidthTest, SizeClampedUnlessTheTitleIsLonger) {
  struct {
    const char* fault;
    const char* title;
    int size;
    int pixels;
  } cases[] = {
      {"small size not widened to 10", "ID", 5, 100},
      {"size within range changed", "NAME", 15, 150},
      {"large size not narrowed to 20", "NOTE", 25, 200},
      {"title longer than size cut", "CUSTOMER_NUMBER", 4, 150},
      {"title longer than 20 capped", "A_VERY_LONG_COLUMN_TITLE", 8, 240},
      {"title used although the size is larger", "CUSTOMER_NUMBER", 16, 160},
      {"size equal to the title taken as smaller", "ABCDEFGHIJKLMNOPQRSTUVWXY", 25, 200},
      {"title measured in bytes", "ÄÖÜÄÖÜÄÖÜÄÖÜ", 11, 120},
  };
  for (const auto& c : cases) EXPECT_EQ(ColumnWidthPixels(c.title, c.size), c.pixels) << c.fault;
}

}  // namespace
}  // namespace zuno

#include "windows/text_filters.h"

#include <gtest/gtest.h>

namespace zuno {
namespace {

TEST(TimerSecondsTest, ReadsLeadingDigitsOnly) {
  struct {
    const char* text;
    int seconds;
  } cases[] = {
      {"30", 30}, {"", 0}, {"0", 0}, {"  2", 2}, {"\t7", 7}, {"12abc", 12}, {"abc", 0},
      {"007", 7}, {"5 6", 5}, {"99999999999999999999", kMaxTimerSeconds}, {"2147483", 2147483},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseTimerSeconds(c.text), c.seconds) << '"' << c.text << '"';
}

TEST(KeepDigitsTest, DropsEverythingButDigits) {
  EXPECT_EQ(KeepDigits("12a3"), "123");
  EXPECT_EQ(KeepDigits(" 4\n5\t"), "45");
  EXPECT_EQ(KeepDigits("x"), "");
  EXPECT_EQ(KeepDigits("١٢"), "");  // other scripts' digits are not the field's
}

}  // namespace
}  // namespace zuno

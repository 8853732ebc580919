#include "windows/line_comments.h"

#include <gtest/gtest.h>

namespace zuno {
namespace {

// Each kind of line end starts a line to comment, and stays as it was.
TEST(LineComments, EveryLineEndStartsALineAndIsKept) {
  struct Case {
    const char* fault;
    std::string_view text;
    std::string_view toggled;
  } cases[] = {
      {"line feeds", "a\n  b\n", "-- a\n--   b\n"},
      {"CR LF", "a\r\nb", "-- a\r\n-- b"},
      {"a lone CR", "a\rb\r", "-- a\r-- b\r"},
      {"lone CRs back out", "-- a\r  -- b", "a\r  b"},
      {"a blank line between", "-- a\r\n\r\n--b", "a\r\n\r\nb"},
  };
  for (const Case& c : cases) EXPECT_EQ(ToggleLineComments(c.text), c.toggled) << c.fault;
}

}  // namespace
}  // namespace zuno

#include "library/query_name_order.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace zuno {
namespace {

// towlower lowers only ASCII in the "C" locale; the program runs in the
// user's locale, which the toolkit sets up at start.
class ScopedCtype {
 public:
  explicit ScopedCtype(const char* name) : old_(std::setlocale(LC_CTYPE, nullptr)) {
    applied_ = std::setlocale(LC_CTYPE, name) != nullptr;
  }
  ~ScopedCtype() { std::setlocale(LC_CTYPE, old_.c_str()); }
  bool applied() const { return applied_; }

 private:
  std::string old_;
  bool applied_ = false;
};

struct OrderCase {
  const char* name;
  std::vector<std::string> stored;  // in file order
  std::vector<std::string> listed;
};

class QueryNameOrderTest : public ::testing::TestWithParam<OrderCase> {};

TEST_P(QueryNameOrderTest, ListsInTheLibraryOrder) {
  ScopedCtype ctype("C.UTF-8");
  ASSERT_TRUE(ctype.applied());
  std::vector<std::string> names = GetParam().stored;
  SortQueryNames(names);
  EXPECT_EQ(names, GetParam().listed);
}

INSTANTIATE_TEST_SUITE_P(
    Names, QueryNameOrderTest,
    ::testing::Values(
        OrderCase{"CaseIgnoredAndEqualNamesKeepFileOrder", {"b", "A", "a", "B"}, {"A", "a", "b", "B"}},
        OrderCase{"PrefixFirstAndEmptyNamesAtTheTop", {"abc", "", "ab", ""}, {"", "", "ab", "abc"}},
        // "Z" (0x5A) sorts before "[" unless it is lowered to "z" (0x7A).
        OrderCase{"LettersLoweredBeforeComparingAsNumbers", {"b", "_", "Z", "["}, {"[", "_", "b", "Z"}},
        // As UTF-8 bytes "Ö" (C3 96) would precede "ä" (C3 A4); lowered units put ä (E4) before ö (F6).
        OrderCase{"NonAsciiLoweredAsUtf16", {"Öl", "ä", "Z"}, {"Z", "ä", "Öl"}},
        // A surrogate (D83D) is below U+FF41 though the code point U+1F600 is above it.
        OrderCase{"ComparesCodeUnitsNotCodePoints", {"Ａ", "😀"}, {"😀", "Ａ"}}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace zuno

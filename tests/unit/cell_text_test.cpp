#include "grid/cell_text.h"
#include "query/elapsed_time.h"

#include <gtest/gtest.h>

#include <clocale>
#include <limits>

namespace zuno {
namespace {

TEST(PadTest, RightAlignsInSizePlusOneAndNeverCuts) {
  struct {
    const char* fault;
    const char* text;
    std::int64_t size;
    const char* padded;
  } cases[] = {
      {"short text not right-aligned in size + 1", "Null", 10, "       Null"},
      {"text of exactly size + 1 changed", "12345", 4, "12345"},
      {"long number cut to a wrong value", "1234567.5", 3, "1234567.5"},
      {"bytes counted instead of characters", "ÄÖ", 3, "  ÄÖ"},
      {"empty text not padded", "", 2, "   "},
      {"unknown size crashes", "7", -1, "7"},
  };
  for (const auto& c : cases) EXPECT_EQ(Pad(c.text, c.size), c.padded) << c.fault;
}

TEST(PadTest, HugeReportedSizeDoesNotMakeAHugeCell) {
  const std::string padded = Pad("Null", std::numeric_limits<int>::max());
  EXPECT_EQ(padded.size(), static_cast<std::size_t>(kMaxPadWidth));
  EXPECT_EQ(padded.substr(padded.size() - 5), " Null");
}

TEST(NumberTextTest, DoubleHasTenDecimalsWithoutTrailingZeros) {
  struct {
    double value;
    const char* text;
  } cases[] = {
      {2.5, "2.5"},
      {3.0, "3"},
      {0.0, "0"},
      {-0.0, "-0"},  // as "%.10f" writes it
      {1e-11, "0"},
      {-1e-11, "-0"},
      {1.23456789012e-5, "0.0000123457"},
      {1e15, "1000000000000000"},
      {123456789.123, "123456789.1229999959"},  // the binary value, as "%.10f" writes it
      {-42.75, "-42.75"},
      {100.0, "100"},
      {std::numeric_limits<double>::infinity(), "+Infinity"},
      {-std::numeric_limits<double>::infinity(), "-Infinity"},
      {std::numeric_limits<double>::quiet_NaN(), "NaN"},
  };
  for (const auto& c : cases) EXPECT_EQ(DoubleText(c.value), c.text) << c.value;
}

TEST(NumberTextTest, FloatHasExactlyTwoDecimals) {
  struct {
    double value;
    const char* text;
  } cases[] = {
      {1.5, "1.50"},
      {3.0, "3.00"},
      {-0.125, "-0.12"},  // ties go to even, as printf rounds
      {0.375, "0.38"},
      {1.005f, "1.00"},  // the float nearest 1.005 lies below it
      {1234567.0, "1234567.00"},
      {std::numeric_limits<double>::infinity(), "+Infinity"},
      {-std::numeric_limits<double>::infinity(), "-Infinity"},
      {std::numeric_limits<double>::quiet_NaN(), "NaN"},
  };
  for (const auto& c : cases) EXPECT_EQ(FloatText(c.value), c.text) << c.value;
}

// A cell keeps today's decimals where they show the number and an exponent
// where they would hide it; statements get the shortest exact text.
TEST(NumberTextTest, CellsShowReadableNumbersAndStatementsGetExactOnes) {
  struct {
    double value;
    bool real;  // read as a REAL
    const char* cell;
    const char* exact;
  } cases[] = {
      {3.14159265358979, false, "3.1415926536", "3.14159265358979"}, {1e300, false, "1e+300", "1e+300"},
      {-1e15, false, "-1e+15", "-1e+15"}, {999999999999999.0, false, "999999999999999", "999999999999999"},
      {1e-12, false, "1e-12", "1e-12"}, {-1e-11, false, "-1e-11", "-1e-11"}, {0.0, false, "0", "0"},
      {0.125, true, "0.12", "0.125"}, {0.001, true, "1e-03", "0.0010000000474974513"},  // as the double it widens to
  };
  for (const auto& c : cases) {
    const float real = static_cast<float>(c.value);
    EXPECT_EQ(c.real ? FloatCellText(real) : DoubleCellText(c.value), c.cell) << c.value;
    EXPECT_EQ(ExactNumberText(c.real ? real : c.value), c.exact) << c.value;
  }
}

TEST(NumberTextTest, DecimalCommaLocaleStillWritesAPoint) {
  const char* german = std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
  if (german == nullptr) GTEST_SKIP() << "de_DE.UTF-8 locale not installed";
  const std::string doubleText = DoubleText(2.5);
  const std::string floatText = FloatText(2.5);
  std::setlocale(LC_NUMERIC, "C");
  EXPECT_EQ(doubleText, "2.5");
  EXPECT_EQ(floatText, "2.50");
}

TEST(NumberTextTest, ElapsedTextIsSecondsAsDoubleText) {
  EXPECT_EQ(ElapsedText(1'700'000'000'000, 1'700'000'001'250), "SQL Sec. 1.25");
  EXPECT_EQ(ElapsedText(5000, 5000), "SQL Sec. 0");
  EXPECT_EQ(ElapsedText(5000, 5007), "SQL Sec. 0.007");
}

TEST(DateTextTest, RewritesYearMonthDayAsDayMonthYear) {
  struct {
    const char* fault;
    const char* text;
    const char* shown;
  } cases[] = {
      {"parts in the wrong order", "2024-03-01", "01.03.2024"},
      {"short text read past its end", "2024-03-3", "3.03.2024"},
      {"non-ASCII character split", "2024-03-2é", "2é.03.2024"},
  };
  for (const auto& c : cases) EXPECT_EQ(DateText(c.text), c.shown) << c.fault;
}

TEST(LineFeedMarkerTest, LineFeedsBecomeTheMarkerAndBack) {
  EXPECT_EQ(MarkLineFeeds("a\nb\r\n"), "a\xC3\xBF" "b\r\xC3\xBF");
  EXPECT_EQ(RestoreLineFeeds(MarkLineFeeds("one\ntwo\n\nthree")), "one\ntwo\n\nthree");
}

// What a text value's cell shows, and whether the value must be kept beside
// it: a NUL ends the text the view draws, so it is shown as U+2400.
TEST(ShownTextTest, LineFeedsAndNulsAreMarkedAndTheirValuesKept) {
  using namespace std::string_literals;
  struct { const char* fault; std::string value, shown; bool kept; } cases[] = {
      {"a plain text copied", "plain", "plain", false},
      {"the text cut at a NUL", "a\0b"s, "a\xE2\x90\x80" "b", true},
      {"a NUL at the end lost", "ab\0"s, "ab\xE2\x90\x80", true},
      {"a NUL and a line feed together", "\0\n"s, "\xE2\x90\x80\xC3\xBF", true},
      {"a real U+2400 read back as a NUL", "\xE2\x90\x80", "\xE2\x90\x80", true},
      {"a real U+00FF read back as a line feed", "\xC3\xBF", "\xC3\xBF", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.fault);
    EXPECT_EQ(ShownText(c.value), c.shown);
    EXPECT_EQ(ShownTextDiffers(c.value), c.kept);
  }
  EXPECT_FALSE(ShownTextDiffers("\xC3\x41\xE2\x90")) << "a marker's first bytes taken for it";
}

}  // namespace
}  // namespace zuno

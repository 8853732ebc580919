// The texts the result grid shows for a column's values.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace zuno {

// A grid cell never holds a line feed: U+00FF stands in its place and is
// turned back into a line feed when a cell is copied out.
inline constexpr std::string_view kLineFeedMarker = "\xC3\xBF";

// A text without a line feed comes back as it is, without a copy.
std::string MarkLineFeeds(std::string text);
std::string RestoreLineFeeds(std::string_view text);

// Padding stops at this width: a large object's reported size would
// otherwise make a cell of megabytes of spaces.
constexpr std::int64_t kMaxPadWidth = 4000;

// The text right-aligned in columnSize + 1 characters (spaces in front). A
// longer text is shown whole: cutting it would show a wrong number.
std::string Pad(std::string_view text, std::int64_t columnSize);
// The same, added to the end of out.
void AppendPadded(std::string& out, std::string_view text, std::int64_t columnSize);

// Ten decimals in fixed notation, trailing zeros and then a trailing point
// removed (2.5, 3, 0; -0.0 and negatives that round to zero give -0), with
// a point whatever the locale; "+Infinity", "-Infinity", "NaN".
std::string DoubleText(double value);

// Exactly two decimals with a point; the same texts as DoubleText for
// values that are not finite.
std::string FloatText(double value);

// A DATE value YYYY-MM-DD shown as DD.MM.YYYY (characters 9-10, 6-7, 1-4).
std::string DateText(std::string_view text);

}  // namespace zuno

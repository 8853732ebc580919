// The texts the result grid shows for a column's values.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace zuno {

// A grid cell never holds a line feed: U+00FF stands in its place. The rows
// keep the value as fetched beside such a cell, so what is copied out has
// its line feeds, and a real U+00FF stays U+00FF.
inline constexpr std::string_view kLineFeedMarker = "\xC3\xBF";

// A text without a line feed comes back as it is, without a copy.
std::string MarkLineFeeds(std::string text);
std::string RestoreLineFeeds(std::string_view text);

// Nor a NUL character, which would end the text the view draws: U+2400
// (SYMBOL FOR NULL) stands in its place, and the rows keep the value whole
// beside the cell.
inline constexpr std::string_view kNulMarker = "\xE2\x90\x80";
// A text value as its cell shows it: line feeds and NULs marked.
std::string ShownText(std::string text);
// Whether a text value's cell cannot stand for it: it holds a line feed or
// a NUL, or one of their markers, which would read back as them.
bool ShownTextDiffers(std::string_view text);

// After the part of a value too long to be read whole: the cell shows what
// was read and ends in this mark.
inline constexpr std::string_view kCutShortMarker = " \xE2\x80\xA6";

// Padding stops at this width: a large object's reported size would
// otherwise make a cell of megabytes of spaces.
constexpr std::int64_t kMaxPadWidth = 4000;

// The text right-aligned in columnSize + 1 characters (spaces in front). A
// longer text is shown whole: cutting it would show a wrong number.
std::string Pad(std::string_view text, std::int64_t columnSize);
// The same, added to the end of out.
void AppendPadded(std::string& out, std::string_view text, std::int64_t columnSize);
// The text without the blanks Pad put in front of it: a number's value.
std::string_view Unpadded(std::string_view text);

// Ten decimals in fixed notation, trailing zeros and then a trailing point
// removed (2.5, 3, 0; -0.0 and negatives that round to zero give -0), with
// a point whatever the locale; "+Infinity", "-Infinity", "NaN".
std::string DoubleText(double value);

// Exactly two decimals with a point; the same texts as DoubleText for
// values that are not finite.
std::string FloatText(double value);

// A DOUBLE or a REAL as its cell shows it: DoubleText or FloatText for
// ordinary magnitudes; where that form would be unreadable or false (a
// magnitude of 1e15 or more, or a value other than zero that would read 0)
// the shortest exact form with an exponent (1e+300, 1e-12).
std::string DoubleCellText(double value);
std::string FloatCellText(float value);

// The shortest text that reads back to the same double (3.14159265358979,
// 1e+300); a REAL is written as the double it widens to, which is what Db2
// compares it as. "NaN", "+Infinity" and "-Infinity" as above.
std::string ExactNumberText(double value);

// Two upper-case hex digits per byte: how a binary value is written out.
std::string HexDigits(std::string_view bytes);

// A DATE value YYYY-MM-DD shown as DD.MM.YYYY (characters 9-10, 6-7, 1-4).
std::string DateText(std::string_view text);

}  // namespace zuno

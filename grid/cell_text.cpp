#include "grid/cell_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "base/utf8.h"

namespace zuno {
namespace {

// Characters first..first+count-1 of a UTF-8 text, counted from 1; shorter
// or empty where the text ends first.
std::string_view Characters(std::string_view text, std::size_t first, std::size_t count) {
  std::size_t at = 0;
  std::size_t seen = 0;
  auto next = [&] { at = utf8::NextLead(text, at + 1); };
  while (at < text.size() && ++seen < first) next();
  std::size_t from = at;
  for (std::size_t taken = 0; at < text.size() && taken < count; ++taken) next();
  return text.substr(from, at - from);
}

// Fixed notation with the given decimals; to_chars never writes a decimal
// comma, whatever the locale.
std::string Fixed(double value, int decimals) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value > 0 ? "+Infinity" : "-Infinity";
  char buffer[400];  // the largest double has 309 digits before the point
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed,
                              decimals);
  return std::string(buffer, result.ptr);
}

// The shortest form with an exponent that reads back to the value.
template <typename Number>
std::string ShortestWithExponent(Number value) {
  char buffer[64];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
  return std::string(buffer, result.ptr);
}

// Whether the fixed form of a finite value would hide it: too many digits to
// read, or nothing left of a value that is not zero.
bool FixedHides(double value, std::string_view fixed) {
  if (!std::isfinite(value)) return false;
  if (std::fabs(value) >= 1e15) return true;
  return value != 0 && fixed.find_first_not_of("-0.") == std::string_view::npos;
}

}  // namespace

std::string MarkLineFeeds(std::string text) {
  if (text.find('\n') == std::string::npos) return text;
  std::string marked;
  marked.reserve(text.size());
  for (char c : text) {
    if (c == '\n')
      marked += kLineFeedMarker;
    else
      marked += c;
  }
  return marked;
}

std::string ShownText(std::string text) {
  if (text.find('\0') == std::string::npos) return MarkLineFeeds(std::move(text));
  std::string shown;
  shown.reserve(text.size() + 8);
  for (char c : text) {
    if (c == '\n')
      shown += kLineFeedMarker;
    else if (c == '\0')
      shown += kNulMarker;
    else
      shown += c;
  }
  return shown;
}

bool ShownTextDiffers(std::string_view text) {
  // One pass over the bytes: every cell of a result comes through here.
  for (std::size_t at = 0; at < text.size(); ++at) {
    const char c = text[at];
    if (c == '\n' || c == '\0') return true;
    if (c == kLineFeedMarker[0] && text.substr(at).starts_with(kLineFeedMarker)) return true;
    if (c == kNulMarker[0] && text.substr(at).starts_with(kNulMarker)) return true;
  }
  return false;
}

std::string RestoreLineFeeds(std::string_view text) {
  std::string restored;
  restored.reserve(text.size());
  std::size_t from = 0;
  for (std::size_t at = text.find(kLineFeedMarker); at != std::string_view::npos;
       at = text.find(kLineFeedMarker, from)) {
    restored.append(text, from, at - from);
    restored += '\n';
    from = at + kLineFeedMarker.size();
  }
  restored.append(text, from);
  return restored;
}

std::string Pad(std::string_view text, std::int64_t columnSize) {
  std::string padded;
  AppendPadded(padded, text, columnSize);
  return padded;
}

void AppendPadded(std::string& out, std::string_view text, std::int64_t columnSize) {
  const std::int64_t width = std::min(columnSize, kMaxPadWidth - 1) + 1;
  const auto length = static_cast<std::int64_t>(utf8::CharacterCount(text));
  if (length < width) out.append(static_cast<std::size_t>(width - length), ' ');
  out += text;
}

std::string_view Unpadded(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  return first == std::string_view::npos ? std::string_view() : text.substr(first);
}

std::string DoubleText(double value) {
  std::string text = Fixed(value, 10);
  if (!std::isfinite(value)) return text;
  text.erase(text.find_last_not_of('0') + 1);
  if (text.back() == '.') text.pop_back();
  return text;
}

std::string FloatText(double value) { return Fixed(value, 2); }

std::string DoubleCellText(double value) {
  std::string text = DoubleText(value);
  return FixedHides(value, text) ? ShortestWithExponent(value) : text;
}

std::string FloatCellText(float value) {
  std::string text = FloatText(value);
  return FixedHides(value, text) ? ShortestWithExponent(value) : text;
}

std::string ExactNumberText(double value) {
  if (!std::isfinite(value)) return Fixed(value, 0);
  char buffer[64];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::string HexDigits(std::string_view bytes) {
  constexpr char kDigits[] = "0123456789ABCDEF";
  std::string hex;
  hex.reserve(bytes.size() * 2);
  for (char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    hex += kDigits[byte >> 4];
    hex += kDigits[byte & 0x0F];
  }
  return hex;
}

std::string DateText(std::string_view text) {
  // Where the first ten bytes are ASCII each is a character.
  if (text.size() >= 10 && std::none_of(text.begin(), text.begin() + 10, [](char c) { return c & 0x80; })) {
    std::string date;
    date.reserve(10);
    date.append(text.substr(8, 2)).append(1, '.').append(text.substr(5, 2)).append(1, '.').append(text.substr(0, 4));
    return date;
  }
  std::string date(Characters(text, 9, 2));
  date += '.';
  date += Characters(text, 6, 2);
  date += '.';
  date += Characters(text, 1, 4);
  return date;
}

}  // namespace zuno

#include "db/wide_text.h"

#include "base/utf8.h"

namespace zuno {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes the code point at pos and moves pos past it, or past the longest
// start of a sequence that was well-formed so far.
char32_t DecodeOne(std::string_view s, size_t& pos) {
  const auto lead = static_cast<unsigned char>(s[pos++]);
  if (lead < 0x80) return lead;
  int trailing;
  char32_t cp;
  if (lead >= 0xC2 && lead <= 0xDF) {
    trailing = 1;
    cp = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    trailing = 2;
    cp = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    trailing = 3;
    cp = lead & 0x07;
  } else {
    return kReplacement;
  }
  for (int i = 0; i < trailing; ++i) {
    if (pos >= s.size()) return kReplacement;
    const auto next = static_cast<unsigned char>(s[pos]);
    if (i == 0 ? !utf8::SecondByteFits(static_cast<char>(lead), s[pos]) : !utf8::IsContinuation(s[pos]))
      return kReplacement;
    cp = (cp << 6) | (next & 0x3F);
    ++pos;
  }
  return cp;
}

void AppendUtf16(std::u16string& out, char32_t cp) {
  if (cp < 0x10000) {
    out.push_back(static_cast<char16_t>(cp));
  } else {
    cp -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
  }
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

}  // namespace

std::u16string Utf8ToUtf16(std::string_view utf8) {
  std::u16string out;
  out.reserve(utf8.size());
  size_t pos = 0;
  while (pos < utf8.size()) AppendUtf16(out, DecodeOne(utf8, pos));
  return out;
}

std::string Utf16ToUtf8(std::u16string_view utf16) {
  std::string out;
  AppendUtf16AsUtf8(out, utf16);
  return out;
}

namespace {

// Most values a driver hands over are ASCII from the first unit to the last:
// those go over a byte a unit, in one pass, without a character-by-character
// append. Stops at the first unit that is not ASCII or is 0; returns the
// units taken.
size_t AppendAsciiPrefix(std::string& out, const char16_t* units, size_t count) {
  const size_t start = out.size();
  out.resize(start + count);
  char* at = out.data() + start;
  size_t n = 0;
  while (n < count && static_cast<unsigned>(units[n]) - 1u < 0x7Fu) {
    at[n] = static_cast<char>(units[n]);
    ++n;
  }
  out.resize(start + n);
  return n;
}

}  // namespace

void AppendTerminatedUtf16AsUtf8(std::string& out, const char16_t* units, size_t max) {
  const size_t ascii = AppendAsciiPrefix(out, units, max);
  size_t length = ascii;
  while (length < max && units[length] != 0) ++length;
  AppendUtf16AsUtf8(out, std::u16string_view(units + ascii, length - ascii));
}

void AppendUtf16AsUtf8(std::string& out, std::u16string_view utf16) {
  // A 0 unit is a character like any other here: the loop below takes it.
  const size_t ascii = AppendAsciiPrefix(out, utf16.data(), utf16.size());
  if (ascii == utf16.size()) return;
  out.reserve(out.size() + (utf16.size() - ascii) * 3);
  for (size_t i = ascii; i < utf16.size(); ++i) {
    const char16_t unit = utf16[i];
    if (IsHighSurrogate(unit) && i + 1 < utf16.size() && IsLowSurrogate(utf16[i + 1])) {
      AppendUtf8(out, 0x10000 + ((char32_t{unit} - 0xD800) << 10) + (utf16[i + 1] - 0xDC00));
      ++i;
    } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
      AppendUtf8(out, kReplacement);
    } else {
      AppendUtf8(out, unit);
    }
  }
}

}  // namespace zuno

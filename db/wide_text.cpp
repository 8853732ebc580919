#include "db/wide_text.h"

namespace zuno {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// The range the second byte of a sequence must lie in; narrower than 80..BF
// after E0, ED, F0 and F4 so that overlong forms, surrogates and values above
// U+10FFFF are refused at the first byte that gives them away.
bool SecondByteFits(unsigned char lead, unsigned char second) {
  switch (lead) {
    case 0xE0: return second >= 0xA0 && second <= 0xBF;
    case 0xED: return second >= 0x80 && second <= 0x9F;
    case 0xF0: return second >= 0x90 && second <= 0xBF;
    case 0xF4: return second >= 0x80 && second <= 0x8F;
    default: return IsContinuation(second);
  }
}

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
    if (i == 0 ? !SecondByteFits(lead, next) : !IsContinuation(next)) return kReplacement;
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

bool IsHighSurrogate(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLowSurrogate(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

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

void AppendUtf16AsUtf8(std::string& out, std::u16string_view utf16) {
  // Most values a driver hands over are ASCII from the first unit to the last:
  // those go over a byte a unit without a character-by-character append.
  size_t ascii = 0;
  while (ascii < utf16.size() && utf16[ascii] < 0x80) ++ascii;
  const size_t start = out.size();
  out.resize(start + ascii);
  char* at = out.data() + start;
  for (size_t i = 0; i < ascii; ++i) at[i] = static_cast<char>(utf16[i]);
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

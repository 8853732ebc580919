// Second, independent statements of rules the parsers implement, written the
// other way round from the code under test (decode then judge the value,
// explicit state tables), so that a fault in one is not repeated in the other.
#pragma once

#include <algorithm>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zuno::fuzz {

// One UTF-8 character read by counting the lead byte's high ones, then judged
// by its value: the shortest form, not a surrogate, at most U+10FFFF.
// Returns the byte length, or 0 when the bytes at `at` are no character.
inline std::size_t Utf8CharacterLength(std::string_view text, std::size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  std::size_t length = 0;
  while (length < 8 && (lead & (0x80u >> length))) ++length;
  if (length == 0) return 1;
  if (length == 1 || length > 4 || at + length > text.size()) return 0;
  char32_t value = lead & (0x7Fu >> length);
  for (std::size_t i = 1; i < length; ++i) {
    const auto b = static_cast<unsigned char>(text[at + i]);
    if ((b >> 6) != 2) return 0;
    value = (value << 6) | (b & 0x3Fu);
  }
  static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (value < kSmallest[length] || value > 0x10FFFF) return 0;
  if (value >= 0xD800 && value <= 0xDFFF) return 0;
  return length;
}

inline bool IsValidUtf8(std::string_view text) {
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t length = Utf8CharacterLength(text, at);
    if (length == 0) return false;
    at += length;
  }
  return true;
}

// Code points of a valid UTF-8 text.
inline std::size_t CodePointCount(std::string_view valid) {
  std::size_t count = 0;
  for (std::size_t at = 0; at < valid.size(); at += Utf8CharacterLength(valid, at)) ++count;
  return count;
}

inline bool HasLoneSurrogate(std::u16string_view units) {
  for (std::size_t i = 0; i < units.size(); ++i) {
    const char16_t u = units[i];
    if (u >= 0xD800 && u <= 0xDBFF) {
      if (i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF) {
        ++i;
        continue;
      }
      return true;
    }
    if (u >= 0xDC00 && u <= 0xDFFF) return true;
  }
  return false;
}

// A decimal number as the statement generator means it: sign, digits, an
// optional fraction of digits, an optional exponent; blanks and tabs around.
inline bool ReferenceDecimalNumber(std::string_view text) {
  enum State { kLead, kSign, kInteger, kPoint, kFraction, kE, kESign, kExponent, kTrail };
  State state = kLead;
  for (char c : text) {
    const bool digit = c >= '0' && c <= '9';
    const bool blank = c == ' ' || c == '\t';
    const bool sign = c == '+' || c == '-';
    const bool e = c == 'e' || c == 'E';
    switch (state) {
      case kLead:
        if (blank) continue;
        if (sign)
          state = kSign;
        else if (digit)
          state = kInteger;
        else
          return false;
        break;
      case kSign:
        if (!digit) return false;
        state = kInteger;
        break;
      case kInteger:
        if (digit) continue;
        if (c == '.')
          state = kPoint;
        else if (e)
          state = kE;
        else if (blank)
          state = kTrail;
        else
          return false;
        break;
      case kPoint:
        if (!digit) return false;
        state = kFraction;
        break;
      case kFraction:
        if (digit) continue;
        if (e)
          state = kE;
        else if (blank)
          state = kTrail;
        else
          return false;
        break;
      case kE:
        if (sign)
          state = kESign;
        else if (digit)
          state = kExponent;
        else
          return false;
        break;
      case kESign:
        if (!digit) return false;
        state = kExponent;
        break;
      case kExponent:
        if (digit) continue;
        if (blank)
          state = kTrail;
        else
          return false;
        break;
      case kTrail:
        if (!blank) return false;
        break;
    }
  }
  return state == kInteger || state == kFraction || state == kExponent || state == kTrail;
}

// The text of a run of apostrophe-quoted SQL literals read back, outside
// text skipped: each literal's content with doubled apostrophes made single.
// nullopt when a literal is left open.
inline std::optional<std::vector<std::string>> ReadSqlLiterals(std::string_view sql) {
  std::vector<std::string> literals;
  std::size_t at = 0;
  while ((at = sql.find('\'', at)) != std::string_view::npos) {
    std::string content;
    ++at;
    for (;;) {
      if (at >= sql.size()) return std::nullopt;
      if (sql[at] != '\'') {
        content += sql[at++];
      } else if (at + 1 < sql.size() && sql[at + 1] == '\'') {
        content += '\'';
        at += 2;
      } else {
        ++at;
        break;
      }
    }
    literals.push_back(std::move(content));
  }
  return literals;
}

// The text of exactly one SQL literal ('...' with inner apostrophes doubled),
// or nullopt when the text is anything else.
inline std::optional<std::string> ReadOneSqlLiteral(std::string_view sql) {
  if (sql.size() < 2 || sql.front() != '\'' || sql.back() != '\'') return std::nullopt;
  const auto literals = ReadSqlLiterals(sql);
  if (!literals || literals->size() != 1) return std::nullopt;
  // The only literal must span the whole text: re-quoting gives its length.
  std::size_t apostrophes = 0;
  for (char c : (*literals)[0]) apostrophes += c == '\'';
  if ((*literals)[0].size() + apostrophes + 2 != sql.size()) return std::nullopt;
  return (*literals)[0];
}

// Doubled apostrophes made single; nullopt at an apostrophe that stands alone.
inline std::optional<std::string> UndoubleApostrophes(std::string_view text) {
  std::string out;
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (text[at] == '\'') {
      if (at + 1 >= text.size() || text[at + 1] != '\'') return std::nullopt;
      ++at;
    }
    out += text[at];
  }
  return out;
}

// An ordinary identifier: an upper-case ASCII letter, then upper-case ASCII
// letters, digits, "_", "$", "#" and "@" (Db2 folds anything else).
inline bool ReferenceOrdinaryName(std::string_view name) {
  auto letter = [](char c) { return c >= 'A' && c <= 'Z'; };
  if (name.empty() || !letter(name.front())) return false;
  return std::all_of(name.begin(), name.end(), [&](char c) {
    return letter(c) || (c >= '0' && c <= '9') || c == '_' || c == '$' || c == '#' || c == '@';
  });
}

// The name one generated name stands for: an ordinary identifier or the empty
// text as it is, otherwise one double-quoted name with inner quotes doubled;
// nullopt for anything else.
inline std::optional<std::string> ReadOneName(std::string_view sql) {
  if (sql.empty() || ReferenceOrdinaryName(sql)) return std::string(sql);
  if (sql.size() < 2 || sql.front() != '"' || sql.back() != '"') return std::nullopt;
  std::string name;
  for (std::size_t at = 1; at + 1 < sql.size(); ++at) {
    if (sql[at] == '"') {
      if (at + 2 >= sql.size() || sql[at + 1] != '"') return std::nullopt;
      ++at;
    }
    name += sql[at];
  }
  return name;
}

}  // namespace zuno::fuzz

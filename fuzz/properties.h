// What must hold for every input of each parser of outside text. The fuzz
// targets run these on every generated input; the unit tests replay the seed
// corpora and every input that once broke a parser through the same checks.
// Each check names the property it found broken; an empty list means all held.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/settings_file.h"
#include "base/text_lines.h"
#include "base/utf8.h"
#include "catalog/catalog_sql.h"
#include "db/type_class.h"
#include "db/wide_text.h"
#include "fuzz/fuzz_input.h"
#include "fuzz/reference_rules.h"
#include "grid/cell_text.h"
#include "library/query_name_order.h"
#include "library/query_store_format.h"
#include "query/comment_removal.h"
#include "query/statement_class.h"
#include "query/variable_scan.h"
#include "sql/db2_identifier.h"
#include "sql/sql_lexer.h"
#include "tools/program_runner.h"
#include "tools/statement_generator.h"
#include "tools/temp_file_text.h"

namespace zuno::fuzz {

using Failures = std::vector<std::string>;

class Checks {
 public:
  void operator()(bool holds, const char* property) {
    if (!holds) failures_.emplace_back(property);
  }
  Failures Take() { return std::move(failures_); }

 private:
  Failures failures_;
};

inline bool Contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

inline bool HasLineEnd(std::string_view text) {
  return text.find_first_of("\r\n") != std::string_view::npos;
}

inline std::string Without(std::string_view text, std::string_view dropped) {
  std::string kept;
  for (char c : text)
    if (dropped.find(c) == std::string_view::npos) kept += c;
  return kept;
}

inline bool EndsWith(std::string_view text, std::string_view end) {
  return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

// ---- Settings File ----------------------------------------------------------

inline Failures SettingsFileProperties(std::string_view bytes) {
  Checks check;

  const std::vector<std::string_view> lines = SplitLines(bytes);
  std::size_t lineBytes = 0;
  const char* previousEnd = bytes.data();
  bool inOrder = true;
  for (std::string_view line : lines) {
    check(!HasLineEnd(line), "SplitLines: a line holds a line end");
    lineBytes += line.size();
    inOrder = inOrder && line.data() >= previousEnd &&
              line.data() + line.size() <= bytes.data() + bytes.size();
    previousEnd = line.data() + line.size();
  }
  check(inOrder, "SplitLines: lines are not the text's parts in order");
  const auto lineEndBytes = static_cast<std::size_t>(
      std::count_if(bytes.begin(), bytes.end(), [](char c) { return c == '\r' || c == '\n'; }));
  check(lineBytes + lineEndBytes == bytes.size(),
        "SplitLines: bytes other than line ends were lost");

  // Each key's value comes from the last line that holds the key, and is the
  // end of that line.
  const Settings parsed = ParseSettings(bytes);
  auto lastLineWith = [&lines](std::string_view key) -> std::string_view {
    std::string_view found;
    for (std::string_view line : lines)
      if (Contains(line, key)) found = line;
    return found;
  };
  for (auto [key, value] : {std::pair{std::string_view("lastconnect="), &parsed.lastConnect},
                            std::pair{std::string_view("lastuser="), &parsed.lastUser}}) {
    const std::string_view line = lastLineWith(key);
    check(value->has_value() == Contains(bytes, key),
          "ParseSettings: a value is set without its key, or lost");
    if (!value->has_value()) continue;
    check(EndsWith(line, **value),
          "ParseSettings: a value is not the end of the last line with its key");
    if (line.substr(0, key.size()) == key)
      check(**value == line.substr(key.size()),
            "ParseSettings: the value of a line that starts with the key is wrong");
  }

  // What the program writes it reads back. A user name holding
  // "lastconnect=" is the one exception the line rule makes: its line then
  // names the data source too.
  FuzzInput in(bytes);
  const std::string source = Without(in.Field(), "\r\n");
  const std::string user = Without(in.Field(), "\r\n");
  if (!Contains(user, "lastconnect=")) {
    const Settings back = ParseSettings(FormatSettings(source, user));
    check(back.lastConnect == source, "ParseSettings(FormatSettings(a, b)) does not give back a");
    check(back.lastUser == user, "ParseSettings(FormatSettings(a, b)) does not give back b");
  }
  return check.Take();
}

// ---- Query store format ----------------------------------------------------

inline bool AnyFieldHolds(const std::vector<QueryRecord>& records, char c) {
  for (const QueryRecord& r : records)
    if (Contains(r.name, std::string_view(&c, 1)) || Contains(r.sqlText, std::string_view(&c, 1)) ||
        Contains(r.user, std::string_view(&c, 1)))
      return true;
  return false;
}

inline bool IsAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

inline std::string AsciiLower(std::string_view text) {
  std::string lowered(text);
  for (char& c : lowered)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return lowered;
}

inline Failures QueryStoreProperties(std::string_view bytes) {
  Checks check;

  // Any file: what was read is written so that it reads back the same, and
  // writing is stable.
  const std::vector<QueryRecord> read = DecodeQueryRecords(bytes);
  check(!AnyFieldHolds(read, '\0'), "DecodeQueryRecords: a field holds a NUL");
  const std::string written = EncodeQueryRecords(read);
  check(DecodeQueryRecords(written) == read,
        "a store written from decoded records decodes to other records");
  check(EncodeQueryRecords(DecodeQueryRecords(written)) == written, "encoding twice is not stable");
  const std::size_t cap = read.size() / 2;
  const std::vector<QueryRecord> capped = DecodeQueryRecords(bytes, cap);
  check(capped.size() == cap && std::equal(capped.begin(), capped.end(), read.begin()),
        "DecodeQueryRecords with a cap does not give the first records");
  // Only a text that reads back whole may be rewritten; what is written always does.
  check(DecodeStoreText(written).whole, "a store as written does not read back whole");
  check(!DecodeStoreText(bytes).whole || bytes.find('\0') == std::string_view::npos,
        "a text with a NUL byte reads back whole");

  // Any records: they come back as written, NULs left out.
  std::vector<QueryRecord> records;
  std::vector<std::string> names;
  FuzzInput in(bytes);
  while (!in.Empty()) {
    QueryRecord r{std::string(in.Field()), std::string(in.Field()), std::string(in.Field())};
    names.push_back(r.name);
    records.push_back(std::move(r));
  }
  std::vector<QueryRecord> expected = records;
  for (QueryRecord& r : expected)
    for (std::string* field : {&r.name, &r.sqlText, &r.user})
      *field = Without(*field, std::string_view("\0", 1));
  check(DecodeQueryRecords(EncodeQueryRecords(records)) == expected,
        "records do not survive the store format");

  // The Query Names list: the same names, ordered without regard to ASCII
  // case, names equal but for case in store order.
  std::vector<std::string> sorted = names;
  SortQueryNames(sorted);
  std::vector<std::string> a = names, b = sorted;
  std::sort(a.begin(), a.end());
  std::sort(b.begin(), b.end());
  check(a == b, "SortQueryNames: names lost or invented");
  std::vector<std::string> again = sorted;
  SortQueryNames(again);
  check(again == sorted, "SortQueryNames: sorting a sorted list changes it");
  if (std::all_of(names.begin(), names.end(), [](const std::string& n) { return IsAscii(n); })) {
    for (std::size_t i = 1; i < sorted.size(); ++i) {
      const std::string low = AsciiLower(sorted[i - 1]), high = AsciiLower(sorted[i]);
      check(low <= high, "SortQueryNames: ASCII names out of case-blind order");
      if (low != high) continue;
      // Equal keys: the earlier one in the list must be the earlier in the store.
      std::vector<std::string> inStore, inList;
      for (const std::string& n : names)
        if (AsciiLower(n) == low) inStore.push_back(n);
      for (const std::string& n : sorted)
        if (AsciiLower(n) == low) inList.push_back(n);
      check(inStore == inList, "SortQueryNames: names equal but for case lost their store order");
    }
  }
  return check.Take();
}

// ---- Comment removal -------------------------------------------------------

// A "--" outside strings, delimited names and /* */ comments, found the way
// the statement is read.
inline bool HasOpenComment(std::string_view text) {
  char quote = 0;
  bool block = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char next = i + 1 < text.size() ? text[i + 1] : '\0';
    if (block) {
      if (text[i] == '*' && next == '/') block = false, ++i;
    } else if (quote != 0) {
      if (text[i] == quote) quote = 0;  // a doubled quote closes and opens again
    } else if (text[i] == '\'' || text[i] == '"') {
      quote = text[i];
    } else if (text[i] == '/' && next == '*') {
      block = true, ++i;
    } else if (text[i] == '-' && next == '-') {
      return true;
    }
  }
  return false;
}

inline bool IsSubsequence(std::string_view part, std::string_view whole) {
  std::size_t at = 0;
  for (char c : whole)
    if (at < part.size() && part[at] == c) ++at;
  return at == part.size();
}

inline Failures CommentRemovalProperties(std::string_view bytes) {
  Checks check;
  const std::string removed = RemoveComments(bytes);
  check(removed.size() <= bytes.size(), "RemoveComments: the text grew");
  check(IsSubsequence(removed, bytes),
        "RemoveComments: kept text is not the input's characters in order");
  check(!HasOpenComment(removed), "RemoveComments: a comment outside quotes is left");
  check(RemoveComments(removed) == removed, "RemoveComments: not idempotent");
  if (!Contains(bytes, "--"))
    check(removed == bytes, "RemoveComments: a text without comments changed");
  const std::string flat = FlattenCarriageReturns(std::string(bytes));
  check(flat.size() == bytes.size() && !Contains(flat, "\r"),
        "FlattenCarriageReturns: length changed or CR left");
  bool sameElsewhere = true;
  for (std::size_t i = 0; i < flat.size() && i < bytes.size(); ++i)
    sameElsewhere = sameElsewhere && (bytes[i] == '\r' ? flat[i] == ' ' : flat[i] == bytes[i]);
  check(sameElsewhere, "FlattenCarriageReturns: a character other than CR changed");
  return check.Take();
}

// ---- Variable scan ---------------------------------------------------------

inline Failures VariableScanProperties(std::string_view text) {
  Checks check;
  const std::vector<std::string> names = ScanVariables(text);
  check(names.size() <= kMaxVariables, "ScanVariables: more names than the list holds");

  // The one scanner's spans (the names are their texts, the editor colours
  // them) run left to right without overlap, each from a colon that follows
  // a character ending names.
  const std::vector<TextSpan> spans = ScanVariableSpans(text);
  bool inOrder = true;
  std::size_t from = 0;
  for (const TextSpan& s : spans) {
    inOrder = inOrder && s.begin >= from && s.begin < s.end && s.end <= text.size() && s.begin > 0 &&
              text[s.begin] == ':' && EndsVariable(text[s.begin - 1]);
    if (!inOrder) break;
    from = s.end;
  }
  check(inOrder, "ScanVariableSpans: a span is out of order or not after a character ending names");

  // Answering every variable with its own name leaves the text as typed, and
  // a variable is asked for each change of name in the list.
  std::size_t asked = 0;
  const auto same = FillVariables(std::string(text), [&asked](std::string_view name) {
    ++asked;
    return std::string(name);
  });
  std::size_t changes = 0;
  for (std::size_t i = 0; i < names.size(); ++i) changes += i == 0 || names[i] != names[i - 1];
  check(same == std::string(text), "FillVariables: answering with the names changed the text");
  check(asked == changes, "FillVariables: asked a different number of times than the names change");

  const auto givenUp =
      FillVariables(std::string(text), [](std::string_view) { return std::string(); });
  check(givenUp.has_value() == names.empty(),
        "FillVariables: an empty answer did not stop the run");

  // When every colon of the text starts a found variable, colon-free answers
  // leave no colon (so no variable) behind. A stray colon, as in "::A", may
  // join an answer to a new variable, which plain replacement allows.
  const auto colons = static_cast<std::size_t>(std::count(text.begin(), text.end(), ':'));
  const bool eachNameOneColon = std::all_of(names.begin(), names.end(), [](const std::string& n) {
    return std::count(n.begin(), n.end(), ':') == 1;
  });
  if (colons == names.size() && eachNameOneColon) {
    const auto filled = FillVariables(
        std::string(text), [](std::string_view name) { return std::string(name.substr(1)) + "0"; });
    check(filled && !Contains(*filled, ":"),
          "FillVariables: colon-free answers left a variable behind");
  }
  return check.Take();
}

// ---- Classification --------------------------------------------------------

inline bool IsStatementSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

inline Failures StatementClassProperties(std::string_view text) {
  Checks check;
  const std::string word = FirstWord(text);
  check(std::none_of(word.begin(), word.end(), IsStatementSpace),
        "FirstWord: the word holds white space");
  check(std::none_of(word.begin(), word.end(), [](char c) { return c >= 'a' && c <= 'z'; }),
        "FirstWord: a lower-case ASCII letter is left");
  check(std::all_of(word.begin(), word.end(), IsSqlNameByte) && Contains(AsciiLower(text), AsciiLower(word)),
        "FirstWord: the word is no word of the text");
  check(FirstWord(word) == word, "FirstWord: not idempotent");
  const bool rows = word == "SELECT" || word == "WITH" || word == "CALL";
  check((ClassifyStatement(text) == StatementPath::ResultSet) == rows,
        "ClassifyStatement disagrees with FirstWord");
  return check.Take();
}

// ---- Cell texts ------------------------------------------------------------

// |parsed - value| for a text that strtod reads whole; infinity when it does not.
inline double ParsedDistance(const std::string& text, double value) {
  char* end = nullptr;
  const double parsed = std::strtod(text.c_str(), &end);
  if (end != text.c_str() + text.size()) return INFINITY;
  return std::fabs(parsed - value);
}

inline bool IsFixedNotation(std::string_view text, std::size_t decimals) {
  std::size_t at = text.substr(0, 1) == "-" ? 1 : 0;
  const std::size_t digitsFrom = at;
  while (at < text.size() && text[at] >= '0' && text[at] <= '9') ++at;
  if (at == digitsFrom) return false;
  if (at == text.size()) return true;
  if (text[at] != '.') return false;
  const std::string_view fraction = text.substr(at + 1);
  return fraction.size() <= decimals &&
         std::all_of(fraction.begin(), fraction.end(), [](char c) { return c >= '0' && c <= '9'; });
}

inline Failures CellTextProperties(std::string_view bytes) {
  Checks check;
  FuzzInput in(bytes);
  const double value = in.RawDouble();
  const std::int64_t columnSize = in.Int64();
  const std::string_view text = in.Rest();

  const std::string shown = DoubleText(value);
  const std::string two = FloatText(value);
  if (std::isfinite(value)) {
    check(IsFixedNotation(shown, 10),
          "DoubleText: not plain fixed notation with at most ten decimals");
    check(shown.find('.') == std::string::npos || (shown.back() != '0' && shown.back() != '.'),
          "DoubleText: a trailing zero or point is left");
    check(ParsedDistance(shown, value) <= 1e-10 * std::max(1.0, std::fabs(value)),
          "DoubleText does not parse back to within 1e-10");
    check(IsFixedNotation(two, 2) && two.size() > 3 && two[two.size() - 3] == '.',
          "FloatText: not exactly two decimals");
    check(ParsedDistance(two, value) <= 0.005 + 1e-15 * std::fabs(value),
          "FloatText does not parse back");
  } else {
    const char* word = std::isnan(value) ? "NaN" : value > 0 ? "+Infinity" : "-Infinity";
    check(shown == word && two == word,
          "DoubleText/FloatText: wrong word for a value that is not finite");
  }

  const std::string padded = Pad(text, columnSize);
  check(EndsWith(padded, text), "Pad: the text is cut or changed");
  const std::string_view front =
      std::string_view(padded).substr(0, padded.size() - std::min(padded.size(), text.size()));
  check(std::all_of(front.begin(), front.end(), [](char c) { return c == ' '; }),
        "Pad: padding is not spaces");
  const std::int64_t width = std::min<std::int64_t>(columnSize, kMaxPadWidth - 1) + 1;
  if (!front.empty())
    check(static_cast<std::int64_t>(utf8::CharacterCount(padded)) == width,
          "Pad: padded to the wrong width");
  else
    check(static_cast<std::int64_t>(utf8::CharacterCount(text)) >= width,
          "Pad: a short text was not padded");

  const bool valid = IsValidUtf8(text);
  if (valid)
    check(utf8::CharacterCount(text) == CodePointCount(text), "CharacterCount: wrong for valid UTF-8");
  const std::string marked = MarkLineFeeds(std::string(text));
  check(!Contains(marked, "\n"), "MarkLineFeeds: a line feed is left");
  if (!Contains(text, kLineFeedMarker))
    check(RestoreLineFeeds(marked) == text, "RestoreLineFeeds(MarkLineFeeds(t)) is not t");
  if (valid)
    check(IsValidUtf8(marked) && utf8::CharacterCount(marked) == utf8::CharacterCount(text),
          "MarkLineFeeds: characters changed");

  const std::string date = DateText(text);
  if (valid) check(IsValidUtf8(date), "DateText: a character was cut");
  // A well-formed date, whatever its digits, comes back from its display.
  std::string iso = "0000-00-00";
  for (std::size_t i = 0, at = 0; i < iso.size() && at < text.size(); ++i, ++at)
    if (iso[i] != '-') iso[i] = static_cast<char>('0' + static_cast<unsigned char>(text[at]) % 10);
  const std::string display = DateText(iso);
  check(display.size() == 10 &&
            display.substr(6, 4) + "-" + display.substr(3, 2) + "-" + display.substr(0, 2) == iso,
        "DateText of a date does not round-trip");
  return check.Take();
}

// ---- Type Class and wide text ----------------------------------------------

inline Failures TypeClassProperties(std::string_view bytes) {
  Checks check;
  FuzzInput in(bytes);
  const auto kind = static_cast<ColumnKind>(in.Byte() % (static_cast<int>(ColumnKind::None) + 1));
  const auto current = static_cast<TypeClass>(in.Byte() % (static_cast<int>(TypeClass::Other) + 1));
  const bool isNull = in.Byte() & 1;
  const auto columnSize =
      static_cast<int>(std::clamp<std::int64_t>(in.Int64(), INT32_MIN, INT32_MAX));
  const std::string_view text = in.Rest();

  const TypeClass fromUtf8 = StringTypeClass(text, columnSize);
  const std::u16string units = Utf8ToUtf16(text);
  check(fromUtf8 == StringTypeClass(units, columnSize),
        "StringTypeClass: UTF-8 and UTF-16 forms disagree");
  check(StringTypeClass(std::u16string_view(units).substr(0, 10), columnSize) ==
            StringTypeClass(units, columnSize),
        "StringTypeClass: a unit after the tenth changed the class");
  switch (fromUtf8) {
    case TypeClass::Date:
    case TypeClass::Timestamp:
      check(fromUtf8 == TypeClass::Date ? columnSize == 10 : columnSize >= 26,
            "StringTypeClass: date class for a wrong size");
      check(units.size() >= 8 && units[4] == u'-' && units[7] == u'-',
            "StringTypeClass: a date without its dashes");
      break;
    case TypeClass::Time:
      check(columnSize == 8 && units.size() >= 6 && units[2] == u':' && units[5] == u':',
            "StringTypeClass: a time without its colons or size 8");
      break;
    case TypeClass::String:
      break;
    default:
      check(false, "StringTypeClass: a class a value cannot give");
  }

  // Texts of digits in the date or time pattern, judged by the numbers.
  auto number = [&units](std::size_t from, std::size_t count) {
    int n = 0;
    for (std::size_t i = from; i < from + count; ++i) {
      if (i >= units.size() || units[i] < u'0' || units[i] > u'9') return -1;
      n = n * 10 + (units[i] - u'0');
    }
    return n;
  };
  const int year = number(0, 4), month = number(5, 2), day = number(8, 2);
  if (year >= 0 && month >= 0 && day >= 0 && units[4] == u'-' && units[7] == u'-') {
    const bool date = month >= 1 && month <= 12 && day >= 1 && day <= 31;
    const TypeClass expected = !date              ? TypeClass::String
                               : columnSize == 10 ? TypeClass::Date
                               : columnSize >= 26 ? TypeClass::Timestamp
                                                  : TypeClass::String;
    check(fromUtf8 == expected, "StringTypeClass: a date of digits judged wrongly");
  }
  const int hours = number(0, 2), minutes = number(3, 2), seconds = number(6, 2);
  if (hours >= 0 && minutes >= 0 && seconds >= 0 && units[2] == u':' && units[5] == u':') {
    const bool time = hours <= 24 && minutes <= 59 && seconds <= 59 && columnSize == 8;
    check((fromUtf8 == TypeClass::Time) == time,
          "StringTypeClass: a time of digits judged wrongly");
  }

  const TypeClass next = NextTypeClass(current, kind, columnSize, isNull, text);
  if (kind != ColumnKind::String)
    check(next == NextTypeClass(TypeClass::Unset, kind, columnSize, isNull, ""),
          "NextTypeClass: a non-string kind's class hung on earlier rows or the text");
  else if (isNull)
    check(next == (current == TypeClass::Unset ? TypeClass::String : current),
          "NextTypeClass: a NULL changed the class");
  else
    check(next == fromUtf8, "NextTypeClass: a value did not set the class anew");
  check(next != TypeClass::Unset, "NextTypeClass: a row left the class unset");
  return check.Take();
}

inline Failures WideTextProperties(std::string_view bytes) {
  Checks check;
  const std::u16string units = Utf8ToUtf16(bytes);
  const std::string back = Utf16ToUtf8(units);
  check(units.size() <= bytes.size(), "Utf8ToUtf16: more units than bytes");
  check(!HasLoneSurrogate(units), "Utf8ToUtf16: a lone surrogate");
  check(IsValidUtf8(back), "Utf16ToUtf8(Utf8ToUtf16(x)) is not valid UTF-8");
  // Ill-formed bytes never come through as they were: each becomes U+FFFD.
  check((back == bytes) == IsValidUtf8(bytes),
        "UTF-8 -> UTF-16 -> UTF-8 kept ill-formed bytes or changed valid ones");
  if (!IsValidUtf8(bytes))
    check(units.find(u'\uFFFD') != std::u16string::npos,
          "Utf8ToUtf16: ill-formed bytes gave no U+FFFD");
  if (IsValidUtf8(bytes)) {
    check(back == bytes, "UTF-8 -> UTF-16 -> UTF-8 is not the identity on valid UTF-8");
    std::size_t pairs = 0;
    for (char16_t u : units) pairs += u >= 0xD800 && u <= 0xDBFF;
    check(units.size() - pairs == CodePointCount(bytes), "Utf8ToUtf16: wrong number of characters");
  }

  // The same bytes read as UTF-16 units, as they come from the driver.
  std::u16string raw;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
    raw.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                        (static_cast<unsigned char>(bytes[i + 1]) << 8)));
  const std::string utf8 = Utf16ToUtf8(raw);
  check(IsValidUtf8(utf8), "Utf16ToUtf8: not valid UTF-8");
  if (!HasLoneSurrogate(raw))
    check(Utf8ToUtf16(utf8) == raw, "UTF-16 -> UTF-8 -> UTF-16 is not the identity");
  return check.Take();
}

// ---- Program Runner --------------------------------------------------------

inline bool IsArgumentSeparator(char c) { return c == ' ' || c == '\t' || c == '\n'; }

inline Failures ProgramRunnerProperties(std::string_view bytes) {
  Checks check;
  FuzzInput in(bytes);
  const std::string_view name = in.Field();
  const std::string_view path = in.Field();
  const std::string_view parameters = in.Rest();

  const std::vector<std::string> words = SplitArguments(parameters);
  const bool quoted = Contains(parameters, "\"");
  check(words.size() <= kMaxProgramWords, "SplitArguments: more than 511 words");
  for (const std::string& w : words) {
    check(Contains(parameters, w), "SplitArguments: a word is not part of the parameters");
    if (!quoted) {
      check(std::none_of(w.begin(), w.end(), IsArgumentSeparator),
            "SplitArguments: a blank inside an unquoted word");
      check(!w.empty(), "SplitArguments: an empty word without quotes");
    }
  }
  if (!quoted) {
    // Without quotes the words are the runs between blanks, tabs and line feeds.
    std::vector<std::string> runs;
    std::string run;
    for (char c : parameters) {
      if (!IsArgumentSeparator(c)) {
        run += c;
      } else if (!run.empty()) {
        runs.push_back(std::move(run));
        run.clear();
      }
    }
    if (!run.empty()) runs.push_back(std::move(run));
    if (runs.size() > kMaxProgramWords) runs.resize(kMaxProgramWords);
    check(words == runs, "SplitArguments: unquoted words differ from the runs between separators");
  }
  const std::vector<std::string> arguments = ProgramArguments(name, parameters);
  check(!arguments.empty() && arguments[0] == name &&
            std::equal(arguments.begin() + 1, arguments.end(), words.begin(), words.end()),
        "ProgramArguments: not the name followed by the words");

  // Lookup only stats files; a NUL would end the name early for the system,
  // and names come from C strings, so none is tried.
  if (!Contains(name, std::string_view("\0", 1)) && !Contains(path, std::string_view("\0", 1))) {
    const std::string pathVariable(path);
    const auto found = FindProgram(name, path.empty() ? nullptr : pathVariable.c_str());
    if (found) {
      check(IsExecutableFile(*found), "FindProgram: found a file that cannot be started");
      if (!Contains(name, "/")) {
        check(found->size() > name.size() && EndsWith(*found, name) &&
                  (*found)[found->size() - name.size() - 1] == '/',
              "FindProgram: the file found is not the name in a directory");
        const std::string directory = found->substr(0, found->size() - name.size());
        bool listed = false;
        for (std::string_view rest = path;;) {
          const std::size_t colon = rest.find(':');
          std::string entry(rest.substr(0, colon));
          if (!entry.empty() && entry.back() != '/') entry += '/';
          // Only an absolute entry is searched: a relative one names the working directory.
          listed = listed || (entry.starts_with('/') && entry == directory);
          if (colon == std::string_view::npos) break;
          rest.remove_prefix(colon + 1);
        }
        check(listed, "FindProgram: found in a directory PATH does not name, or not an absolute one");
      }
    }
    if ((name.starts_with("/") || name.starts_with("./")) && !IsExecutableFile(std::string(name)))
      check(!found,
            "FindProgram: an absolute or ./ name that cannot be started was looked up in PATH");
  }
  return check.Take();
}

// ---- Statement generators --------------------------------------------------

inline bool IsGeneratorSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// Apostrophes that open and close literals pair up, so no value text is left
// outside a literal to run as SQL.
inline bool LiteralsClosed(std::string_view sql) { return ReadSqlLiterals(sql).has_value(); }

// The text a NULL shows in a column the grid knows nothing of: Null, padded
// with blanks or tabs.
inline bool IsNullText(std::string_view cell) {
  const std::size_t first = cell.find_first_not_of(" \t");
  return first != std::string_view::npos && cell.substr(first, cell.find_last_not_of(" \t") - first + 1) == "Null";
}

inline Failures StatementGeneratorProperties(std::string_view bytes) {
  Checks check;
  FuzzInput in(bytes);
  GeneratorInput input;
  input.statementText = std::string(in.Field());
  input.drilledSchema = std::string(in.Field());
  input.drilledName = std::string(in.Field());
  // Input that ends after a title leaves that title without a value.
  while (!in.Empty()) {
    input.titles.emplace_back(in.Field());
    if (!in.Empty()) input.values.emplace_back(in.Field());
  }

  for (const std::string& cell : input.values) {
    check(IsDecimalNumber(cell) == ReferenceDecimalNumber(cell),
          "IsDecimalNumber disagrees with the reference");
    const std::string form = ValueForm(cell);
    if (IsNullText(cell))
      check(form == "NULL", "ValueForm: Null is not NULL");
    else if (ReferenceDecimalNumber(cell))
      check(form == cell, "ValueForm: a number changed");
    else
      check(ReadOneSqlLiteral(form) == cell, "ValueForm: a text is not one SQL literal of itself");
    // What the grid knew wins over the text.
    check(ReadOneSqlLiteral(ValueForm(cell, ValueType::Text)) == cell,
          "ValueForm: a text column's value is not one SQL literal of itself");
    check(ValueForm(cell, ValueType::Text, true) == "NULL" && ValueForm(cell, ValueType::Number, true) == "NULL",
          "ValueForm: a cell known as NULL is not NULL");
    if (!ReferenceDecimalNumber(cell))
      check(ReadOneSqlLiteral(ValueForm(cell, ValueType::Number)) == cell,
            "ValueForm: a number column's text that is no number is not one SQL literal of itself");
  }
  for (const std::string& title : input.titles) {
    check(ReadOneName(Db2Name(title)) == title, "Db2Name: a name is not one SQL name of itself");
    check(!ReferenceOrdinaryName(title) || IsDb2ReservedWord(title) || Db2Name(title) == title,
          "Db2Name: an ordinary name changed");
  }
  check(IsDecimalNumber(input.statementText) == ReferenceDecimalNumber(input.statementText),
        "IsDecimalNumber disagrees with the reference");

  const TargetTable target = FindTargetTable(input.statementText, input.drilledSchema, input.drilledName);
  if (target.fromText) {
    check(Contains(input.statementText, target.name) &&
              (Contains(target.name, "\"") || std::none_of(target.name.begin(), target.name.end(), IsGeneratorSpace)),
          "FindTargetTable: not a name of the statement, or white space outside a delimited name");
  } else {
    check(target.name == Db2Name(input.drilledSchema) + "." + Db2Name(input.drilledName),
          "FindTargetTable: not the drilled table");
  }

  const std::string insert = GenerateInsert(input).text;
  const GeneratedStatement updated = GenerateUpdate(input);
  const GeneratedStatement removed = GenerateDelete(input);
  // Without columns there is no WHERE clause, and so no UPDATE or DELETE.
  check(updated.text.empty() == input.titles.empty() && removed.text.empty() == input.titles.empty(),
        "GenerateUpdate, GenerateDelete: written without a WHERE clause, or refused with one");
  if (input.titles.empty()) return check.Take();
  const std::string& update = updated.text;
  const std::string& remove = removed.text;
  check(insert.starts_with("insert into " + target.name + " (") && EndsWith(insert, ")"),
        "GenerateInsert: not an INSERT into the target");
  check(update.starts_with("update ") && Contains(update, target.name + " set "),
        "GenerateUpdate: not an UPDATE of the target");
  check(remove.starts_with("delete from " + target.name + " where "),
        "GenerateDelete: not a DELETE from the target");
  // With names free of apostrophes, every apostrophe in a statement belongs
  // to a value's literal, and every literal is closed.
  bool namesPlain = !Contains(target.name, "'");
  for (const std::string& t : input.titles) namesPlain = namesPlain && !Contains(t, "'");
  if (namesPlain) {
    check(LiteralsClosed(insert), "GenerateInsert: a literal is left open");
    check(LiteralsClosed(update), "GenerateUpdate: a literal is left open");
    check(LiteralsClosed(remove), "GenerateDelete: a literal is left open");
  }
  for (std::size_t c = 0; c < input.titles.size(); ++c) {
    const std::string_view value =
        c < input.values.size() ? std::string_view(input.values[c]) : std::string_view();
    check(Contains(insert, ValueForm(value)), "GenerateInsert: a value is missing");
    const std::string name = Db2Name(input.titles[c]);
    const std::string term = IsNullText(value) ? name + " IS NULL" : name + " = " + ValueForm(value);
    check(Contains(remove, term), "GenerateDelete: a condition is missing");
  }
  return check.Take();
}

// ---- Read-back of temporary files ------------------------------------------

inline Failures TempFileTextProperties(std::string_view bytes) {
  Checks check;
  const std::string text = DecodeTextBytes(bytes);
  const std::string_view beforeNul = bytes.substr(0, bytes.find('\0'));
  check(IsValidUtf8(text), "DecodeTextBytes: not valid UTF-8");
  check(text.size() == beforeNul.size(),
        "DecodeTextBytes: not one byte out for each byte before the NUL");
  bool onlyQuestionMarks = text.size() == beforeNul.size();
  for (std::size_t i = 0; onlyQuestionMarks && i < text.size(); ++i)
    onlyQuestionMarks = text[i] == beforeNul[i] || text[i] == '?';
  check(onlyQuestionMarks, "DecodeTextBytes: a byte changed into something other than '?'");
  check((text == beforeNul) == IsValidUtf8(beforeNul),
        "DecodeTextBytes: valid UTF-8 changed, or ill-formed bytes kept");
  check(DecodeTextBytes(text) == text, "DecodeTextBytes: not idempotent");
  return check.Take();
}

// ---- Catalog SQL -----------------------------------------------------------

inline Failures CatalogSqlProperties(std::string_view bytes) {
  Checks check;
  FuzzInput in(bytes);
  const std::string_view schema = in.Field();
  const std::string_view table = in.Rest();

  const std::string literal = SqlLiteralText(schema);
  check(UndoubleApostrophes(literal) == std::string(schema),
        "SqlLiteralText does not round-trip through un-doubling");
  const std::vector<std::string> both{std::string(schema), std::string(table)};
  check(ReadSqlLiterals(ColumnQuerySql(schema, table)) == both,
        "ColumnQuerySql: the literals are not the schema and table");
  const std::vector<std::string> creator{"", std::string(schema)};
  for (DatabaseFlavour flavour : {DatabaseFlavour::Db2Luw, DatabaseFlavour::Db2Zos}) {
    check(ReadSqlLiterals(LastCreatorListSql(flavour, schema)) == creator,
          "LastCreatorListSql: the literal is not the creator");
    check(ReadSqlLiterals(CreatorDrillSql(flavour, schema)) == creator,
          "CreatorDrillSql: the literal is not the creator");
  }
  check(LastCreatorListSql(DatabaseFlavour::None, schema).empty() &&
            CreatorDrillSql(DatabaseFlavour::None, schema).empty(),
        "no flavour gave a statement");
  return check.Take();
}

// ---- The targets -----------------------------------------------------------

struct Target {
  std::string_view name;  // also the corpus and regression directory name
  Failures (*properties)(std::string_view bytes);
};

inline constexpr Target kTargets[] = {
    {"settings_file", SettingsFileProperties},
    {"query_store", QueryStoreProperties},
    {"comment_removal", CommentRemovalProperties},
    {"variable_scan", VariableScanProperties},
    {"statement_class", StatementClassProperties},
    {"cell_text", CellTextProperties},
    {"type_class", TypeClassProperties},
    {"wide_text", WideTextProperties},
    {"program_runner", ProgramRunnerProperties},
    {"statement_generator", StatementGeneratorProperties},
    {"temp_file_text", TempFileTextProperties},
    {"catalog_sql", CatalogSqlProperties},
};

inline const Target* FindTarget(std::string_view name) {
  for (const Target& t : kTargets)
    if (t.name == name) return &t;
  return nullptr;
}

}  // namespace zuno::fuzz

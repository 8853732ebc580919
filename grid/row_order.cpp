#include "grid/row_order.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "grid/cell_text.h"

namespace zuno {
namespace {

constexpr int kValue = 0;
constexpr int kNotOfItsOrder = 1;
constexpr int kNotKnown = 2;
constexpr int kNull = 3;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A decimal number, sign, digits and at most one point, as bytes that
// compare as the numbers do: the sign first, then the number of digits
// before the point, then the digits; a negative number's parts turned over.
bool ExactNumberKey(std::string_view text, std::string& key) {
  text = Unpadded(text);
  bool negative = false;
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  const std::size_t point = text.find('.');
  const std::string_view whole = text.substr(0, point);
  const std::string_view part = point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
  if (whole.empty() && part.empty()) return false;
  if (!std::all_of(whole.begin(), whole.end(), IsDigit) || !std::all_of(part.begin(), part.end(), IsDigit))
    return false;
  const std::string_view significant = whole.substr(std::min(whole.find_first_not_of('0'), whole.size()));
  std::string digits(significant);
  digits += part;
  const std::size_t last = digits.find_last_not_of('0');
  if (last == std::string::npos) {
    key = "1";  // zero, whatever its sign
    return true;
  }
  digits.resize(last + 1);
  char scale[16];
  const std::size_t wholeDigits = negative ? 99999999 - std::min<std::size_t>(significant.size(), 99999999)
                                           : significant.size();
  std::snprintf(scale, sizeof scale, "%08zu", wholeDigits);
  key = negative ? "0" : "2";
  key += scale;
  if (negative) {
    for (char& d : digits) d = static_cast<char>('9' - (d - '0'));
    digits += ':';  // after every digit: the longer of two negatives is the smaller
  }
  key += digits;
  return true;
}

// A double's bits turned so that they compare as the numbers do.
bool FloatNumberKey(std::string_view text, std::string& key) {
  text = Unpadded(text);
  if (!text.empty() && text[0] == '+') text.remove_prefix(1);
  double value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return false;
  if (std::isnan(value)) {
    key.assign(9, '\xFF');  // after +Infinity
    return true;
  }
  if (value == 0) value = 0;  // -0 is 0
  auto bits = std::bit_cast<std::uint64_t>(value);
  bits = (bits >> 63) ? ~bits : bits | (std::uint64_t{1} << 63);
  key.resize(8);
  for (int i = 0; i < 8; ++i) key[static_cast<std::size_t>(i)] = static_cast<char>(bits >> (56 - 8 * i));
  return true;
}

bool DigitsAt(std::string_view text, std::size_t at, std::size_t count) {
  if (at + count > text.size()) return false;
  for (std::size_t i = at; i < at + count; ++i)
    if (!IsDigit(text[i])) return false;
  return true;
}

// YYYYMMDD from DD.MM.YYYY or YYYY-MM-DD.
bool DateKey(std::string_view text, std::string& key) {
  if (text.size() < 10) return false;
  if (DigitsAt(text, 0, 2) && text[2] == '.' && DigitsAt(text, 3, 2) && text[5] == '.' && DigitsAt(text, 6, 4)) {
    key.assign(text.substr(6, 4));
    key += text.substr(3, 2);
    key += text.substr(0, 2);
  } else if (DigitsAt(text, 0, 4) && text[4] == '-' && DigitsAt(text, 5, 2) && text[7] == '-' && DigitsAt(text, 8, 2)) {
    key.assign(text.substr(0, 4));
    key += text.substr(5, 2);
    key += text.substr(8, 2);
  } else {
    return false;
  }
  return true;
}

bool TimeSeparator(char c) { return c == '.' || c == ':'; }

// HHMMSS from HH.MM.SS or HH:MM:SS at the start of the text.
bool TimeKey(std::string_view text, std::string& key) {
  if (!(DigitsAt(text, 0, 2) && TimeSeparator(text[2]) && DigitsAt(text, 3, 2) && TimeSeparator(text[5]) &&
        DigitsAt(text, 6, 2)))
    return false;
  key += text.substr(0, 2);
  key += text.substr(3, 2);
  key += text.substr(6, 2);
  return true;
}

// The date, the time and the fraction's digits without the zeros at its end.
bool TimestampKey(std::string_view text, std::string& key) {
  if (!DateKey(text.substr(0, 10), key)) return false;
  if (text.size() == 10) return true;
  if (text[10] != '-' && text[10] != ' ' && text[10] != 'T') return false;
  if (!TimeKey(text.substr(11), key)) return false;
  std::string_view rest = text.substr(std::min<std::size_t>(19, text.size()));
  if (rest.empty()) return true;
  if (rest[0] != '.' && rest[0] != ',') return false;
  rest.remove_prefix(1);
  if (!std::all_of(rest.begin(), rest.end(), IsDigit)) return false;
  const std::size_t last = rest.find_last_not_of('0');
  if (last != std::string_view::npos) key += rest.substr(0, last + 1);
  return true;
}

bool CollatesAsBytes() {
  const char* name = std::setlocale(LC_COLLATE, nullptr);
  return !name || std::strcmp(name, "C") == 0 || std::strcmp(name, "POSIX") == 0;
}

// The collation's key, then the bytes: texts the collation holds equal
// still have one order. A NUL ends what the collation sees.
void TextKey(std::string_view text, bool asBytes, std::string& key) {
  if (!asBytes) {
    const std::string value(text.substr(0, text.find('\0')));
    // One pass where the guess holds, as it does for most texts.
    key.resize(value.size() * 4 + 16);
    std::size_t size = std::strxfrm(key.data(), value.c_str(), key.size());
    if (size >= key.size()) {
      key.resize(size + 1);
      std::strxfrm(key.data(), value.c_str(), size + 1);
    }
    key.resize(size + 1);
    key[size] = '\0';  // below every byte of a key: the shorter key first
  }
  key += text;
}

OrderKey Key(const CellValue& value, bool null, ValueOrder order, bool textAsBytes) {
  OrderKey key;
  if (null) {
    key.rank = kNull;
    return key;
  }
  if (value.kind == ValueKind::Unread) {
    key.rank = kNotKnown;
    return key;
  }
  bool read = true;
  switch (order) {
    case ValueOrder::Text: TextKey(value.bytes, textAsBytes, key.bytes); break;
    case ValueOrder::ExactNumber: read = ExactNumberKey(value.bytes, key.bytes); break;
    case ValueOrder::FloatNumber: read = FloatNumberKey(value.bytes, key.bytes); break;
    case ValueOrder::Date: read = DateKey(value.bytes, key.bytes) && value.bytes.size() == 10; break;
    case ValueOrder::Time: read = TimeKey(value.bytes, key.bytes) && value.bytes.size() == 8; break;
    case ValueOrder::Timestamp: read = TimestampKey(value.bytes, key.bytes); break;
    case ValueOrder::Binary: key.bytes.assign(value.bytes); break;
  }
  if (!read) {
    key.rank = kNotOfItsOrder;
    key.bytes.assign(value.bytes);
  }
  return key;
}

}  // namespace

GridSort NextSort(GridSort now, int column) {
  if (now.column != column || now.direction == SortDirection::None) return {column, SortDirection::Ascending};
  if (now.direction == SortDirection::Ascending) return {column, SortDirection::Descending};
  return {};
}

OrderKey MakeOrderKey(const CellValue& value, bool null, ValueOrder order) {
  return Key(value, null, order, CollatesAsBytes());
}

std::vector<std::size_t> SortedRows(const ResultRows& rows, std::size_t column, ValueOrder order,
                                    SortDirection direction) {
  const std::size_t count = rows.RowCount();
  // The rows in the order they were fetched: where the sort starts from.
  std::vector<std::size_t> sorted(count);
  for (std::size_t r = 0; r < count; ++r) sorted[rows.Identity(r)] = r;
  if (direction == SortDirection::None) return sorted;

  const bool textAsBytes = CollatesAsBytes();
  std::vector<OrderKey> keys(count);
  ResultRows::WalkedCell cell;
  for (std::size_t r = 0; r < count; ++r) {
    ResultRows::CellWalk walk = rows.Walk(r);
    bool found = false;
    for (std::size_t c = 0; c <= column && (found = walk.Next(cell)); ++c) {
    }
    // A row without the cell reads as the empty text, as its cell shows.
    keys[r] = found ? Key(cell.value, cell.null, order, textAsBytes) : Key(CellValue{}, false, order, textAsBytes);
  }
  const bool descending = direction == SortDirection::Descending;
  std::stable_sort(sorted.begin(), sorted.end(), [&](std::size_t a, std::size_t b) {
    const OrderKey& x = keys[a];
    const OrderKey& y = keys[b];
    if (x.rank != y.rank) return x.rank < y.rank;
    if (x.rank >= kNotKnown) return false;
    return descending ? y.bytes < x.bytes : x.bytes < y.bytes;
  });
  return sorted;
}

}  // namespace zuno

#include "db/type_class.h"

#include "db/wide_text.h"

namespace zuno {
namespace {

// Characters from..from+length-1 of t, counted from 1; shorter or empty
// where t ends first.
std::u16string_view Part(std::u16string_view t, size_t from, size_t length) {
  if (from > t.size()) return {};
  return t.substr(from - 1, length);
}

bool Within(std::u16string_view part, std::u16string_view low, std::u16string_view high) {
  return low <= part && part <= high;
}

bool HasAt(std::u16string_view t, size_t position, char16_t c) {
  return t.size() >= position && t[position - 1] == c;
}

// YYYY-MM-DD at the start of t, only the ranges of the digit groups checked.
bool StartsLikeDate(std::u16string_view t) {
  return HasAt(t, 5, u'-') && HasAt(t, 8, u'-') && Within(Part(t, 1, 4), u"0000", u"9999") &&
         Within(Part(t, 9, 2), u"01", u"31") && Within(Part(t, 6, 2), u"01", u"12");
}

// HH:MM:SS at the start of t, only the ranges of the digit groups checked.
bool StartsLikeTime(std::u16string_view t) {
  return HasAt(t, 3, u':') && HasAt(t, 6, u':') && Within(Part(t, 1, 2), u"00", u"24") &&
         Within(Part(t, 4, 2), u"00", u"59") && Within(Part(t, 7, 2), u"00", u"59");
}

// Only a text column of a date's, a time's or a timestamp's size can hold them.
bool SizeOfDateOrTime(int columnSize) { return columnSize == 10 || columnSize == 8 || columnSize >= 26; }

// Every kind but String decides the class by itself.
TypeClass KindTypeClass(ColumnKind kind, int columnSize, bool isNull) {
  switch (kind) {
    case ColumnKind::Long:
      return columnSize >= kLargeTextSize && !isNull ? TypeClass::Clob : TypeClass::Long;
    case ColumnKind::String: return TypeClass::String;
    case ColumnKind::Float: return TypeClass::Float;
    case ColumnKind::Double: return TypeClass::Double;
    case ColumnKind::Quad: return TypeClass::Quad;
    case ColumnKind::Blob: return TypeClass::Blob;
    case ColumnKind::Decimal: return TypeClass::Float;
    case ColumnKind::LargeText: return TypeClass::Clob;
    case ColumnKind::Other:
      return columnSize >= kLargeTextSize ? TypeClass::Clob : TypeClass::Other;
    case ColumnKind::None: return TypeClass::Other;
  }
  return TypeClass::Other;
}

}  // namespace

std::string_view TypeClassWord(TypeClass typeClass) {
  switch (typeClass) {
    case TypeClass::Unset: return "";
    case TypeClass::Long: return "LONG";
    case TypeClass::Quad: return "QUAD";
    case TypeClass::Float: return "FLOAT";
    case TypeClass::Double: return "DOUBLE";
    case TypeClass::String: return "STRING";
    case TypeClass::Blob: return "BLOB";
    case TypeClass::Clob: return "CLOB";
    case TypeClass::Date: return "DATE";
    case TypeClass::Time: return "TIME";
    case TypeClass::Timestamp: return "TIMESTAMP";
    case TypeClass::Other: return "OTHER";
  }
  return "";
}

TypeClass StringTypeClass(std::u16string_view text, int columnSize) {
  if (!SizeOfDateOrTime(columnSize)) return TypeClass::String;
  if (StartsLikeDate(text)) {
    if (columnSize == 10) return TypeClass::Date;
    if (columnSize >= 26) return TypeClass::Timestamp;
  }
  if (StartsLikeTime(text) && columnSize == 8) return TypeClass::Time;
  return TypeClass::String;
}

TypeClass StringTypeClass(std::string_view utf8Text, int columnSize) {
  if (!SizeOfDateOrTime(columnSize)) return TypeClass::String;  // no text to look at
  // Only the first ten code units decide. Where they are ASCII, as in most
  // texts, each byte is its code unit and nothing needs converting; else they
  // lie within the first 40 bytes whatever the characters.
  constexpr std::size_t kDeciding = 10;
  char16_t units[kDeciding];
  std::size_t n = 0;
  for (; n < kDeciding && n < utf8Text.size(); ++n) {
    const auto byte = static_cast<unsigned char>(utf8Text[n]);
    if (byte >= 0x80) return StringTypeClass(Utf8ToUtf16(utf8Text.substr(0, 40)), columnSize);
    units[n] = byte;
  }
  return StringTypeClass(std::u16string_view(units, n), columnSize);
}

TypeClass NextTypeClass(TypeClass current, ColumnKind kind, int columnSize, bool isNull,
                        std::string_view utf8Text) {
  if (kind != ColumnKind::String) return KindTypeClass(kind, columnSize, isNull);
  if (isNull) return current == TypeClass::Unset ? TypeClass::String : current;
  return StringTypeClass(utf8Text, columnSize);
}

}  // namespace zuno

#include "query/cell_reader.h"

#include <string>
#include <utility>

#include "query/cell_text.h"

namespace zuno {
namespace {

constexpr std::string_view kNull = "Null";
constexpr std::string_view kBinary = "binary Data";
constexpr int kLargeTextSize = 35;

std::string Text(OdbcLayer& db, int column) { return MarkLineFeeds(db.GetText(column)); }

std::string StringCell(OdbcLayer& db, int column, int size, bool null, TypeClass& typeClass) {
  if (null) {
    if (typeClass == TypeClass::Unset) typeClass = TypeClass::String;
    return std::string(kNull);
  }
  std::string value = db.GetText(column);
  typeClass = StringTypeClass(value, size);
  if (typeClass == TypeClass::Date) value = DateText(value);
  return MarkLineFeeds(std::move(value));
}

}  // namespace

std::string ReadCell(OdbcLayer& db, int column, int size, ColumnKind kind, bool null, TypeClass& typeClass) {
  switch (kind) {
    case ColumnKind::String:
      return StringCell(db, column, size, null, typeClass);
    case ColumnKind::Blob:
      typeClass = TypeClass::Blob;
      return std::string(null ? kNull : kBinary);
    case ColumnKind::Double:
      typeClass = TypeClass::Double;
      return Pad(null ? kNull : DoubleText(db.GetDouble(column)), size);
    case ColumnKind::Float:
      typeClass = TypeClass::Float;
      return Pad(null ? kNull : FloatText(db.GetFloat(column)), size);
    case ColumnKind::Decimal:
      // The driver's own digits: a binary float would change any value past
      // seven digits, and a generated UPDATE would write that back.
      typeClass = TypeClass::Float;
      return Pad(null ? std::string(kNull) : db.GetText(column), size);
    case ColumnKind::Quad:
      typeClass = TypeClass::Quad;
      return Pad(null ? std::string(kNull) : std::to_string(db.GetQuad(column)), size);
    case ColumnKind::Long:
      if (size < kLargeTextSize) {
        typeClass = TypeClass::Long;
        return Pad(null ? std::string(kNull) : std::to_string(db.GetLong(column)), size);
      }
      typeClass = null ? TypeClass::Long : TypeClass::Clob;
      return null ? Pad(kNull, size) : Text(db, column);
    case ColumnKind::LargeText:
      typeClass = TypeClass::Clob;
      return null ? Pad(kNull, size) : Text(db, column);
    case ColumnKind::Other:
      typeClass = size >= kLargeTextSize ? TypeClass::Clob : TypeClass::Other;
      return null ? std::string(kNull) : Text(db, column);
    case ColumnKind::None:
      typeClass = TypeClass::Other;
      return null ? std::string(kNull) : Text(db, column);
  }
  return {};
}

bool ReadsAsNumber(ColumnKind kind, int columnSize) {
  switch (kind) {
    case ColumnKind::Double:
    case ColumnKind::Float:
    case ColumnKind::Decimal:
    case ColumnKind::Quad:
      return true;
    case ColumnKind::Long:
      return columnSize < kLargeTextSize;
    default:
      return false;
  }
}

}  // namespace zuno

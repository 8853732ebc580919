#include "query/cell_reader.h"

#include <string>
#include <utility>

#include "query/cell_text.h"

namespace zuno {
namespace {

constexpr std::string_view kNull = "Null";
constexpr std::string_view kBinary = "binary Data";
constexpr int kLargeTextSize = 35;

void AddMarked(std::string& text, ResultRows& rows) {
  if (text.find('\n') == std::string::npos) {
    rows.AddCell(text);
    return;
  }
  rows.AddCell(MarkLineFeeds(std::move(text)));
}

}  // namespace

void CellReader::AddText(int column, ResultRows& rows) {
  if (!db_.ReadText(column, value_)) {
    rows.AddCell(kNull, true);
    return;
  }
  AddMarked(value_, rows);
}

void CellReader::AddPadded(std::string_view text, int columnSize, bool null, ResultRows& rows) {
  cell_.clear();
  AppendPadded(cell_, text, columnSize);
  rows.AddCell(cell_, null);
}

void CellReader::Read(int column, int size, ColumnKind kind, TypeClass& typeClass, ResultRows& rows) {
  switch (kind) {
    case ColumnKind::String:
      if (!db_.ReadText(column, value_)) {
        if (typeClass == TypeClass::Unset) typeClass = TypeClass::String;
        rows.AddCell(kNull, true);
        return;
      }
      typeClass = StringTypeClass(value_, size);
      if (typeClass == TypeClass::Date) value_ = DateText(value_);
      AddMarked(value_, rows);
      return;
    case ColumnKind::Blob: {
      typeClass = TypeClass::Blob;
      const bool null = db_.IsNull(column);
      rows.AddCell(null ? kNull : kBinary, null);
      return;
    }
    case ColumnKind::Double: {
      typeClass = TypeClass::Double;
      std::optional<double> v = db_.ReadDouble(column);
      return AddPadded(v ? DoubleText(*v) : std::string(kNull), size, !v, rows);
    }
    case ColumnKind::Float: {
      typeClass = TypeClass::Float;
      std::optional<float> v = db_.ReadFloat(column);
      return AddPadded(v ? FloatText(*v) : std::string(kNull), size, !v, rows);
    }
    case ColumnKind::Decimal: {
      // The driver's own digits: a binary float would change any value past
      // seven digits, and a generated UPDATE would write that back.
      typeClass = TypeClass::Float;
      const bool present = db_.ReadText(column, value_);
      return AddPadded(present ? std::string_view(value_) : kNull, size, !present, rows);
    }
    case ColumnKind::Quad: {
      typeClass = TypeClass::Quad;
      std::optional<std::int64_t> v = db_.ReadQuad(column);
      return AddPadded(v ? std::to_string(*v) : std::string(kNull), size, !v, rows);
    }
    case ColumnKind::Long:
      if (size < kLargeTextSize) {
        typeClass = TypeClass::Long;
        std::optional<std::int32_t> v = db_.ReadLong(column);
        return AddPadded(v ? std::to_string(*v) : std::string(kNull), size, !v, rows);
      }
      [[fallthrough]];
    case ColumnKind::LargeText:
      if (!db_.ReadText(column, value_)) {
        typeClass = kind == ColumnKind::Long ? TypeClass::Long : TypeClass::Clob;
        return AddPadded(kNull, size, true, rows);
      }
      typeClass = TypeClass::Clob;
      return AddMarked(value_, rows);
    case ColumnKind::Other:
      typeClass = size >= kLargeTextSize ? TypeClass::Clob : TypeClass::Other;
      return AddText(column, rows);
    case ColumnKind::None:
      typeClass = TypeClass::Other;
      return AddText(column, rows);
  }
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

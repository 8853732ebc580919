#include "query/cell_reader.h"

#include <string>
#include <utility>

#include "grid/cell_text.h"

namespace zuno {
namespace {

constexpr std::string_view kNull = "Null";
constexpr std::string_view kBinary = "binary Data";

void AddMarked(std::string& text, ResultRows& rows) {
  if (text.find('\n') == std::string::npos) {
    rows.AddCell(text);
    return;
  }
  rows.AddCell(MarkLineFeeds(std::move(text)));
}

}  // namespace

bool CellReader::AddText(int column, ResultRows& rows) {
  if (!db_.ReadText(column, value_)) {
    rows.AddCell(kNull, true);
    return true;
  }
  AddMarked(value_, rows);
  return false;
}

void CellReader::AddPadded(std::string_view text, int columnSize, bool null, ResultRows& rows) {
  cell_.clear();
  AppendPadded(cell_, text, columnSize);
  rows.AddCell(cell_, null);
}

void CellReader::Read(int column, int size, ColumnKind kind, TypeClass& typeClass, ResultRows& rows) {
  bool null = false;
  switch (kind) {
    case ColumnKind::String:
      null = !db_.ReadText(column, value_);
      typeClass = NextTypeClass(typeClass, kind, size, null, value_);
      if (null) return rows.AddCell(kNull, true);
      if (typeClass == TypeClass::Date) value_ = DateText(value_);
      return AddMarked(value_, rows);
    case ColumnKind::Blob:
      null = db_.IsNull(column);
      rows.AddCell(null ? kNull : kBinary, null);
      break;
    case ColumnKind::Double: {
      std::optional<double> v = db_.ReadDouble(column);
      null = !v;
      AddPadded(v ? DoubleText(*v) : std::string(kNull), size, null, rows);
      break;
    }
    case ColumnKind::Float: {
      std::optional<float> v = db_.ReadFloat(column);
      null = !v;
      AddPadded(v ? FloatText(*v) : std::string(kNull), size, null, rows);
      break;
    }
    case ColumnKind::Decimal:
      // The driver's own digits: a binary float would change any value past
      // seven digits, and a generated UPDATE would write that back.
      null = !db_.ReadText(column, value_);
      AddPadded(null ? kNull : std::string_view(value_), size, null, rows);
      break;
    case ColumnKind::Quad: {
      std::optional<std::int64_t> v = db_.ReadQuad(column);
      null = !v;
      AddPadded(v ? std::to_string(*v) : std::string(kNull), size, null, rows);
      break;
    }
    case ColumnKind::Long:
      if (size < kLargeTextSize) {
        std::optional<std::int32_t> v = db_.ReadLong(column);
        null = !v;
        AddPadded(v ? std::to_string(*v) : std::string(kNull), size, null, rows);
        break;
      }
      [[fallthrough]];
    case ColumnKind::LargeText:
      null = !db_.ReadText(column, value_);
      if (null)
        AddPadded(kNull, size, true, rows);
      else
        AddMarked(value_, rows);
      break;
    case ColumnKind::Other:
    case ColumnKind::None:
      null = AddText(column, rows);
      break;
  }
  typeClass = NextTypeClass(typeClass, kind, size, null, {});
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

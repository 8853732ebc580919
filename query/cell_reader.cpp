#include "query/cell_reader.h"

#include <charconv>
#include <cmath>
#include <string>
#include <utility>

#include "grid/cell_text.h"

namespace zuno {
namespace {

constexpr std::string_view kNull = "Null";
constexpr std::string_view kBinary = "binary Data";
constexpr std::string_view kReadError = "Read error";

}  // namespace

void CellReader::AddMarked(std::string& text, ResultRows& rows) {
  if (db_.ReadCutShort()) {
    // Only a part was read: the cell shows it as a part, and nothing takes
    // it for the value.
    cell_ = ShownText(std::move(text));
    cell_ += kCutShortMarker;
    rows.AddCell(cell_, CellValue{{}, ValueKind::Unread});
    return;
  }
  // A line feed is shown as U+00FF and a NUL as U+2400: the value is kept
  // beside such a cell, and beside one with a real U+00FF or U+2400.
  if (!ShownTextDiffers(text)) {
    rows.AddCell(text);
    return;
  }
  rows.AddCell(ShownText(text), CellValue{text, ValueKind::Text});
}

bool CellReader::ReadValueText(int column) { return db_.ReadText(column, value_, maxUnits_); }

bool CellReader::AddText(int column, ResultRows& rows) {
  if (!ReadValueText(column)) {
    rows.AddCell(kNull, true);
    return true;
  }
  if (db_.ReadFailed())
    AddReadError(0, rows);
  else
    AddMarked(value_, rows);
  return false;
}

void CellReader::AddPadded(std::string_view text, int columnSize, bool null, ResultRows& rows) {
  cell_.clear();
  AppendPadded(cell_, text, columnSize);
  rows.AddCell(cell_, null);
}

void CellReader::AddNumber(std::string_view text, double value, int columnSize, ResultRows& rows) {
  // A text that reads back as the same number (1.50 for 1.5) stands for it.
  double shown = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), shown);
  if ((error == std::errc() && end == text.data() + text.size() && shown == value) || !std::isfinite(value))
    return AddPadded(text, columnSize, false, rows);
  cell_.clear();
  AppendPadded(cell_, text, columnSize);
  rows.AddCell(cell_, CellValue{ExactNumberText(value), ValueKind::Text});
}

void CellReader::AddReadError(int columnSize, ResultRows& rows) {
  cell_.clear();
  AppendPadded(cell_, kReadError, columnSize);
  rows.AddCell(cell_, CellValue{{}, ValueKind::Unread});
}

// Reads a number of fixed size and adds its cell: "Null", a read error, or
// the value's text padded; true when it was NULL.
template <typename Number, typename Show>
bool CellReader::AddFixed(std::optional<Number> value, int columnSize, Show show, ResultRows& rows) {
  if (db_.ReadFailed()) {
    AddReadError(columnSize, rows);
    return false;
  }
  if (!value) {
    AddPadded(kNull, columnSize, true, rows);
    return true;
  }
  show(*value);
  return false;
}

void CellReader::Read(int column, int size, ColumnKind kind, TypeClass& typeClass, ResultRows& rows) {
  bool null = false;
  switch (kind) {
    case ColumnKind::String:
      null = !ReadValueText(column);
      typeClass = NextTypeClass(typeClass, kind, size, null, value_);
      if (null) return rows.AddCell(kNull, true);
      if (db_.ReadFailed()) return AddReadError(0, rows);
      // DD.MM.YYYY is a date form Db2 reads as well: the date keeps no copy.
      if (typeClass == TypeClass::Date && !db_.ReadCutShort()) value_ = DateText(value_);
      return AddMarked(value_, rows);
    case ColumnKind::Blob:
      null = !db_.ReadBinary(column, value_, kMaxBinaryBytes);
      if (null)
        rows.AddCell(kNull, true);
      else if (db_.ReadFailed() || value_.size() > kMaxBinaryBytes)
        rows.AddCell(kBinary, CellValue{{}, ValueKind::Unread});
      else
        rows.AddCell(kBinary, CellValue{value_, ValueKind::Binary});
      break;
    case ColumnKind::Double:
      null = AddFixed(db_.ReadDouble(column), size, [&](double v) {
        AddNumber(DoubleCellText(v), v, size, rows);
      }, rows);
      break;
    case ColumnKind::Float:
      null = AddFixed(db_.ReadFloat(column), size, [&](float v) {
        AddNumber(FloatCellText(v), v, size, rows);
      }, rows);
      break;
    case ColumnKind::Decimal:
      // The driver's own digits: a binary float would change any value past
      // seven digits, and a generated UPDATE would write that back.
      null = !db_.ReadText(column, value_);
      if (!null && db_.ReadFailed())
        AddReadError(size, rows);
      else
        AddPadded(null ? kNull : std::string_view(value_), size, null, rows);
      break;
    case ColumnKind::Quad:
      null = AddFixed(db_.ReadQuad(column), size, [&](std::int64_t v) {
        AddPadded(std::to_string(v), size, false, rows);
      }, rows);
      break;
    case ColumnKind::Long:
      if (size < kLargeTextSize) {
        null = AddFixed(db_.ReadLong(column), size, [&](std::int32_t v) {
          AddPadded(std::to_string(v), size, false, rows);
        }, rows);
        break;
      }
      [[fallthrough]];
    case ColumnKind::LargeText:
      null = !ReadValueText(column);
      if (null)
        AddPadded(kNull, size, true, rows);
      else if (db_.ReadFailed())
        AddReadError(0, rows);
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

#include "query/result_columns.h"

#include "query/cell_reader.h"
#include "query/column_width.h"

namespace zuno {

std::vector<ResultColumn> ReadResultColumns(OdbcLayer& db) {
  std::vector<ResultColumn> columns;
  const int count = db.ColumnCount();
  for (int c = 0; c < count; ++c) {
    OdbcLayer::ColumnDescription d = db.DescribeColumn(c);
    columns.push_back({std::move(d.name), d.size, d.kind, d.sqlType});
  }
  return columns;
}

namespace {

constexpr int kDb2Blob = -98;
constexpr int kLongVarBinary = -4;
// The driver's codes of the texts Db2 compares with nothing but IS NULL and
// LIKE: LONG VARCHAR, LONG VARGRAPHIC, CLOB, DBCLOB, XML.
constexpr int kLargeTextTypes[] = {-1, -10, -99, -350, -370};

bool IsLargeText(int sqlType) {
  for (int type : kLargeTextTypes)
    if (sqlType == type) return true;
  return false;
}

ValueType ValueTypeOf(const ResultColumn& column) {
  if (column.kind == ColumnKind::Blob)
    return column.sqlType == kDb2Blob || column.sqlType == kLongVarBinary ? ValueType::Blob : ValueType::Binary;
  if (IsLargeText(column.sqlType)) return ValueType::LargeText;
  return ReadsAsNumber(column.kind, column.size) ? ValueType::Number : ValueType::Text;
}

}  // namespace

ValueOrder ValueOrderOf(ColumnKind kind, int size, TypeClass typeClass) {
  switch (kind) {
    case ColumnKind::Decimal:
    case ColumnKind::Quad:
      return ValueOrder::ExactNumber;
    case ColumnKind::Long:
      return size < kLargeTextSize ? ValueOrder::ExactNumber : ValueOrder::Text;
    case ColumnKind::Float:
    case ColumnKind::Double:
      return ValueOrder::FloatNumber;
    case ColumnKind::Blob:
      return ValueOrder::Binary;
    case ColumnKind::String:
      if (typeClass == TypeClass::Date) return ValueOrder::Date;
      if (typeClass == TypeClass::Time) return ValueOrder::Time;
      if (typeClass == TypeClass::Timestamp) return ValueOrder::Timestamp;
      return ValueOrder::Text;
    default:
      return ValueOrder::Text;
  }
}

void AddResultColumns(ResultGrid& grid, const std::vector<ResultColumn>& columns,
                      const std::vector<TypeClass>& classes) {
  for (size_t c = 0; c < columns.size(); ++c) {
    const ResultColumn& column = columns[c];
    const int at = static_cast<int>(c);
    grid.AddColumn(at, column.title, ColumnWidthPixels(column.title, column.size));
    grid.SetColumnValueType(at, ValueTypeOf(column));
    grid.SetColumnOrder(at, ValueOrderOf(column.kind, column.size, c < classes.size() ? classes[c] : TypeClass::Unset));
  }
}

}  // namespace zuno

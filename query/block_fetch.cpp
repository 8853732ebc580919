#include "query/block_fetch.h"

#include <optional>

#include "db/type_class.h"

namespace zuno {
namespace {

using BoundAs = OdbcLayer::BoundAs;

// The array a column's values land in, as the cell reader reads the kind.
std::optional<OdbcLayer::BoundColumn> BoundColumnOf(const ResultColumn& c, ValuesRead read) {
  if (IsLongType(c.sqlType)) return std::nullopt;
  if (read == ValuesRead::AsText) return OdbcLayer::BoundColumn{BoundAs::Text, c.size};
  switch (c.kind) {
    case ColumnKind::Double: return OdbcLayer::BoundColumn{BoundAs::Double};
    case ColumnKind::Float: return OdbcLayer::BoundColumn{BoundAs::Float};
    case ColumnKind::Quad: return OdbcLayer::BoundColumn{BoundAs::Quad};
    case ColumnKind::Long:
      if (c.size < kLargeTextSize) return OdbcLayer::BoundColumn{BoundAs::Long};
      return OdbcLayer::BoundColumn{BoundAs::Text, c.size};
    case ColumnKind::String:
    case ColumnKind::Decimal:
    case ColumnKind::Other:
      return OdbcLayer::BoundColumn{BoundAs::Text, c.size};
    case ColumnKind::Blob:  // read in pieces up to what a row keeps
    case ColumnKind::LargeText:
    case ColumnKind::None:  // not described: no size to bind by
      return std::nullopt;
  }
  return std::nullopt;
}

}  // namespace

bool FetchInBlocksWherePossible(OdbcLayer& db, const std::vector<ResultColumn>& columns, int limit,
                                ValuesRead read) {
  std::vector<OdbcLayer::BoundColumn> bound;
  for (const ResultColumn& c : columns) {
    std::optional<OdbcLayer::BoundColumn> b = BoundColumnOf(c, read);
    if (!b) return false;
    bound.push_back(*b);
  }
  return db.FetchInBlocks(bound, limit);
}

}  // namespace zuno

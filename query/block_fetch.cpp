#include "query/block_fetch.h"

#include "db/type_class.h"

namespace zuno {
namespace {

using BoundAs = OdbcLayer::BoundAs;

constexpr int kLongTextElement = 128;  // characters

// The array a column's values land in, as the cell reader reads the kind;
// none for a value read in pieces or of no known size.
OdbcLayer::BoundColumn BoundColumnOf(const ResultColumn& c, ValuesRead read) {
  constexpr OdbcLayer::BoundColumn kUnbound{BoundAs::Unbound};
  if (IsLongType(c.sqlType)) {
    // A long text that is no large object (PostgreSQL's text, Db2's LONG
    // VARCHAR) is often short: bound to a short element, a value that fits
    // comes from the block and a longer one is read from the driver whole.
    if (c.kind == ColumnKind::String) return OdbcLayer::BoundColumn{BoundAs::Text, kLongTextElement};
    return kUnbound;
  }
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
      return kUnbound;
  }
  return kUnbound;
}

}  // namespace

bool FetchInBlocksWherePossible(OdbcLayer& db, const std::vector<ResultColumn>& columns, int limit,
                                ValuesRead read) {
  std::vector<OdbcLayer::BoundColumn> bound;
  for (const ResultColumn& c : columns) bound.push_back(BoundColumnOf(c, read));
  return db.FetchInBlocks(bound, limit);
}

}  // namespace zuno

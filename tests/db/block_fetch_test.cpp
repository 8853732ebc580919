// A result fetched in blocks of bound arrays, its long and large-object
// columns read from the driver on each row, keeps the same cells, NULLs,
// values as fetched and Type Classes as one read value by value, on both
// drivers.
#include <gtest/gtest.h>

#include <limits>

#include "query/cell_reader.h"
#include "query/result_set_path.h"
#include "tests/support/data_sources.h"

namespace zuno {
namespace {

// The rows as the reader gives them with one driver call per value.
FetchedResult ReadByValue(OdbcLayer& db, const std::string& sql, int limit) {
  FetchedResult r;
  r.executed = db.ExecuteQuery(sql);
  r.columns = ReadResultColumns(db);
  r.classes.assign(r.columns.size(), TypeClass::Unset);
  CellReader reader(db);
  while ((limit == 0 || static_cast<int>(r.rows.RowCount()) < limit) && db.NextRow()) {
    for (size_t c = 0; c < r.columns.size(); ++c)
      reader.Read(static_cast<int>(c), r.columns[c].size, r.columns[c].kind, r.classes[c], r.rows);
    r.rows.EndRow();
  }
  return r;
}

// 1,100 rows cross blocks; NULLs, rounded numbers, line feeds, U+00FF and
// texts past their reported size (PostgreSQL's VARCHAR without a length
// says 255) come in each.
const char* const kPgBindable =
    "select g::bigint * 1000000007 as b, case when g % 5 = 0 then null else g end as i, (g % 100)::smallint as s,"
    " (g / 3.0)::real as r, (g / 7.0)::float8 as d, (g * 12.34)::numeric(12,2) as n, ('K' || g)::char(10) as c,"
    " case when g % 3 = 0 then null else 'Grüße ' || g || E'\\n' || chr(255) end::varchar(30) as v,"
    " date '2024-02-01' + g % 28 as dt, time '08:00' + g % 60 * interval '1 minute' as tm,"
    " timestamp '2024-01-01 00:30' + g % 24 * interval '1 hour' as ts, repeat('x', g % 400)::varchar as long_v"
    " from generate_series(1, 1100) g";
const char* const kSqliteBindable =
    "with recursive n(g) as (select 1 union all select g + 1 from n where g < 1100)"
    " select g * 1000000007 as b, case when g % 5 = 0 then null else g end as i, g / 7.0 as d,"
    " case when g % 3 = 0 then null else 'Grüße ' || g || char(10) || char(255) end as v from n";

TEST(BlockFetchTest, BothPathsReadTheSameRows) {
  ZUNO_REQUIRE_FIXTURES();
  const std::string pgBindable = kPgBindable;
  const struct {
    const char* name;
    testing::DataSource (*source)();
    std::string sql;
    bool inBlocks;
  } sets[] = {
      {"PostgreSQL, every column bindable", testing::PgPlain, pgBindable, true},
      {"PostgreSQL, with a long column", testing::PgPlain,
       "select b, v, repeat('t', 5000)::text as t, ('s' || b)::text as short_t from (" + pgBindable + ") x", true},
      {"PostgreSQL, with a LOB", testing::PgPlain,
       "select b, v, decode(lpad(to_hex(b), 16, '0'), 'hex') as bl from (" + pgBindable + ") x", true},
      // The SQLite driver cannot read a value of a block again.
      {"SQLite, every column bindable", testing::Sqlite, kSqliteBindable, false},
      {"SQLite, with a LOB", testing::Sqlite, std::string("select v, zeroblob(3) as bl from (") + kSqliteBindable + ")",
       false},
  };
  for (const auto& set : sets) {
    for (int limit : {0, 700, 3}) {
      SCOPED_TRACE(std::string(set.name) + ", limit " + std::to_string(limit));
      OdbcLayer db;
      ASSERT_TRUE(db.OpenEnvironment());
      ASSERT_TRUE(testing::ConnectTo(db, set.source()));
      FetchedResult block = ExecuteAndFetch(db, set.sql, limit, std::numeric_limits<std::uint64_t>::max());
      ASSERT_TRUE(block.executed) << db.LastError();
      EXPECT_EQ(block.inBlocks, set.inBlocks);
      EXPECT_EQ(block.end, OdbcLayer::FetchEnd::EndOfRows);
      EXPECT_EQ(block.limitReached, limit != 0);
      FetchedResult one = ReadByValue(db, set.sql, limit);
      ASSERT_EQ(block.rows.RowCount(), limit == 0 ? 1100u : static_cast<size_t>(limit));
      ASSERT_EQ(block.rows.RowCount(), one.rows.RowCount());
      EXPECT_EQ(block.classes, one.classes);
      for (size_t row = 0; row < one.rows.RowCount(); ++row)
        for (size_t c = 0; c < one.columns.size(); ++c) {
          ASSERT_EQ(block.rows.Cell(row, c), one.rows.Cell(row, c)) << "row " << row << ", column " << c;
          ASSERT_EQ(block.rows.IsNull(row, c), one.rows.IsNull(row, c)) << "row " << row << ", column " << c;
          const CellValue kept = block.rows.Value(row, c), read = one.rows.Value(row, c);
          ASSERT_EQ(kept.bytes, read.bytes) << "row " << row << ", column " << c;
          ASSERT_EQ(kept.kind, read.kind) << "row " << row << ", column " << c;
        }
    }
  }
}

}  // namespace
}  // namespace zuno

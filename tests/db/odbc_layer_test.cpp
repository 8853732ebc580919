#include "db/odbc_layer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "db/data_source_list.h"
#include "db/type_class.h"
#include "query/cell_reader.h"
#include "tests/support/data_sources.h"
#include "tests/support/temp_dir.h"

namespace zuno {
namespace {

using testing::DataSource;

// What a column shows through the layer: its kind, the value as the result
// grid shows it (without the padding of numbers) and the class that value
// gives the column.
struct Read {
  ColumnKind kind;
  std::string value;
  std::string typeClass;
};

// Each value is read by the grid's own reader, with its NULL-ness in one call.
Read ReadCell(OdbcLayer& db, int column) {
  Read r;
  const OdbcLayer::ColumnDescription described = db.DescribeColumn(column);
  r.kind = described.kind;
  const int size = described.size;
  TypeClass typeClass = TypeClass::Unset;
  ResultRows rows;
  CellReader reader(db);
  reader.Read(column, size, r.kind, typeClass, rows);
  rows.EndRow();
  const std::string_view cell = rows.Cell(0, 0);
  const std::size_t digits = std::min(cell.find_first_not_of(' '), cell.size());
  r.value = rows.IsNull(0, 0) ? "NULL" : std::string(cell.substr(digits));
  r.typeClass = std::string(TypeClassWord(typeClass));
  return r;
}

std::vector<Read> ReadRow(OdbcLayer& db) {
  std::vector<Read> row;
  for (int c = 0; c < db.ColumnCount(); ++c) row.push_back(ReadCell(db, c));
  return row;
}

struct Expected {
  const char* column;
  ColumnKind kind;
  const char* value;
  const char* typeClass;
};

void ExpectRow(OdbcLayer& db, const std::vector<Expected>& expected) {
  ASSERT_EQ(db.ColumnCount(), static_cast<int>(expected.size()));
  ASSERT_TRUE(db.NextRow());
  std::vector<Read> row = ReadRow(db);
  for (size_t c = 0; c < expected.size(); ++c) {
    SCOPED_TRACE(expected[c].column);
    EXPECT_EQ(db.DescribeColumn(static_cast<int>(c)).name, expected[c].column);
    EXPECT_EQ(row[c].kind, expected[c].kind);
    EXPECT_EQ(row[c].value, expected[c].value);
    EXPECT_EQ(row[c].typeClass, expected[c].typeClass);
  }
}

void ExpectAllNull(OdbcLayer& db) {
  ASSERT_TRUE(db.NextRow());
  for (int c = 0; c < db.ColumnCount(); ++c) EXPECT_EQ(ReadCell(db, c).value, "NULL") << db.DescribeColumn(c).name;
}

struct LayerTest : ::testing::Test {
  OdbcLayer db;
  void SetUp() override {
    ZUNO_REQUIRE_FIXTURES();
    ASSERT_TRUE(db.OpenEnvironment());
  }
  void Update(const std::string& sql) { ASSERT_TRUE(db.ExecuteUpdate(sql)) << sql << ": " << db.LastError(); }
  void Query(const std::string& sql) { ASSERT_TRUE(db.ExecuteQuery(sql)) << sql << ": " << db.LastError(); }
};

// The PostgreSQL Unicode driver reports character columns as wide types and
// DOUBLE PRECISION as FLOAT; read by the narrow table they showed as 0.
TEST_F(LayerTest, PostgresColumnsAreReadByTheirKind) {
  ASSERT_TRUE(testing::ConnectTo(db, testing::PgPlain()));
  Update(
      "create temp table kinds (b bigint, i integer, s smallint, r real, d double precision,"
      " n numeric(20,5), c char(10), v varchar(20), t text, dt date, tm time, ts timestamp(6),"
      " bl bytea, bo boolean)");
  Update(
      "insert into kinds values (9000000000, 42, -7, 1.5, 2.25, 123456789012.12345, '2024-03-01',"
      " '24:59:59', 'plain text', '2024-03-01', '10:11:12', '2024-03-01 10:11:12.123456', '\\x0102', true)");
  Update("insert into kinds values (null, null, null, null, null, null, null, null, null, null, null, null, null, null)");
  Query("select * from kinds");
  ExpectRow(db, {
                    {"b", ColumnKind::Quad, "9000000000", "QUAD"},
                    {"i", ColumnKind::Long, "42", "LONG"},
                    {"s", ColumnKind::Long, "-7", "LONG"},
                    {"r", ColumnKind::Float, "1.50", "FLOAT"},
                    {"d", ColumnKind::Double, "2.25", "DOUBLE"},
                    // past seven digits a 32-bit float would corrupt it
                    {"n", ColumnKind::Decimal, "123456789012.12345", "FLOAT"},
                    {"c", ColumnKind::String, "01.03.2024", "DATE"},
                    {"v", ColumnKind::String, "24:59:59", "STRING"},
                    {"t", ColumnKind::String, "plain text", "STRING"},
                    {"dt", ColumnKind::String, "01.03.2024", "DATE"},
                    {"tm", ColumnKind::String, "10:11:12", "TIME"},
                    {"ts", ColumnKind::String, "2024-03-01 10:11:12.123456", "TIMESTAMP"},
                    {"bl", ColumnKind::Blob, "binary Data", "BLOB"},
                    {"bo", ColumnKind::String, "1", "STRING"},  // the driver sends booleans as text
                });
  ExpectAllNull(db);
  EXPECT_FALSE(db.NextRow());
  db.FinishQuery();
}

// The SQLite driver has no wide calls of its own; the driver manager converts
// by the locale, and BLOB comes as BINARY.
TEST_F(LayerTest, SqliteColumnsAreReadByTheirKind) {
  ASSERT_TRUE(testing::ConnectTo(db, testing::Sqlite()));
  Update(
      "create temp table kinds (i integer, b bigint, d double, n decimal(20,5), c char(10),"
      " v varchar(20), t text, dt date, ts timestamp, bl blob)");
  Update(
      "insert into kinds values (42, 9000000000, 2.25, 12.25, '2024-03-01', 'Grüße, 日本',"
      " 'plain text', '2024-03-01', '2024-03-01 10:11:12', x'0102')");
  Update("insert into kinds values (null, null, null, null, null, null, null, null, null, null)");
  Query("select * from kinds");
  ExpectRow(db, {
                    {"i", ColumnKind::Long, "42", "LONG"},
                    {"b", ColumnKind::Quad, "9000000000", "QUAD"},
                    {"d", ColumnKind::Double, "2.25", "DOUBLE"},
                    {"n", ColumnKind::String, "12.25", "STRING"},
                    {"c", ColumnKind::String, "01.03.2024", "DATE"},
                    {"v", ColumnKind::String, "Grüße, 日本", "STRING"},
                    {"t", ColumnKind::String, "plain text", "STRING"},
                    {"dt", ColumnKind::String, "01.03.2024", "DATE"},
                    {"ts", ColumnKind::String, "2024-03-01 10:11:12", "TIMESTAMP"},
                    {"bl", ColumnKind::Blob, "binary Data", "BLOB"},
                });
  ExpectAllNull(db);
}

TEST_F(LayerTest, LongAndMultiLineTextsComeBackWhole) {
  for (const DataSource& source : {testing::PgPlain(), testing::Sqlite()}) {
    SCOPED_TRACE(source.dsn);
    OdbcLayer layer;
    ASSERT_TRUE(layer.OpenEnvironment());
    ASSERT_TRUE(testing::ConnectTo(layer, source));
    // 5,000 characters take three pieces; two-byte characters make sure the
    // pieces are joined by characters, not bytes.
    std::string longText(4990, 'x');
    for (int i = 0; i < 10; ++i) longText += "é";
    std::string lines = "first line\nzweite Zeile, Grüße\n日本";
    ASSERT_TRUE(layer.ExecuteUpdate("create temp table texts (t varchar(6000))")) << layer.LastError();
    ASSERT_TRUE(layer.ExecuteUpdate("insert into texts values ('" + longText + "')")) << layer.LastError();
    ASSERT_TRUE(layer.ExecuteUpdate("insert into texts values ('" + lines + "')")) << layer.LastError();
    ASSERT_TRUE(layer.ExecuteQuery("select t from texts")) << layer.LastError();
    std::string text = "left from before";
    ASSERT_TRUE(layer.NextRow());
    EXPECT_TRUE(layer.ReadText(0, text)) << "a value taken for NULL";
    EXPECT_EQ(text, longText);
    ASSERT_TRUE(layer.NextRow());
    EXPECT_TRUE(layer.ReadText(0, text));
    EXPECT_EQ(text, lines) << "a shorter value kept part of the one before";
    EXPECT_FALSE(layer.NextRow());
  }
}

TEST_F(LayerTest, StatementsReportTheirRowsAndTheirFailures) {
  for (const DataSource& source : {testing::PgPlain(), testing::Sqlite()}) {
    SCOPED_TRACE(source.dsn);
    OdbcLayer layer;
    ASSERT_TRUE(layer.OpenEnvironment());
    ASSERT_TRUE(testing::ConnectTo(layer, source));

    // A statement without a result set through ExecuteQuery has no columns.
    ASSERT_TRUE(layer.ExecuteQuery("create temp table rows3 (i integer)")) << layer.LastError();
    EXPECT_EQ(layer.ColumnCount(), 0);
    EXPECT_FALSE(layer.NextRow());

    ASSERT_TRUE(layer.ExecuteUpdate("insert into rows3 values (1), (2), (3)")) << layer.LastError();
    EXPECT_EQ(layer.AffectedRows(), 3);
    // Touching no row ends with no data; that is a success with 0 rows.
    EXPECT_TRUE(layer.ExecuteUpdate("delete from rows3 where i = 99")) << layer.LastError();
    EXPECT_EQ(layer.AffectedRows(), 0);
    EXPECT_EQ(layer.LastError(), "");
    ASSERT_TRUE(layer.ExecuteUpdate("update rows3 set i = i + 10 where i >= 2"));
    EXPECT_EQ(layer.AffectedRows(), 2);

    EXPECT_FALSE(layer.ExecuteQuery("selec i from rows3"));
    EXPECT_NE(layer.LastError().find("syntax error"), std::string::npos) << layer.LastError();
    EXPECT_FALSE(layer.ExecuteUpdate("insert into no_such_table values (1)"));
    EXPECT_NE(layer.LastError(), "");
    // The error text is cleared by the next statement that gets going.
    EXPECT_TRUE(layer.ExecuteQuery("select i from rows3"));
    EXPECT_EQ(layer.LastError(), "");
    // Reads after a failed query give nothing.
    EXPECT_FALSE(layer.ExecuteQuery("select nothing from nowhere"));
    EXPECT_EQ(layer.ColumnCount(), 0);
    EXPECT_FALSE(layer.NextRow());
    EXPECT_EQ(layer.GetText(0), "");
  }
}

TEST_F(LayerTest, WithoutAConnectionStatementsFailAndKeepTheLastText) {
  // Before any Connect the failure still says why.
  EXPECT_FALSE(db.ExecuteQuery("select 1"));
  EXPECT_NE(db.LastError().find("no connection"), std::string::npos) << db.LastError();
  EXPECT_FALSE(db.ExecuteUpdate("delete from t"));

  DataSource wrong = testing::PgLuw();
  wrong.password = "wrong";
  EXPECT_FALSE(db.Connect(wrong.dsn, wrong.user, wrong.password));
  std::string refused = db.LastError();
  EXPECT_NE(refused.find("password authentication failed"), std::string::npos) << refused;
  EXPECT_FALSE(db.ExecuteQuery("select 1"));
  EXPECT_EQ(db.LastError(), refused);
}

TEST_F(LayerTest, AFailedReconnectLeavesNoConnection) {
  ASSERT_TRUE(testing::ConnectTo(db, testing::PgLuw()));
  DataSource wrong = testing::PgLuw();
  wrong.password = "wrong";
  EXPECT_FALSE(db.Connect(wrong.dsn, wrong.user, wrong.password));
  EXPECT_FALSE(db.Connected());
  EXPECT_FALSE(db.ExecuteQuery("select 1"));
  EXPECT_TRUE(testing::ConnectTo(db, testing::PgZos()));
}

TEST_F(LayerTest, DataSourceListHoldsUserAndSystemSourcesSortedIgnoringCase) {
  std::vector<std::string> names = ListDataSources(db);
  for (const char* expected :
       {"ZUNO_PG_LUW", "ZUNO_PG_ZOS", "ZUNO_PG_BOTH", "ZUNO_PG_PLAIN", "ZUNO_SQLITE", "ZUNO_SYSTEM_DSN"})
    EXPECT_NE(std::find(names.begin(), names.end(), expected), names.end()) << expected;
  std::vector<std::string> sorted = names;
  SortIgnoringCase(sorted);
  EXPECT_EQ(names, sorted);
}

// The driver manager keeps the configuration it read for the life of the
// process, so the empty one is read in a process started afresh.
TEST(DataSourceListTest, NoneConfiguredGivesAnEmptyList) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  testing::TempDir empty;
  EXPECT_EXIT(
      {
        setenv("ODBCINI", empty.File("odbc.ini").c_str(), 1);
        setenv("ODBCSYSINI", empty.path().c_str(), 1);
        OdbcLayer db;
        bool none = db.OpenEnvironment() && !db.FirstDataSource() && ListDataSources(db).empty();
        std::_Exit(none ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

// A name of n characters, distinct per tag.
std::string LongName(const std::string& tag, std::size_t n) { return tag + std::string(n - tag.size(), 'N'); }

std::string DataSourceSections(const std::vector<std::string>& names) {
  std::string ini;
  for (const std::string& name : names) ini += "[" + name + "]\nDriver=ZUNO SQLite3\nDatabase=/nonexistent\n\n";
  return ini;
}

// Names that do not fit the 100-unit buffer, before and after ordinary ones,
// in the user and in the system configuration: each is left out and every
// other name comes, in the driver manager's order.
TEST(DataSourceListTest, NamesTooLongAreSkippedAndTheRestStillCome) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  testing::TempDir user;
  const std::string user99 = LongName("USER99_", 99), user100 = LongName("USER100_", 100),
                    user120 = LongName("USER120_", 120), system99 = LongName("SYS99_", 99),
                    system100 = LongName("SYS100_", 100), system120 = LongName("SYS120_", 120);
  testing::WriteFileBytes(user.File("odbc.ini"),
                          DataSourceSections({user100, "USER_A", user99, user120, "USER_B", user100 + "X"}));
  testing::TempDir system;
  testing::WriteFileBytes(system.File("odbc.ini"),
                          DataSourceSections({system120, "SYS_A", system100, system99, "SYS_B"}));
  testing::WriteFileBytes(system.File("odbcinst.ini"), "[ZUNO SQLite3]\nDriver=/nonexistent.so\n");
  const std::vector<std::string> expected{"USER_A", user99, "USER_B", "SYS_A", system99, "SYS_B"};
  EXPECT_EXIT(
      {
        setenv("ODBCINI", user.File("odbc.ini").c_str(), 1);
        setenv("ODBCSYSINI", system.path().c_str(), 1);
        OdbcLayer db;
        std::vector<std::string> names;
        if (db.OpenEnvironment() && db.FirstDataSource())
          while (db.NextDataSource()) names.push_back(db.DataSourceName());
        std::vector<std::string> sorted = expected;
        SortIgnoringCase(sorted);
        const bool same = names == expected && ListDataSources(db) == sorted;
        for (const std::string& name : names) std::fprintf(stderr, "%s\n", name.c_str());
        std::_Exit(same ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

TEST(DataSourceListTest, SortsIgnoringCaseAndKeepsEqualNamesInOrder) {
  std::vector<std::string> names = {"sample", "DEMO", "Zeta", "alpha", "Sample", "demo2"};
  SortIgnoringCase(names);
  EXPECT_EQ(names, (std::vector<std::string>{"alpha", "DEMO", "demo2", "sample", "Sample", "Zeta"}));
}

}  // namespace
}  // namespace zuno

// The demo catalog extension loaded into SQLite as the ODBC driver loads it:
// into a connection on a copy of the built demo database.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/temp_dir.h"

namespace zuno {
namespace {

using testing::TempDir;

// Rows as "a|b|c" texts, NULL shown as "Null" as the program shows it; or
// the error text when the statement fails.
struct Result {
  bool ok = false;
  std::string error;
  std::vector<std::string> rows;
};

Result Query(sqlite3* db, const std::string& sql) {
  Result result;
  sqlite3_stmt* statement = nullptr;
  if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
    result.error = sqlite3_errmsg(db);
    return result;
  }
  int rc;
  while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
    std::string row;
    for (int c = 0; c < sqlite3_column_count(statement); ++c) {
      if (c > 0) row += "|";
      const unsigned char* text = sqlite3_column_text(statement, c);
      row += text ? reinterpret_cast<const char*>(text) : "Null";
    }
    result.rows.push_back(row);
  }
  result.ok = rc == SQLITE_DONE;
  if (!result.ok) result.error = sqlite3_errmsg(db);
  sqlite3_finalize(statement);
  return result;
}

// A private copy of the built demo database, opened as the data source opens
// it, with the extension loaded.
class DemoDatabase {
 public:
  DemoDatabase() {
    for (const auto& file : std::filesystem::directory_iterator(ZUNO_DEMO_DATA_DIR))
      std::filesystem::copy_file(file.path(), dir_.File(file.path().filename().string()));
  }
  ~DemoDatabase() { sqlite3_close(db_); }
  DemoDatabase(const DemoDatabase&) = delete;
  DemoDatabase& operator=(const DemoDatabase&) = delete;

  // Opens the main file; returns the load error, or "" when it loaded.
  std::string Open() {
    sqlite3_close(db_);
    db_ = nullptr;
    if (sqlite3_open(dir_.File("zuno_demo.db").c_str(), &db_) != SQLITE_OK) return "cannot open";
    return Load();
  }
  std::string Load() {
    sqlite3_enable_load_extension(db_, 1);
    char* message = nullptr;
    std::string error;
    if (sqlite3_load_extension(db_, ZUNO_DEMO_EXTENSION, nullptr, &message) != SQLITE_OK)
      error = message ? message : "load failed";
    sqlite3_free(message);
    return error;
  }
  sqlite3* db() const { return db_; }
  std::string File(const std::string& name) const { return dir_.File(name); }

 private:
  TempDir dir_;
  sqlite3* db_ = nullptr;
};

// The statements the program sends, copied as it sends them (runs of two
// blanks included), with the rows the demo data must answer.
struct CatalogCase {
  const char* name;
  const char* sql;
  bool ok;
  std::vector<std::string> first_rows;  // the first rows, in order
  int row_count;                        // -1: not checked
};

void PrintTo(const CatalogCase& c, std::ostream* os) { *os << c.name; }

class CatalogQueryTest : public ::testing::TestWithParam<CatalogCase> {};

TEST_P(CatalogQueryTest, AnswersAsDb2Luw) {
  const CatalogCase& c = GetParam();
  DemoDatabase demo;
  ASSERT_EQ(demo.Open(), "");
  Result result = Query(demo.db(), c.sql);
  ASSERT_EQ(result.ok, c.ok) << result.error;
  if (c.row_count >= 0) {
    EXPECT_EQ(static_cast<int>(result.rows.size()), c.row_count);
  }
  ASSERT_GE(result.rows.size(), c.first_rows.size());
  for (size_t i = 0; i < c.first_rows.size(); ++i) EXPECT_EQ(result.rows[i], c.first_rows[i]) << "row " << i;
}

INSTANTIATE_TEST_SUITE_P(
    ProgramStatements, CatalogQueryTest,
    ::testing::Values(
        CatalogCase{"LuwProbeSucceeds", "select distinct 1 from syscat.useroptions", true, {}, 0},
        CatalogCase{"ZosProbeFailsSoFlavourIsLuw", "select distinct 1 from sysibm.usernames", false, {}, -1},
        CatalogCase{"CatalogButtonListsSyscatViews",
                    "Select strip(creator) As tabschema  ,strip(NAME) As tabname  , type  , card  , remarks  , "
                    "base_schema  , base_name  , '' As location FROM sysibm.systables WHERE creator = 'SYSCAT' "
                    "ORDER BY NAME",
                    true,
                    {"SYSCAT|COLUMNS|V|-1|Null|Null|Null|", "SYSCAT|SCHEMATA|V|-1|Null|Null|Null|",
                     "SYSCAT|TABLES|V|-1|Null|Null|Null|", "SYSCAT|USEROPTIONS|V|-1|Null|Null|Null|"},
                    4},
        CatalogCase{"CreatorsHideInternalSchemas",
                    "SELECT distinct creator as tabschema  FROM sysibm.systables ORDER BY 1", true,
                    {"SALES", "SHOP", "SYSCAT", "SYSIBM"}, 4},
        CatalogCase{"LastCreatorListsTablesViewAndAlias",
                    "SELECT strip(creator) as tabschema , strip(NAME) as tabname , type  , card  , remarks  , "
                    "base_schema  , base_name  , '' AS location FROM sysibm.systables WHERE creator = 'SHOP' "
                    "ORDER BY NAME",
                    true,
                    {"SHOP|CUSTOMERS|T|-1|Null|Null|Null|", "SHOP|ITEMS|T|-1|Null|Null|Null|",
                     "SHOP|OPEN_ORDERS|V|-1|Null|Null|Null|", "SHOP|ORD|A|-1|Null|SHOP|ORDERS|",
                     "SHOP|ORDERS|T|-1|Null|Null|Null|"},
                    5},
        CatalogCase{"CreatorDrillShowsAliasOfOtherSchema",
                    "SELECT strip(creator) as tabschema  , strip(NAME) as tabname  , type  , card  , remarks  , "
                    "base_schema  , base_name  , '' AS location FROM sysibm.systables WHERE creator = 'SALES' "
                    "ORDER BY NAME",
                    true, {"SALES|CUSTOMERS|A|-1|Null|SHOP|CUSTOMERS|", "SALES|TARGETS|T|-1|Null|Null|Null|"}, 2},
        CatalogCase{"ColumnQueryInColumnOrderWithDb2TypeWords",
                    "select strip(name),strip(coltype),colno from sysibm.syscolumns where tbcreator ='SHOP' and "
                    "tbname = 'ORDERS' order by colno",
                    true,
                    {"ORDER_ID|INTEGER|0", "CUSTOMER_ID|INTEGER|1", "ITEM_ID|INTEGER|2", "QUANTITY|INTEGER|3",
                     "UNIT_PRICE|DECIMAL|4", "ORDER_DATE|DATE|5", "SHIPPED_DATE|DATE|6", "STATUS|VARCHAR|7",
                     "DELIVERY_SLOT|TIME|8", "CREATED_AT|TIMESTMP|9", "REMARK|VARCHAR|10"},
                    11},
        CatalogCase{"ColumnQueryOfAliasBaseTable",
                    "select strip(name),strip(coltype),colno from sysibm.syscolumns where tbcreator ='SHOP' and "
                    "tbname = 'CUSTOMERS' order by colno",
                    true, {"CUSTOMER_ID|INTEGER|0", "NAME|VARCHAR|1"}, 11},
        CatalogCase{"AliasHasNoColumnsOfItsOwn",
                    "select strip(name),strip(coltype),colno from sysibm.syscolumns where tbcreator ='SALES' and "
                    "tbname = 'CUSTOMERS' order by colno",
                    true, {}, 0},
        CatalogCase{"ColumnTypeIsPaddedLikeDb2", "select coltype from sysibm.syscolumns where tbcreator = 'SHOP' "
                    "and tbname = 'ITEMS' and name = 'SKU'", true, {"CHAR    "}, 1},
        CatalogCase{"DrilledSelectOfTableReadsEveryRow",
                    "select ORDER_ID,ORDER_DATE,STATUS\n from SHOP.ORDERS", true, {"1001|2024-01-04|SHIPPED"}, 72},
        CatalogCase{"DrilledSelectOfAliasReadsBaseRows",
                    "select ORDER_ID,ORDER_DATE,STATUS\n from SHOP.ORD", true, {"1001|2024-01-04|SHIPPED"}, 72},
        CatalogCase{"InternalTablesNotListed",
                    "select name from sysibm.systables where name like 'ZUNO%' or name like 'SQLITE%'", true, {}, 0},
        CatalogCase{"DummyTableHasOneRow", "select * from sysibm.sysdummy1", true, {"Y"}, 1}),
    [](const auto& info) { return info.param.name; });

struct StripCase {
  const char* name;
  const char* argument;
  std::optional<std::string> expected;
};

void PrintTo(const StripCase& c, std::ostream* os) { *os << c.name; }

class StripTest : public ::testing::TestWithParam<StripCase> {};

TEST_P(StripTest, RemovesOnlyOuterBlanks) {
  const StripCase& c = GetParam();
  DemoDatabase demo;
  ASSERT_EQ(demo.Open(), "");
  sqlite3_stmt* statement = nullptr;
  std::string sql = std::string("select strip(") + c.argument + ")";
  ASSERT_EQ(sqlite3_prepare_v2(demo.db(), sql.c_str(), -1, &statement, nullptr), SQLITE_OK)
      << sqlite3_errmsg(demo.db());
  ASSERT_EQ(sqlite3_step(statement), SQLITE_ROW);
  const unsigned char* text = sqlite3_column_text(statement, 0);
  std::optional<std::string> got;
  if (sqlite3_column_type(statement, 0) != SQLITE_NULL)
    got = std::string(reinterpret_cast<const char*>(text), sqlite3_column_bytes(statement, 0));
  sqlite3_finalize(statement);
  EXPECT_EQ(got, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, StripTest,
    ::testing::Values(StripCase{"BothEnds", "'  a b  '", "a b"},
                      StripCase{"NullStaysNull", "NULL", std::nullopt},
                      StripCase{"AllBlanksGiveEmptyText", "'    '", ""},
                      StripCase{"EmptyStaysEmpty", "''", ""},
                      StripCase{"TabsAndLineFeedsAreNotBlanks", "char(9) || ' x ' || char(10)", "\t x \n"},
                      StripCase{"NonAsciiKeptWhole", "'  Müller  '", "Müller"},
                      StripCase{"InnerBlanksKept", "'a  b'", "a  b"},
                      StripCase{"NumberComesBackAsText", "42", "42"}),
    [](const auto& info) { return info.param.name; });

TEST(CatalogExtensionTest, NewTableIsListedAtOnceWithItsColumns) {
  DemoDatabase demo;
  ASSERT_EQ(demo.Open(), "");
  ASSERT_TRUE(Query(demo.db(), "create table SALES.visits (id integer, seen date)").ok);
  Result table = Query(demo.db(), "select creator, name, type from sysibm.systables where name = 'VISITS'");
  EXPECT_EQ(table.rows, std::vector<std::string>{"SALES|VISITS|T"});
  Result columns = Query(demo.db(),
                       "select strip(name),strip(coltype),colno from sysibm.syscolumns where tbcreator ='SALES' and "
                       "tbname = 'VISITS' order by colno");
  EXPECT_EQ(columns.rows, (std::vector<std::string>{"ID|INTEGER|0", "SEEN|DATE|1"}));
}

TEST(CatalogExtensionTest, AliasShowsChangesOfItsBaseTableAndIsReadOnly) {
  DemoDatabase demo;
  ASSERT_EQ(demo.Open(), "");
  ASSERT_TRUE(Query(demo.db(), "update SHOP.CUSTOMERS set CITY = 'Bonn' where CUSTOMER_ID = 1").ok);
  EXPECT_EQ(Query(demo.db(), "select CITY from SALES.CUSTOMERS where CUSTOMER_ID = 1").rows,
            std::vector<std::string>{"Bonn"});
  Result insert = Query(demo.db(), "insert into SALES.CUSTOMERS (CUSTOMER_ID, NAME) values (99, 'x')");
  EXPECT_FALSE(insert.ok);
  EXPECT_EQ(Query(demo.db(), "select count(*) from SHOP.CUSTOMERS where CUSTOMER_ID = 99").rows,
            std::vector<std::string>{"0"});
}

TEST(CatalogExtensionTest, ChangesLastAcrossConnections) {
  DemoDatabase demo;
  ASSERT_EQ(demo.Open(), "");
  ASSERT_TRUE(Query(demo.db(), "delete from SHOP.ORDERS where ORDER_ID = 1001").ok);
  ASSERT_EQ(demo.Open(), "");
  EXPECT_EQ(Query(demo.db(), "select count(*) from SHOP.ORD").rows, std::vector<std::string>{"71"});
}

TEST(CatalogExtensionTest, LoadingTwiceIntoOneConnectionIsHarmless) {
  DemoDatabase demo;
  ASSERT_EQ(demo.Open(), "");
  EXPECT_EQ(demo.Load(), "");
  EXPECT_EQ(Query(demo.db(), "SELECT distinct creator as tabschema  FROM sysibm.systables ORDER BY 1").rows.size(), 4u);
}

TEST(CatalogExtensionTest, MissingSchemaFileFailsWholeAndLeavesConnectionAsItWas) {
  DemoDatabase demo;
  std::filesystem::remove(demo.File("SALES.db"));
  std::string error = demo.Open();
  EXPECT_NE(error.find("SALES.db"), std::string::npos) << error;
  // No empty SALES.db made up in its place, and nothing half attached.
  EXPECT_FALSE(std::filesystem::exists(demo.File("SALES.db")));
  EXPECT_EQ(Query(demo.db(), "select name from pragma_database_list order by seq").rows,
            std::vector<std::string>{"main"});
}

TEST(CatalogExtensionTest, AliasOfDroppedTableLeavesTheRestOfTheCatalogWorking) {
  DemoDatabase demo;
  ASSERT_EQ(demo.Open(), "");
  ASSERT_TRUE(Query(demo.db(), "drop table SHOP.ORDERS").ok);
  ASSERT_EQ(demo.Open(), "");
  EXPECT_FALSE(Query(demo.db(), "select * from SHOP.ORD").ok);
  Result listed = Query(demo.db(), "select name from sysibm.systables where creator = 'SHOP' order by name");
  EXPECT_TRUE(listed.ok) << listed.error;
  EXPECT_EQ(listed.rows, (std::vector<std::string>{"CUSTOMERS", "ITEMS", "OPEN_ORDERS", "ORD"}));
  Result columns = Query(demo.db(),
                       "select strip(name),strip(coltype),colno from sysibm.syscolumns where tbcreator ='SHOP' and "
                       "tbname = 'CUSTOMERS' order by colno");
  EXPECT_TRUE(columns.ok) << columns.error;
  EXPECT_EQ(columns.rows.size(), 11u);
}

}  // namespace
}  // namespace zuno

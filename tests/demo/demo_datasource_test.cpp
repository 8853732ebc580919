// scripts/demo-datasource and the ZUNO_DEMO data source it writes, reached
// as the program reaches it: through the driver manager's wide-character
// calls, SQLConnectW with a data source name, a user and a password.
#include <gtest/gtest.h>
#include <sql.h>
#include <sqlext.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "catalog/catalog_names.h"
#include "db/odbc_layer.h"
#include "tests/support/temp_dir.h"

namespace zuno {
namespace {

using testing::ReadFileBytes;
using testing::ScopedEnv;
using testing::TempDir;
using testing::WriteFileBytes;

const std::string kBuildDir = ZUNO_BUILD_DIR;
const std::string kUserIni = "[MYDB]\nDriver=PostgreSQL Unicode\nServername=localhost\nPassword=secret\n";

struct ScriptRun {
  int status = -1;
  std::string output;
};

// Runs the script with a given HOME and, when not empty, ODBCINI.
ScriptRun RunScript(const std::string& build, const std::string& work, const std::string& home,
                    const std::string& odbcini = "") {
  std::string command = "env -u ODBCINI HOME='" + home + "' ";
  if (!odbcini.empty()) command += "ODBCINI='" + odbcini + "' ";
  command += "bash '" ZUNO_DEMO_DATASOURCE_SCRIPT "' '" + build + "' '" + work + "'";
  ScriptRun run;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return run;
  char chunk[4096];
  size_t got;
  while ((got = fread(chunk, 1, sizeof chunk, pipe)) > 0) run.output.append(chunk, got);
  int status = pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

size_t Occurrences(const std::string& text, const std::string& piece) {
  size_t count = 0;
  for (size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1)) ++count;
  return count;
}

TEST(DemoDatasourceScriptTest, AddsDemoBesideUserSourcesWithoutTouchingThem) {
  TempDir home, work;
  WriteFileBytes(home.File(".odbc.ini"), kUserIni);
  ScriptRun run = RunScript(kBuildDir, work.path(), home.path());
  ASSERT_EQ(run.status, 0);
  EXPECT_EQ(run.output, "export ODBCINI=" + work.File("odbc.ini") + "\n");
  std::string ini = ReadFileBytes(work.File("odbc.ini"));
  EXPECT_EQ(ini.substr(0, kUserIni.size()), kUserIni);
  EXPECT_NE(ini.find("\n[ZUNO_DEMO]\n"), std::string::npos) << ini;
  EXPECT_NE(ini.find("\nDatabase=" + work.File("demo-data/zuno_demo.db") + "\n"), std::string::npos) << ini;
  EXPECT_NE(ini.find("\nLoadExt=" + kBuildDir + "/demo/libzuno_db2_catalog.so\n"), std::string::npos) << ini;
  EXPECT_EQ(ReadFileBytes(home.File(".odbc.ini")), kUserIni);
  // The copy holds the user's passwords: it stays private.
  struct stat status;
  ASSERT_EQ(stat(work.File("odbc.ini").c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 0077, 0u);
}

TEST(DemoDatasourceScriptTest, RunAgainOnItsOwnFileKeepsOneDemoSection) {
  TempDir home, work;
  WriteFileBytes(home.File(".odbc.ini"), kUserIni);
  ASSERT_EQ(RunScript(kBuildDir, work.path(), home.path()).status, 0);
  // As when the printed export is already in force.
  ASSERT_EQ(RunScript(kBuildDir, work.path(), home.path(), work.File("odbc.ini")).status, 0);
  std::string ini = ReadFileBytes(work.File("odbc.ini"));
  EXPECT_EQ(Occurrences(ini, "[ZUNO_DEMO]"), 1u) << ini;
  EXPECT_EQ(Occurrences(ini, "[MYDB]"), 1u) << ini;
  EXPECT_EQ(Occurrences(ini, "Password=secret"), 1u) << ini;
  // Nothing piles up from run to run.
  ASSERT_EQ(RunScript(kBuildDir, work.path(), home.path(), work.File("odbc.ini")).status, 0);
  EXPECT_EQ(ReadFileBytes(work.File("odbc.ini")), ini);
}

TEST(DemoDatasourceScriptTest, UserFileNamedByOdbciniIsTheOneCopied) {
  TempDir home, work, elsewhere;
  WriteFileBytes(home.File(".odbc.ini"), "[HOMEDB]\nDriver=x\n");
  WriteFileBytes(elsewhere.File("mine.ini"), kUserIni);
  ASSERT_EQ(RunScript(kBuildDir, work.path(), home.path(), elsewhere.File("mine.ini")).status, 0);
  std::string ini = ReadFileBytes(work.File("odbc.ini"));
  EXPECT_EQ(Occurrences(ini, "[MYDB]"), 1u) << ini;
  EXPECT_EQ(Occurrences(ini, "[HOMEDB]"), 0u) << ini;
}

TEST(DemoDatasourceScriptTest, WithoutUserFileWritesOnlyTheDemo) {
  TempDir home, work;
  ASSERT_EQ(RunScript(kBuildDir, work.path(), home.path()).status, 0);
  std::string ini = ReadFileBytes(work.File("odbc.ini"));
  EXPECT_EQ(ini.rfind("[ZUNO_DEMO]\n", 0), 0u) << ini;
  EXPECT_FALSE(std::filesystem::exists(home.File(".odbc.ini")));
}

TEST(DemoDatasourceScriptTest, KeepsChangedDemoDataOnTheNextRun) {
  TempDir home, work;
  ASSERT_EQ(RunScript(kBuildDir, work.path(), home.path()).status, 0);
  ASSERT_TRUE(std::filesystem::exists(work.File("demo-data/SHOP.db")));
  WriteFileBytes(work.File("demo-data/SHOP.db"), "changed by the user");
  std::filesystem::remove(work.File("demo-data/SALES.db"));
  ASSERT_EQ(RunScript(kBuildDir, work.path(), home.path()).status, 0);
  EXPECT_EQ(ReadFileBytes(work.File("demo-data/SHOP.db")), "changed by the user");
  // A file that went missing is copied again.
  EXPECT_TRUE(std::filesystem::exists(work.File("demo-data/SALES.db")));
}

TEST(DemoDatasourceScriptTest, WithoutBuiltDemoPrintsNothingAndWritesNothing) {
  TempDir home, work, empty_build;
  ScriptRun run = RunScript(empty_build.path(), work.path(), home.path());
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.output, "");
  EXPECT_FALSE(std::filesystem::exists(work.File("odbc.ini")));
}

// UTF-8 <-> UTF-16 for the wide-character calls.
std::u16string Wide(const std::string& text) {
  std::u16string wide;
  for (size_t i = 0; i < text.size();) {
    unsigned char c = text[i];
    char32_t point;
    int extra = c < 0x80 ? 0 : c < 0xE0 ? 1 : c < 0xF0 ? 2 : 3;
    point = extra == 0 ? c : c & (0x3F >> extra);
    for (int k = 1; k <= extra && i + k < text.size(); ++k) point = (point << 6) | (text[i + k] & 0x3F);
    i += extra + 1;
    if (point >= 0x10000) {
      point -= 0x10000;
      wide += static_cast<char16_t>(0xD800 + (point >> 10));
      wide += static_cast<char16_t>(0xDC00 + (point & 0x3FF));
    } else {
      wide += static_cast<char16_t>(point);
    }
  }
  return wide;
}

std::string Narrow(const std::u16string& wide) {
  std::string text;
  for (size_t i = 0; i < wide.size(); ++i) {
    char32_t point = wide[i];
    if (point >= 0xD800 && point < 0xDC00 && i + 1 < wide.size())
      point = 0x10000 + ((point - 0xD800) << 10) + (wide[++i] - 0xDC00);
    if (point < 0x80) {
      text += static_cast<char>(point);
    } else if (point < 0x800) {
      text += static_cast<char>(0xC0 | (point >> 6));
      text += static_cast<char>(0x80 | (point & 0x3F));
    } else if (point < 0x10000) {
      text += static_cast<char>(0xE0 | (point >> 12));
      text += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
      text += static_cast<char>(0x80 | (point & 0x3F));
    } else {
      text += static_cast<char>(0xF0 | (point >> 18));
      text += static_cast<char>(0x80 | ((point >> 12) & 0x3F));
      text += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
      text += static_cast<char>(0x80 | (point & 0x3F));
    }
  }
  return text;
}

SQLWCHAR* W(std::u16string& text) { return reinterpret_cast<SQLWCHAR*>(text.data()); }

std::u16string Padded(const std::u16string& text) { return text + std::u16string(4 * text.size() + 8, u'\0'); }

struct Column {
  std::string name;
  SQLSMALLINT type = 0;
  SQLULEN size = 0;
};

// One result set read whole, values as the program reads them (SQL_C_WCHAR),
// NULL as "Null".
struct Answer {
  bool ok = false;
  std::string error;
  std::vector<Column> columns;
  std::vector<std::vector<std::string>> rows;
};

class DemoDataSourceTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    home_ = new TempDir;
    work_ = new TempDir;
    WriteFileBytes(home_->File(".odbc.ini"), kUserIni);
    ScriptRun run = RunScript(kBuildDir, work_->path(), home_->path());
    ASSERT_EQ(run.status, 0);
    odbcini_ = new ScopedEnv("ODBCINI", work_->File("odbc.ini").c_str());
  }
  static void TearDownTestSuite() {
    delete odbcini_;
    delete work_;
    delete home_;
  }

  void SetUp() override {
    ASSERT_EQ(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env_), SQL_SUCCESS);
    ASSERT_EQ(SQLSetEnvAttr(env_, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), SQL_IS_INTEGER),
              SQL_SUCCESS);
  }
  void TearDown() override {
    if (dbc_ != SQL_NULL_HDBC) {
      SQLDisconnect(dbc_);
      SQLFreeHandle(SQL_HANDLE_DBC, dbc_);
    }
    SQLFreeHandle(SQL_HANDLE_ENV, env_);
  }

  bool Connect() {
    if (SQLAllocHandle(SQL_HANDLE_DBC, env_, &dbc_) != SQL_SUCCESS) return false;
    // The driver manager reads past the terminator of a SQL_NTS text when it
    // converts it (several bytes per character), so the texts are padded.
    std::u16string dsn = Padded(u"ZUNO_DEMO"), user = Padded(u"anyuser"), password = Padded(u"anypw");
    return SQL_SUCCEEDED(SQLConnectW(dbc_, W(dsn), SQL_NTS, W(user), SQL_NTS, W(password), SQL_NTS));
  }

  Answer Query(const std::string& sql) {
    Answer answer;
    SQLHSTMT statement = SQL_NULL_HSTMT;
    if (SQLAllocHandle(SQL_HANDLE_STMT, dbc_, &statement) != SQL_SUCCESS) return answer;
    std::u16string wide = Wide(sql);
    if (!SQL_SUCCEEDED(SQLExecDirectW(statement, W(wide), static_cast<SQLINTEGER>(wide.size())))) {
      std::u16string message(1024, u'\0');
      SQLSMALLINT length = 0;
      SQLGetDiagFieldW(SQL_HANDLE_STMT, statement, 1, SQL_DIAG_MESSAGE_TEXT, W(message),
                       static_cast<SQLSMALLINT>(message.size() * 2), &length);
      answer.error = Narrow(message.substr(0, message.find(u'\0')));
      SQLFreeHandle(SQL_HANDLE_STMT, statement);
      return answer;
    }
    answer.ok = true;
    SQLSMALLINT count = 0;
    SQLNumResultCols(statement, &count);
    for (SQLUSMALLINT c = 1; c <= count; ++c) {
      std::u16string name(128, u'\0');
      SQLSMALLINT length = 0, digits = 0, nullable = 0;
      Column column;
      SQLDescribeColW(statement, c, W(name), 128, &length, &column.type, &column.size, &digits, &nullable);
      column.name = Narrow(name.substr(0, length));
      answer.columns.push_back(column);
    }
    while (SQL_SUCCEEDED(SQLFetch(statement))) {
      std::vector<std::string> row;
      for (SQLUSMALLINT c = 1; c <= count; ++c) {
        std::u16string value(4096, u'\0');
        SQLLEN indicator = 0;
        SQLGetData(statement, c, SQL_C_WCHAR, W(value), static_cast<SQLLEN>(value.size() * 2), &indicator);
        row.push_back(indicator == SQL_NULL_DATA ? "Null" : Narrow(value.substr(0, value.find(u'\0'))));
      }
      answer.rows.push_back(row);
    }
    SQLFreeHandle(SQL_HANDLE_STMT, statement);
    return answer;
  }

  static TempDir* home_;
  static TempDir* work_;
  static ScopedEnv* odbcini_;
  SQLHENV env_ = SQL_NULL_HENV;
  SQLHDBC dbc_ = SQL_NULL_HDBC;
};

TempDir* DemoDataSourceTest::home_ = nullptr;
TempDir* DemoDataSourceTest::work_ = nullptr;
ScopedEnv* DemoDataSourceTest::odbcini_ = nullptr;

TEST_F(DemoDataSourceTest, ListedBesideTheUsersOwnDataSources) {
  std::vector<std::string> names;
  std::u16string name(100, u'\0'), description(100, u'\0');
  SQLSMALLINT name_length = 0, description_length = 0;
  SQLUSMALLINT direction = SQL_FETCH_FIRST;
  while (SQLDataSourcesW(env_, direction, W(name), 100, &name_length, W(description), 100, &description_length) ==
         SQL_SUCCESS) {
    names.push_back(Narrow(name.substr(0, name_length)));
    direction = SQL_FETCH_NEXT;
  }
  EXPECT_NE(std::find(names.begin(), names.end(), "ZUNO_DEMO"), names.end());
  EXPECT_NE(std::find(names.begin(), names.end(), "MYDB"), names.end());
}

TEST_F(DemoDataSourceTest, ConnectLoadsTheCatalogSoTheFlavourIsDb2Luw) {
  ASSERT_TRUE(Connect());
  EXPECT_TRUE(Query("select distinct 1 from syscat.useroptions").ok);
  Answer zos = Query("select distinct 1 from sysibm.usernames");
  EXPECT_FALSE(zos.ok);
  EXPECT_NE(zos.error.find("usernames"), std::string::npos) << zos.error;
  Answer catalog = Query(
      "Select strip(creator) As tabschema  ,strip(NAME) As tabname  , type  , card  , remarks  , base_schema  , "
      "base_name  , '' As location FROM sysibm.systables WHERE creator = 'SYSCAT' ORDER BY NAME");
  ASSERT_TRUE(catalog.ok) << catalog.error;
  ASSERT_EQ(catalog.columns.size(), 8u);
  EXPECT_EQ(catalog.columns[0].name, "tabschema");
  EXPECT_EQ(catalog.rows.size(), 4u);
}

TEST_F(DemoDataSourceTest, DrilledSelectReadsMoreRowsThanTheGridShowsWithTextIntact) {
  ASSERT_TRUE(Connect());
  Answer orders = Query("select ORDER_ID,ORDER_DATE,REMARK\n from SHOP.ORD");
  ASSERT_TRUE(orders.ok) << orders.error;
  EXPECT_GT(orders.rows.size(), 50u);
  Answer customer = Query("select NAME,NOTES\n from SALES.CUSTOMERS where CUSTOMER_ID = 1");
  ASSERT_TRUE(customer.ok) << customer.error;
  ASSERT_EQ(customer.rows.size(), 1u);
  EXPECT_EQ(customer.rows[0][0], "Müller & Söhne GmbH");
  EXPECT_NE(customer.rows[0][1].find('\n'), std::string::npos);
  Answer nulls = Query("select count(*) from SHOP.ORDERS where SHIPPED_DATE is null");
  ASSERT_TRUE(nulls.ok);
  EXPECT_NE(nulls.rows[0][0], "0");
}

// How the driver describes the demo's column types. The program reads only
// SQL_CHAR, SQL_VARCHAR, SQL_LONGVARCHAR and the date and time types as
// text (a wide-character type would be read as a number), shows a DATE only
// for a column size of exactly 10, and a TIMESTAMP from size 26 on.
struct DescribeCase {
  const char* name;
  const char* column;  // in SHOP.ITEMS or SHOP.ORDERS
  SQLSMALLINT type;
  SQLULEN min_size;
  SQLULEN max_size;
};

void PrintTo(const DescribeCase& c, std::ostream* os) { *os << c.name; }

class ColumnDescriptionTest : public DemoDataSourceTest, public ::testing::WithParamInterface<DescribeCase> {};

TEST_P(ColumnDescriptionTest, DriverReportsWhatTheProgramNeeds) {
  const DescribeCase& c = GetParam();
  ASSERT_TRUE(Connect());
  Answer answer = Query(std::string("select ") + c.column + " from SHOP.ORDERS as o join SHOP.ITEMS as i"
                                                            " on i.ITEM_ID = o.ITEM_ID");
  ASSERT_TRUE(answer.ok) << answer.error;
  ASSERT_EQ(answer.columns.size(), 1u);
  EXPECT_EQ(answer.columns[0].type, c.type);
  EXPECT_GE(answer.columns[0].size, c.min_size);
  EXPECT_LE(answer.columns[0].size, c.max_size);
}

INSTANTIATE_TEST_SUITE_P(
    DemoTypes, ColumnDescriptionTest,
    ::testing::Values(DescribeCase{"DateHasSizeTen", "o.ORDER_DATE", SQL_TYPE_DATE, 10, 10},
                      DescribeCase{"NullableDateHasSizeTen", "o.SHIPPED_DATE", SQL_TYPE_DATE, 10, 10},
                      DescribeCase{"TimestampAtLeast26", "o.CREATED_AT", SQL_TYPE_TIMESTAMP, 26, 64},
                      DescribeCase{"TimeHasSizeEight", "o.DELIVERY_SLOT", SQL_TYPE_TIME, 8, 8},
                      DescribeCase{"IntegerIsInteger", "o.QUANTITY", SQL_INTEGER, 1, 34},
                      DescribeCase{"VarcharIsNotWide", "o.STATUS", SQL_VARCHAR, 10, 10},
                      DescribeCase{"DecimalComesAsText", "o.UNIT_PRICE", SQL_VARCHAR, 10, 10},
                      DescribeCase{"LongVarcharIsNotWide", "i.DESCRIPTION", SQL_LONGVARCHAR, 1000, 1000},
                      DescribeCase{"BigintIsBigint", "i.EAN", SQL_BIGINT, 1, 34},
                      DescribeCase{"DoubleIsDouble", "i.WEIGHT_KG", SQL_DOUBLE, 1, 64}),
    [](const auto& info) { return info.param.name; });

// Completion's names from the demo through the SQLite driver, over a second
// connection while the first one is in the middle of a result set.
TEST_F(DemoDataSourceTest, CompletionNamesComeOverASecondConnectionBesideAnOpenResult) {
  OdbcLayer user;
  ASSERT_TRUE(user.OpenEnvironment());
  ASSERT_TRUE(user.Connect("ZUNO_DEMO", "anyuser", "anypw")) << user.LastError();
  ASSERT_TRUE(user.ExecuteQuery("select ITEM_ID from SHOP.ITEMS order by ITEM_ID"));
  ASSERT_TRUE(user.NextRow());
  const CatalogSource source{"ZUNO_DEMO", "anyuser", "anypw", DatabaseFlavour::Db2Luw};
  struct {
    const char* table;
    std::vector<std::string> firstColumns;
  } cases[] = {
      {"ITEMS", {"ITEM_ID", "SKU", "NAME"}},
      {"ORD", {"ORDER_ID", "CUSTOMER_ID"}},  // an alias: its base table's columns
  };
  for (const auto& c : cases) {
    NameRequest request;
    request.schemas = true;
    request.tablesOf = {"SHOP"};
    request.columnsOf = {{"SHOP", c.table, "", ""}};
    NamesRead read = ReadNames(source, request);
    ASSERT_TRUE(read.connected) << c.table;
    EXPECT_NE(std::find(read.schemas.begin(), read.schemas.end(), "SALES"), read.schemas.end());
    ASSERT_EQ(read.tables.size(), 1u);
    EXPECT_EQ(read.tables[0].names.StartingWith("o", 10), (std::vector<std::string>{"OPEN_ORDERS", "ORD", "ORDERS"}));
    ASSERT_EQ(read.columns.size(), 1u);
    const std::vector<std::string>& columns = read.columns[0];
    ASSERT_GE(columns.size(), c.firstColumns.size()) << c.table;
    EXPECT_EQ(std::vector<std::string>(columns.begin(), columns.begin() + c.firstColumns.size()), c.firstColumns);
  }
  int rows = 1;
  while (user.NextRow()) ++rows;
  EXPECT_GT(rows, 1) << "the user's result set ended when names were read";
}

}  // namespace
}  // namespace zuno

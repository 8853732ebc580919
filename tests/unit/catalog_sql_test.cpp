#include "catalog/catalog_sql.h"

#include <gtest/gtest.h>

namespace zuno {
namespace {

TEST(CatalogSqlTest, EachFlavourGetsItsOwnTextAndAnUnknownOneNone) {
  EXPECT_NE(CatalogListSql("Db2/LUW").find("WHERE creator = 'SYSCAT' ORDER BY NAME"), std::string::npos);
  EXPECT_NE(CatalogListSql("Db2/zOS").find("TBCREATOR As base_schema"), std::string::npos);
  EXPECT_NE(CatalogListSql("Db2/zOS").find("WHERE creator = 'SYSIBM' ORDER BY NAME"), std::string::npos);
  // The comparison is exact: another spelling is no flavour at all.
  for (const char* unknown : {"", "db2/luw", "Db2/ZOS", "Db2/LUW "}) {
    EXPECT_EQ(CatalogListSql(unknown), "") << unknown;
    EXPECT_EQ(LastCreatorListSql(unknown, "X"), "") << unknown;
    EXPECT_EQ(CreatorDrillSql(unknown, "X"), "") << unknown;
  }
  EXPECT_EQ(CreatorsListSql(), "SELECT distinct creator as tabschema  FROM sysibm.systables ORDER BY 1");
}

TEST(CatalogSqlTest, NamesGoIntoTheLiteralsWithTheirApostrophesDoubled) {
  struct {
    const char* name;
    std::string sql;
    const char* tail;
  } cases[] = {
      {"plain creator", LastCreatorListSql("Db2/LUW", "MYSCHEMA"), "creator = 'MYSCHEMA' ORDER BY NAME"},
      {"zOS drill", CreatorDrillSql("Db2/zOS", "SYSIBM"),
       ", tbname As base_name  , '' As location FROM sysibm.systables WHERE creator = 'SYSIBM' ORDER BY NAME"},
      {"empty creator", LastCreatorListSql("Db2/zOS", ""), "WHERE creator = '' ORDER BY NAME"},
      {"apostrophe cannot end the literal", LastCreatorListSql("Db2/LUW", "O'X' OR 'a'='a"),
       "creator = 'O''X'' OR ''a''=''a' ORDER BY NAME"},
      {"column query", ColumnQuerySql("MY'S", "T'"),
       "from sysibm.syscolumns where tbcreator ='MY''S' and tbname = 'T''' order by colno"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_GE(c.sql.size(), std::string(c.tail).size());
    EXPECT_EQ(c.sql.substr(c.sql.size() - std::string(c.tail).size()), c.tail);
  }
  EXPECT_EQ(ColumnQuerySql("A", "B"),
            "select strip(name),strip(coltype),colno from sysibm.syscolumns where tbcreator ='A' and tbname = 'B' order by colno");
}

}  // namespace
}  // namespace zuno

#include "catalog/catalog_sql.h"

#include <gtest/gtest.h>

namespace zuno {
namespace {

TEST(CatalogSqlTest, EachFlavourGetsItsOwnTextAndAnUnknownOneNone) {
  EXPECT_NE(CatalogListSql(DatabaseFlavour::Db2Luw).find("WHERE creator = 'SYSCAT' ORDER BY NAME"), std::string::npos);
  EXPECT_NE(CatalogListSql(DatabaseFlavour::Db2Zos).find("TBCREATOR As base_schema"), std::string::npos);
  EXPECT_NE(CatalogListSql(DatabaseFlavour::Db2Zos).find("WHERE creator = 'SYSIBM' ORDER BY NAME"), std::string::npos);
  // Before a probe has answered there is no flavour, and no statement.
  EXPECT_EQ(CatalogListSql(DatabaseFlavour::None), "");
  EXPECT_EQ(LastCreatorListSql(DatabaseFlavour::None, "X"), "");
  EXPECT_EQ(CreatorDrillSql(DatabaseFlavour::None, "X"), "");
  EXPECT_EQ(CreatorsListSql(), "SELECT distinct creator as tabschema  FROM sysibm.systables ORDER BY 1");
}

TEST(CatalogSqlTest, NamesGoIntoTheLiteralsWithTheirApostrophesDoubled) {
  struct {
    const char* name;
    std::string sql;
    const char* tail;
  } cases[] = {
      {"plain creator", LastCreatorListSql(DatabaseFlavour::Db2Luw, "MYSCHEMA"), "creator = 'MYSCHEMA' ORDER BY NAME"},
      {"zOS drill", CreatorDrillSql(DatabaseFlavour::Db2Zos, "SYSIBM"),
       ", tbname As base_name  , '' As location FROM sysibm.systables WHERE creator = 'SYSIBM' ORDER BY NAME"},
      {"empty creator", LastCreatorListSql(DatabaseFlavour::Db2Zos, ""), "WHERE creator = '' ORDER BY NAME"},
      {"apostrophe cannot end the literal", LastCreatorListSql(DatabaseFlavour::Db2Luw, "O'X' OR 'a'='a"),
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

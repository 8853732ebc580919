// The names completion reads, from the catalogs of both flavours, over a
// connection of its own beside the user's.
#include <gtest/gtest.h>

#include "catalog/catalog_names.h"
#include "tests/support/data_sources.h"

namespace zuno {
namespace {

using testing::DataSource;

CatalogSource SourceOf(const DataSource& d, DatabaseFlavour flavour) { return {d.dsn, d.user, d.password, flavour}; }

struct Flavoured {
  const char* name;
  DataSource (*source)();
  DatabaseFlavour flavour;
};
void PrintTo(const Flavoured& f, std::ostream* os) { *os << f.name; }

class CatalogNamesTest : public ::testing::TestWithParam<Flavoured> {
 protected:
  void SetUp() override { ZUNO_REQUIRE_FIXTURES(); }
  CatalogSource Source() const { return SourceOf(GetParam().source(), GetParam().flavour); }
};

// The columns of every table a statement names come in one read, each
// table's in its own order; an alias has the columns of its base table.
TEST_P(CatalogNamesTest, SchemasTablesByPrefixAndColumnsInTheirOrder) {
  NameRequest request;
  request.schemas = true;
  request.tablesOf = {"MYSCHEMA", "ME"};
  request.columnsOf = {{"MYSCHEMA", "CUSTOMERS", "", ""}, {"ME", "ORD", "", ""}};
  NamesRead read = ReadNames(Source(), request);
  ASSERT_TRUE(read.connected);
  for (const char* schema : {"ME", "MYSCHEMA", "PUBLIC", "SYSIBM"})
    EXPECT_NE(std::find(read.schemas.begin(), read.schemas.end(), schema), read.schemas.end()) << schema;
  ASSERT_EQ(read.tables.size(), 2u);
  EXPECT_EQ(read.tables[0].names.StartingWith("ord", 10), (std::vector<std::string>{"ORDERS", "ORDER_VIEW"}));
  EXPECT_EQ(read.tables[0].names.size(), 3u);
  ASSERT_EQ(read.tables[1].tables.size(), 1u);
  EXPECT_EQ(read.tables[1].tables[0].baseSchema + "." + read.tables[1].tables[0].baseName, "MYSCHEMA.ORDERS");
  EXPECT_EQ(read.columns, (std::vector<std::vector<std::string>>{{"ID", "NAME", "CITY", "SINCE"}, {"ID", "ITEM", "QTY"}}));
}

// The user's statement keeps its result set while names are read: the
// names come over a connection of their own.
TEST_P(CatalogNamesTest, ReadWhileTheUsersStatementIsBeingFetched) {
  OdbcLayer db;
  ASSERT_TRUE(db.OpenEnvironment());
  ASSERT_TRUE(testing::ConnectTo(db, GetParam().source()));
  ASSERT_TRUE(db.ExecuteQuery("select ID from MYSCHEMA.ORDERS order by ID"));
  ASSERT_TRUE(db.NextRow());
  NameRequest request;
  request.tablesOf = {"MYSCHEMA"};
  EXPECT_EQ(ReadNames(Source(), request).tables.at(0).tables.size(), 3u);
  std::vector<std::string> ids{db.GetText(0)};
  while (db.NextRow()) ids.push_back(db.GetText(0));
  EXPECT_EQ(ids, (std::vector<std::string>{"1", "2", "3"}));
}

INSTANTIATE_TEST_SUITE_P(BothFlavours, CatalogNamesTest,
                         ::testing::Values(Flavoured{"Luw", testing::PgLuw, DatabaseFlavour::Db2Luw},
                                           Flavoured{"Zos", testing::PgZos, DatabaseFlavour::Db2Zos}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CatalogNamesFailTest, NothingIsReadWithoutACatalogOrAConnection) {
  ZUNO_REQUIRE_FIXTURES();
  NameRequest request;
  request.schemas = true;
  request.tablesOf = {"MYSCHEMA"};
  DataSource wrongPassword = testing::PgLuw();
  wrongPassword.password = "wrong";
  const CatalogSource cases[] = {
      SourceOf(testing::PgPlain(), DatabaseFlavour::None),         // no flavour: no catalog to ask
      SourceOf(wrongPassword, DatabaseFlavour::Db2Luw),       // the connection is refused
  };
  for (const CatalogSource& source : cases) {
    NamesRead read = ReadNames(source, request);
    EXPECT_FALSE(read.connected) << source.dsn;
    EXPECT_TRUE(read.schemas.empty() && read.tables.empty()) << source.dsn;
  }
  // Asked to stop (the program ends): nothing more is read.
  NamesRead stopped = ReadNames(SourceOf(testing::PgLuw(), DatabaseFlavour::Db2Luw), request, [] { return true; });
  EXPECT_TRUE(stopped.schemas.empty() && stopped.tables.empty());
}

}  // namespace
}  // namespace zuno

#include "catalog/name_completion.h"

#include <gtest/gtest.h>

#include <string>

#include "windows/sql_editor_spans.h"
#include "catalog/name_cache.h"

namespace zuno {
namespace {

using Kind = CompletionContext::Kind;

// "|" marks the cursor in the statement.
CompletionContext At(std::string sql, bool asked = false) {
  std::size_t cursor = sql.find('|');
  sql.erase(cursor, 1);
  return FindCompletionContext(sql, cursor, "ME", asked);
}

// Tables: the schema; columns: each table as SCHEMA.TABLE with its mark.
std::string WhereFrom(const CompletionContext& c) {
  if (c.kind != Kind::Columns) return c.schema;
  std::string where;
  for (const ColumnSource& t : c.tables)
    where += (where.empty() ? "" : ", ") + t.schema + "." + t.table + (t.mark.empty() ? "" : " " + t.mark);
  return where;
}

TEST(NameCompletionTest, WhatFitsAtTheCursor) {
  struct {
    const char* sql;
    bool asked;
    Kind kind;
    const char* where;
    const char* typed;
  } cases[] = {
      {"select * from |", false, Kind::Tables, "", ""},
      {"select * from OR|", false, Kind::Tables, "", "OR"},
      {"SELECT * FROM a JOIN cu|", false, Kind::Tables, "", "cu"},
      {"insert into |", false, Kind::Tables, "", ""},
      {"update\n  ord|", false, Kind::Tables, "", "ord"},
      {"select * from myschema.or|", false, Kind::Tables, "MYSCHEMA", "or"},
      {"select * from \"My Schema\".|", false, Kind::Tables, "My Schema", ""},
      {"select * from MYSCHEMA.\"lo|", false, Kind::Tables, "MYSCHEMA", "\"lo"},
      {"select o.| from MYSCHEMA.ORDERS o", false, Kind::Columns, "MYSCHEMA.ORDERS", ""},
      {"select x.i| from MYSCHEMA.ORDERS as X", false, Kind::Columns, "MYSCHEMA.ORDERS", "i"},
      {"select ORDERS.| from MYSCHEMA.ORDERS", false, Kind::Columns, "MYSCHEMA.ORDERS", ""},
      {"select c.| from MYSCHEMA.ORDERS o, SHOP.CUSTOMERS c", false, Kind::Columns, "SHOP.CUSTOMERS", ""},
      {"select t.| from T", false, Kind::Columns, "ME.T", ""},
      {"select nothere.|", false, Kind::Columns, "ME.NOTHERE", ""},
      {"select * from x where a = |", false, Kind::None, "", ""},
      {"sel|", false, Kind::None, "", "sel"},
      {"select * from myschema.orders wh|", false, Kind::None, "", "wh"},
      // Where a column may stand, the columns of the tables the statement names.
      {"select * from x where a = |", true, Kind::Columns, "ME.X", ""},
      {"select * from MYSCHEMA.ORDERS where IT|", false, Kind::Columns, "MYSCHEMA.ORDERS", "IT"},
      {"select I| from MYSCHEMA.ORDERS", false, Kind::Columns, "MYSCHEMA.ORDERS", "I"},
      {"select a, \"i| from T", false, Kind::Columns, "ME.T", "\"i"},
      {"select | from S.A x join B on x.k = b.k", true, Kind::Columns, "S.A X, ME.B B", ""},
      {"select * from A join B on a.k = |", true, Kind::Columns, "ME.A A, ME.B B", ""},
      {"select * from T where a in (1, 2) and |", true, Kind::Columns, "ME.T", ""},
      {"select * from T where a in (select | from U)", true, Kind::Columns, "ME.T T, ME.U U", ""},
      {"select count(|) from T group by 1", true, Kind::Columns, "ME.T", ""},
      {"select * from T group by a, b order by a, |", true, Kind::Columns, "ME.T", ""},
      {"select * from T having |", true, Kind::Columns, "ME.T", ""},
      {"update S.T set a = 1, |", true, Kind::Columns, "S.T", ""},
      {"select 1 from A;\nselect * from B where x|", false, Kind::Columns, "ME.B", "x"},
      {"select * from MYSCHEMA.ORDERS.I|", false, Kind::Columns, "MYSCHEMA.ORDERS", "I"},
      {"values MYSCHEMA.ORDERS.|", false, Kind::Columns, "MYSCHEMA.ORDERS", ""},
      // Where no column stands: after a name, in FROM, VALUES or a string.
      {"select a b| from T", false, Kind::None, "", "b"},
      {"select * from T, u|", false, Kind::None, "", "u"},
      {"select * from T, |", true, Kind::Tables, "", ""},
      {"insert into T values (1, |", true, Kind::Tables, "", ""},
      {"insert into T (|", true, Kind::Tables, "", ""},
      {"select 'a|", false, Kind::None, "", "a"},
      {"select x|", false, Kind::None, "", "x"},  // no table named yet
      {"select |", true, Kind::Tables, "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.sql);
    CompletionContext got = At(c.sql, c.asked);
    EXPECT_EQ(got.kind, c.kind);
    EXPECT_EQ(got.typed, c.typed);
    if (c.kind != Kind::None) {
      EXPECT_EQ(WhereFrom(got), c.where);
    }
  }
}

TEST(NameCompletionTest, TableReferencesWithTheirAliases) {
  struct {
    const char* sql;
    std::vector<std::string> refs;  // schema.table alias
  } cases[] = {
      {"select * from MYSCHEMA.ORDERS", {"MYSCHEMA.ORDERS "}},
      {"select * from myschema.orders o where o.id = 1", {"MYSCHEMA.ORDERS O"}},
      {"select * from A x, B.C as y join D z on 1=1", {".A X", "B.C Y", ".D Z"}},
      {"select * from \"my s\".\"Tab\"\"le\" \"al\"", {"my s.Tab\"le al"}},
      {"update T set a = 1", {".T "}},
      {"insert into S.T values (1)", {"S.T "}},
      {"select 'from X' from -- from Y\n Z /* join W */ order by 1", {".Z "}},
      {"select * from (select * from T) q", {".T "}},  // a subquery names no table
      {"select * from T left outer join U on T.a = U.a", {".T ", ".U "}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.sql);
    std::vector<std::string> got;
    for (const TableReference& r : FindTableReferences(c.sql)) got.push_back(r.schema + "." + r.table + " " + r.alias);
    EXPECT_EQ(got, c.refs);
  }
}

TEST(NameCompletionTest, ListFiltersByPrefixIgnoringCaseAndAnOpeningQuote) {
  NameList list({"ORDERS", "ORDER_VIEW", "CUSTOMERS", "orders_lower", "ITEMS", "ORDERS"});
  struct {
    const char* typed;
    std::size_t limit;
    std::vector<std::string> names;
  } cases[] = {
      {"", 10, {"CUSTOMERS", "ITEMS", "ORDERS", "orders_lower", "ORDER_VIEW"}},
      {"ord", 10, {"ORDERS", "orders_lower", "ORDER_VIEW"}},
      {"\"orders_", 10, {"orders_lower"}},
      {"ORD", 2, {"ORDERS", "orders_lower"}},
      {"X", 10, {}},
  };
  for (const auto& c : cases) EXPECT_EQ(list.StartingWith(c.typed, c.limit), c.names) << c.typed;

  std::vector<std::string> many;
  for (int i = 1; i <= 100000; ++i) many.push_back("T" + std::to_string(1000000 + i).substr(1));
  NameList big(std::move(many));
  EXPECT_EQ(big.size(), 100000u);
  EXPECT_EQ(big.StartingWith("t09999", 500), (std::vector<std::string>{"T099990", "T099991", "T099992", "T099993",
                                                                       "T099994", "T099995", "T099996", "T099997",
                                                                       "T099998", "T099999"}));
  EXPECT_EQ(big.StartingWith("T", 500).size(), 500u);
}

CompletionContext Context(Kind kind, std::string schema, std::string table = "", std::string typed = "") {
  CompletionContext c{kind, std::move(schema), {}, std::move(typed)};
  if (kind == Kind::Columns) c.tables = {{c.schema, std::move(table), ""}};
  return c;
}

NamesRead Tables(std::vector<CatalogTable> tables) {
  NamesRead read;
  read.connected = true;
  std::vector<std::string> names;
  for (const CatalogTable& t : tables) names.push_back(t.name);
  read.tables = {{std::move(tables), NameList(std::move(names))}};
  return read;
}

TEST(NameCacheTest, EachPartIsReadOnceAndKeptUntilTheNextConnect) {
  CatalogNameCache cache;
  cache.UseSource({"DSN", "me", "pw", DatabaseFlavour::Db2Luw});
  CompletionContext tables = Context(Kind::Tables, "MYSCHEMA", "", "OR");

  CatalogNameCache::Offer first = cache.OfferFor(tables);
  ASSERT_TRUE(first.toRead);
  EXPECT_TRUE(first.waiting);
  EXPECT_EQ(first.toRead->tablesOf, std::vector<std::string>{"MYSCHEMA"});
  EXPECT_FALSE(first.toRead->schemas);
  // Asked again while it is being read: no second read.
  CatalogNameCache::Offer again = cache.OfferFor(tables);
  EXPECT_TRUE(again.waiting);
  EXPECT_FALSE(again.toRead);

  cache.Store(cache.generation(), *first.toRead, Tables({{"ORDERS", "", ""}, {"ORD", "MYSCHEMA", "ORDERS"}, {"ITEMS", "", ""}}));
  CatalogNameCache::Offer ready = cache.OfferFor(tables);
  EXPECT_FALSE(ready.waiting);
  EXPECT_FALSE(ready.toRead);
  EXPECT_EQ(ready.names, (std::vector<std::string>{"ORD", "ORDERS"}));

  // An alias's columns are its base table's, known from the tables read.
  CatalogNameCache::Offer columns = cache.OfferFor(Context(Kind::Columns, "MYSCHEMA", "ORD"));
  ASSERT_TRUE(columns.toRead);
  EXPECT_TRUE(columns.toRead->tablesOf.empty());
  ASSERT_EQ(columns.toRead->columnsOf.size(), 1u);
  EXPECT_EQ(columns.toRead->columnsOf[0].baseSchema + "." + columns.toRead->columnsOf[0].baseTable, "MYSCHEMA.ORDERS");

  // A read asked before a Connect is dropped when it arrives after it.
  std::uint64_t before = cache.generation();
  cache.Forget();
  cache.Store(before, *first.toRead, Tables({{"STALE", "", ""}}));
  CatalogNameCache::Offer afresh = cache.OfferFor(tables);
  EXPECT_TRUE(afresh.toRead);
  EXPECT_TRUE(afresh.names.empty());

  // The same source keeps the names; another one starts afresh.
  cache.Store(cache.generation(), *afresh.toRead, Tables({{"ORDERS", "", ""}}));
  cache.UseSource({"DSN", "me", "pw", DatabaseFlavour::Db2Luw});
  EXPECT_FALSE(cache.OfferFor(tables).waiting);
  cache.UseSource({"OTHER", "me", "pw", DatabaseFlavour::Db2Luw});
  EXPECT_TRUE(cache.OfferFor(tables).waiting);
}

TEST(NameCacheTest, UnqualifiedNamesAreTheUsersTablesAndTheSchemas) {
  CatalogNameCache cache;
  cache.UseSource({"DSN", "myschema", "pw", DatabaseFlavour::Db2Zos});
  CatalogNameCache::Offer first = cache.OfferFor(Context(Kind::Tables, "", "", "m"));
  ASSERT_TRUE(first.toRead);
  EXPECT_TRUE(first.toRead->schemas);
  EXPECT_EQ(first.toRead->tablesOf, std::vector<std::string>{"MYSCHEMA"});
  NamesRead read = Tables({{"MEMOS", "", ""}});
  read.schemas = {"ME", "MYSCHEMA", "SYSIBM"};
  cache.Store(cache.generation(), *first.toRead, std::move(read));
  EXPECT_EQ(cache.OfferFor(Context(Kind::Tables, "", "", "m")).names,
            (std::vector<std::string>{"MEMOS", "ME", "MYSCHEMA"}));
}

TEST(SqlEditorSpansTest, TheVariablesTheRunAsksForAndTheNamesBesideADot) {
  struct {
    const char* text;
    std::vector<TextSpan> variables;
    std::vector<TextSpan> names;
  } cases[] = {
      {"select * from t where a = :id", {{26, 29}}, {}},
      {"where a in (:x, :y)", {{16, 18}}, {}},  // "(" starts no variable, ", " does
      {"select ':no' from t", {}, {}},
      {"a = :one\n and b = :two,", {{4, 8}, {18, 22}}, {}},
      {"12:30 ::", {}, {}},
      {":first", {}, {}},
      // The run asks for what its own scanner finds in the text it runs.
      {"where a=:v and b = :w", {}, {}},
      {"where a=:v and b = :ww ", {{19, 22}}, {}},
      {"where a = :id -- or :x\n", {{10, 13}}, {}},
      {"--:x\n:a and b = :bb\n", {{16, 19}}, {}},  // the comment line goes, :a starts the text
      {"where a = :ab-- c\n", {{10, 13}}, {}},
      {"select * from PUBLIC.TYPES t where t.DATE > 1.5E3 and \"S\".x = 'a.b'", {},
       {{14, 20}, {21, 26}, {35, 36}, {37, 41}, {58, 59}}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(VariableSpans(c.text), c.variables) << c.text;
    EXPECT_EQ(QualifiedNameSpans(c.text), c.names) << c.text;
  }
}

}  // namespace
}  // namespace zuno

#include "catalog/table_ddl.h"

#include <gtest/gtest.h>

#include "catalog/object_source.h"

namespace zuno {
namespace {

TEST(TableDdlTest, TypesAreWrittenAsCreateTableTakesThem) {
  struct { const char *fault, *type; long length, scale; const char* text; } cases[] = {
      {"zOS pads its type names", "CHAR    ", 10, 0, "CHAR(10)"},
      {"LUW's full name", "CHARACTER", 1, 0, "CHAR(1)"},
      {"decimal scale lost", "DECIMAL", 9, 2, "DECIMAL(9,2)"},
      {"zOS FLOAT of four bytes", "FLOAT", 4, 0, "REAL"},
      {"zOS FLOAT of eight bytes", "FLOAT", 8, 0, "DOUBLE"},
      {"zOS short graphic name", "VARG", 20, 0, "VARGRAPHIC(20)"},
      {"zOS short binary name", "VARBIN", 16, 0, "VARBINARY(16)"},
      {"default timestamp precision", "TIMESTAMP", 10, 6, "TIMESTAMP"},
      {"zOS's old default precision", "TIMESTMP", 10, 0, "TIMESTAMP"},
      {"other precision", "TIMESTMP", 13, 3, "TIMESTAMP(3)"},
      {"large object size", "CLOB", 1048576, 0, "CLOB(1048576)"},
      {"decfloat digits", "DECFLOAT", 8, 0, "DECFLOAT(16)"},
      {"plain type", "INTEGER", 4, 0, "INTEGER"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ColumnTypeText({"", c.type, c.length, c.scale, false, std::nullopt}), c.text) << c.fault;
}

TEST(TableDdlTest, IndexesKeysWouldNotMakeAreWrittenAfterTheTable) {
  TableDescription t;
  t.schema = "MY SCHEMA";
  t.name = "T";
  t.columns = {{"ID", "INTEGER", 4, 0, false, std::nullopt}, {"select", "VARCHAR", 5, 0, true, std::nullopt}};
  t.keys = {{"", 'P', {"ID"}}};
  t.indexes = {{"S", "BY_ID", 'P', {{"ID", 'A'}}},
               {"S", "BY_NAME", 'U', {{"select", 'D'}, {"ID", 'I'}}},
               {"S", "RANDOMLY", 'N', {{"select", 'R'}}},
               {"S", "PLAIN", 'D', {{"ID", 'A'}}}};
  t.foreignKeys = {{"FK", "MY SCHEMA", "T", "P", "Q", {"ID"}, {}, 'N', 'R'},
                   {"IN", "O", "CHILD", "MY SCHEMA", "T", {"X"}, {"ID"}, 'A', 'A'}};
  EXPECT_EQ(TableDdl(t),
            "CREATE TABLE \"MY SCHEMA\".T (\n"
            "  ID INTEGER NOT NULL,\n"
            "  \"select\" VARCHAR(5),\n"
            "  PRIMARY KEY (ID),\n"
            "  CONSTRAINT FK FOREIGN KEY (ID) REFERENCES P.Q ON DELETE SET NULL ON UPDATE RESTRICT\n"
            ");\n"
            "\n"
            "CREATE UNIQUE INDEX S.BY_NAME ON \"MY SCHEMA\".T (\"select\" DESC) INCLUDE (ID);\n"
            "\n"
            "CREATE UNIQUE WHERE NOT NULL INDEX S.RANDOMLY ON \"MY SCHEMA\".T (\"select\" RANDOM);\n"
            "\n"
            "CREATE INDEX S.PLAIN ON \"MY SCHEMA\".T (ID ASC);\n");
  EXPECT_EQ(ForeignKeyText(t.foreignKeys[1]), "O.CHILD (X) REFERENCES \"MY SCHEMA\".T (ID) ON DELETE NO ACTION");
}

TEST(ObjectSourceTest, CreateBecomesCreateOrReplaceWhereTheFlavourTakesIt) {
  const auto L = DatabaseFlavour::Db2Luw;
  const auto Z = DatabaseFlavour::Db2Zos;
  struct { const char* fault; DatabaseFlavour flavour; const char *type, *text, *statement; } cases[] = {
      {"LUW view", L, "VIEW", "CREATE VIEW V AS SELECT 1", "CREATE OR REPLACE VIEW V AS SELECT 1"},
      {"lower case and leading lines", L, "TRIGGER", "\n  create trigger T", "\n  create OR REPLACE trigger T"},
      {"replaced twice", L, "FUNCTION", "CREATE OR REPLACE FUNCTION F", "CREATE OR REPLACE FUNCTION F"},
      {"zOS refuses it for views", Z, "VIEW", "CREATE VIEW V AS SELECT 1", "CREATE VIEW V AS SELECT 1"},
      {"zOS native procedure", Z, "PROCEDURE", "CREATE PROCEDURE P()", "CREATE OR REPLACE PROCEDURE P()"},
      {"a comment first", L, "VIEW", "-- v\nCREATE /* x */ VIEW V", "-- v\nCREATE OR REPLACE /* x */ VIEW V"},
      {"a comment between", L, "VIEW", "CREATE /* x */ or replace VIEW V", "CREATE /* x */ or replace VIEW V"},
      {"no flavour", DatabaseFlavour::None, "VIEW", "CREATE VIEW V", "CREATE VIEW V"},
  };
  for (const auto& c : cases) EXPECT_EQ(RecreatingStatement(c.text, c.flavour, c.type), c.statement) << c.fault;
}

}  // namespace
}  // namespace zuno

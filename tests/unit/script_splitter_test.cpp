#include "query/script_splitter.h"

#include <gtest/gtest.h>

#include <vector>

namespace zuno {
namespace {

struct Expected {
  std::string text;
  int line;
  int column;
};

TEST(ScriptSplitterTest, CutsAScriptWhereTheCommandLineProcessorWould) {
  struct {
    const char* fault;
    const char* script;
    std::vector<Expected> statements;
  } cases[] = {
      {"two statements on one line run as one", "select 1; select 2", {{"select 1", 1, 1}, {"select 2", 1, 11}}},
      {"a terminator in a string ends the statement", "select ';' from t;\nselect 2",
       {{"select ';' from t", 1, 1}, {"select 2", 2, 1}}},
      {"a terminator in a delimited name ends the statement", "select \"a;b\" from t;select 2",
       {{"select \"a;b\" from t", 1, 1}, {"select 2", 1, 21}}},
      {"a terminator in a comment ends the statement, or a comment starts one",
       "-- first; \nselect 1 -- a;b\nfrom t;\n/* ; */ select 2",
       {{"select 1 -- a;b\nfrom t", 2, 1}, {"select 2", 4, 9}}},
      {"a procedure body is cut at its first inner ;",
       "create procedure p (in n int)\nlanguage sql\nbegin\n  declare i int default 0;\n"
       "  if n > 0 then set i = n; else set i = 0; end if;\n"
       "  while i > 0 do set i = i - 1; end while;\n  case i when 0 then set i = 1; end case;\nend;\ncall p(3)",
       {{"create procedure p (in n int)\nlanguage sql\nbegin\n  declare i int default 0;\n"
         "  if n > 0 then set i = n; else set i = 0; end if;\n"
         "  while i > 0 do set i = i - 1; end while;\n  case i when 0 then set i = 1; end case;\nend",
         1, 1},
        {"call p(3)", 9, 1}}},
      {"nested blocks, a CASE expression or a column named end close the body early",
       "CREATE OR REPLACE FUNCTION f() RETURNS INT LANGUAGE SQL BEGIN ATOMIC\n"
       "  DECLARE x INT; L1: BEGIN SET x = CASE WHEN 1 = 1 THEN t.end ELSE 2 END; END L1;\n  RETURN x;\nEND;\nvalues f()",
       {{"CREATE OR REPLACE FUNCTION f() RETURNS INT LANGUAGE SQL BEGIN ATOMIC\n"
         "  DECLARE x INT; L1: BEGIN SET x = CASE WHEN 1 = 1 THEN t.end ELSE 2 END; END L1;\n  RETURN x;\nEND",
         1, 1},
        {"values f()", 5, 1}}},
      {"a trigger body of SQLite is cut", "create temp trigger tr after insert on t begin insert into l values (1); "
       "update c set n = n + 1; end;select 1",
       {{"create temp trigger tr after insert on t begin insert into l values (1); update c set n = n + 1; end", 1, 1},
        {"select 1", 1, 102}}},
      {"BEGIN of a transaction swallows the script", "begin;\ninsert into t values (1);\nBEGIN TRANSACTION;commit",
       {{"begin", 1, 1}, {"insert into t values (1)", 2, 1}, {"BEGIN TRANSACTION", 3, 1}, {"commit", 3, 19}}},
      {"a column named begin opens a body", "create table t (begin int, x int); select case when 1 = 1 then 1 end; x",
       {{"create table t (begin int, x int)", 1, 1}, {"select case when 1 = 1 then 1 end", 1, 36}, {"x", 1, 71}}},
      {"--#SET TERMINATOR is ignored",
       "--#SET TERMINATOR @\ncreate trigger tr after insert on t for each row begin atomic\n"
       "  insert into l values (1); update c set n = n + 1;\nend@\n--#set terminator ;\nselect 1;select 2",
       {{"create trigger tr after insert on t for each row begin atomic\n"
         "  insert into l values (1); update c set n = n + 1;\nend",
         2, 1},
        {"select 1", 6, 1},
        {"select 2", 6, 10}}},
      {"another terminator counts in strings, names and comments",
       "--#SET TERMINATOR !\nselect '!', \"!\" /* ! */ from t!select 2 -- !\n!",
       {{"select '!', \"!\" /* ! */ from t", 2, 1}, {"select 2", 2, 32}}},
      {"a terminator inside a word is missed", "  --#SET  TERMINATOR  @  \nselect 1 from t@select 2@@",
       {{"select 1 from t", 2, 1}, {"select 2", 2, 17}}},
      {"a terminator of two characters is missed", "--#SET TERMINATOR %%\nselect 5 % 2%%values 1",
       {{"select 5 % 2", 2, 1}, {"values 1", 2, 15}}},
      {"a directive that does not start its line counts", "select 1 --#SET TERMINATOR @\n;select 2",
       {{"select 1", 1, 1}, {"select 2", 2, 2}}},
      {"CR LF and lone CR miscount lines", "select 1;\r\nselect 2;\rselect 'ä';select 3",
       {{"select 1", 1, 1}, {"select 2", 2, 1}, {"select 'ä'", 3, 1}, {"select 3", 3, 12}}},
      {"empty statements are run", ";; ;\n\n  select 1;;\n-- only a comment\n;", {{"select 1", 3, 3}}},
      {"a blank script gives a statement", " \n-- x\n", {}},
  };
  for (const auto& c : cases) {
    const std::vector<ScriptStatement> got = SplitScript(c.script);
    EXPECT_EQ(got.size(), c.statements.size()) << c.fault;
    if (got.size() != c.statements.size()) continue;
    for (std::size_t k = 0; k < got.size(); ++k) {
      EXPECT_EQ(got[k].text, c.statements[k].text) << c.fault;
      EXPECT_EQ(std::string(c.script).substr(got[k].begin, got[k].end - got[k].begin), got[k].text) << c.fault;
      EXPECT_EQ(got[k].line, c.statements[k].line) << c.fault << ", statement " << k + 1;
      EXPECT_EQ(got[k].column, c.statements[k].column) << c.fault << ", statement " << k + 1;
    }
  }
}

// Db2 scripts with the statements that hold a compound body, each followed
// by one more statement; a body cut at an inner ";" gives more statements.
TEST(ScriptSplitterTest, CompoundBodiesStayWholeInEveryStatementThatHoldsOne) {
  struct { const char *fault, *script; std::size_t statements; } cases[] = {
      {"ALTER MODULE ... ADD PROCEDURE cut", "ALTER MODULE sales.inv ADD PROCEDURE restock (IN p INT, IN q INT)\n"
       "LANGUAGE SQL\nBEGIN\n  UPDATE stock SET qty = qty + q WHERE item = p;\n  INSERT INTO log VALUES (p, q);\nEND;\n"
       "CALL sales.inv.restock(1, 5);", 2},
      {"a module prototype without a body swallowed the next statement",
       "ALTER MODULE inv PUBLISH PROCEDURE restock (IN p INT, IN q INT);\nALTER MODULE inv DROP PROCEDURE old;", 2},
      {"a labelled procedure body with a labelled loop cut",
       "CREATE OR REPLACE PROCEDURE purge (IN d INT)\nLANGUAGE SQL\nP1: BEGIN\n  DECLARE v INT;\n"
       "  DECLARE c1 CURSOR FOR SELECT id FROM orders WHERE placed < CURRENT DATE - d DAYS;\n  OPEN c1;\n"
       "  fetch_loop: LOOP\n    FETCH c1 INTO v;\n    IF v IS NULL THEN LEAVE fetch_loop; END IF;\n"
       "    DELETE FROM lines WHERE order_id = v;\n  END LOOP fetch_loop;\nEND P1;\nCALL purge(30);", 2},
      {"a type's method declaration or CREATE METHOD cut",
       "CREATE TYPE emp_t AS (salary DECIMAL(9,2)) NOT FINAL MODE DB2SQL METHOD bonus (r DOUBLE) RETURNS DOUBLE;\n"
       "CREATE METHOD bonus (r DOUBLE) FOR emp_t\nBEGIN ATOMIC\n  DECLARE b DOUBLE;\n  SET b = SELF..salary * r;\n"
       "  RETURN b;\nEND;\nVALUES 1;", 3},
      {"an anonymous block, labelled or not, cut",
       "BEGIN\n  DECLARE n INT DEFAULT 0;\n  IF n > 1 THEN CALL archive(); END IF;\nEND;\n"
       "outer_block: BEGIN NOT ATOMIC\n  DECLARE i INT DEFAULT 0;\n  WHILE i < 3 DO SET i = i + 1; END WHILE;\n"
       "END outer_block;\nCOMMIT;", 3},
      {"a trigger with REFERENCING and WHEN cut",
       "CREATE TRIGGER guard NO CASCADE BEFORE UPDATE OF qty ON stock\n  REFERENCING OLD AS o NEW AS n\n"
       "  FOR EACH ROW WHEN (n.qty < 0)\nBEGIN ATOMIC\n  SIGNAL SQLSTATE '75001' SET MESSAGE_TEXT = 'below zero';\n"
       "  SET n.qty = 0;\nEND;\nSELECT * FROM stock;", 2},
      {"bodies without BEGIN swallowed the next statement",
       "CREATE PROCEDURE reset (IN p INT) LANGUAGE SQL UPDATE stock SET qty = 0 WHERE item = p;\n"
       "CREATE TRIGGER pos BEFORE INSERT ON stock REFERENCING NEW AS n FOR EACH ROW WHEN (n.qty < 0) SET n.qty = 0;\n"
       "CREATE FUNCTION twice (x INT) RETURNS INT RETURN CASE WHEN x IS NULL THEN 0 ELSE 2 * x END;\nCALL reset(1);",
       4},
      {"a parameter or column named begin or end opened or closed a body",
       "CREATE PROCEDURE span (IN begin INT, IN end INT) LANGUAGE SQL UPDATE t SET begin = begin + 1;\n"
       "CREATE PROCEDURE span2 () LANGUAGE SQL\nBEGIN\n  SELECT begin, end INTO x, y FROM t;\nEND;\n"
       "SELECT p.begin, p.end FROM t p;", 3},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitScript(c.script).size(), c.statements) << c.fault;
}

TEST(ScriptSplitterTest, TheCursorIsInTheLastStatementStartingBeforeIt) {
  const std::vector<ScriptStatement> s = SplitScript("  select 1;\n\nselect 2;");
  struct {
    std::size_t cursor;
    std::size_t statement;
  } cases[] = {{0, 0}, {5, 0}, {11, 0}, {12, 0}, {13, 1}, {22, 1}};
  for (const auto& c : cases) EXPECT_EQ(StatementAt(s, c.cursor), c.statement) << "cursor " << c.cursor;
}

}  // namespace
}  // namespace zuno

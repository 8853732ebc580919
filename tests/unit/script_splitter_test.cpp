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

// Db2 scripts in the shapes the SQL reference gives the statements that
// hold a compound body, each followed by one more statement; a body cut at
// an inner ";" gives more statements than the script has.
TEST(ScriptSplitterTest, CompoundBodiesStayWholeInEveryStatementThatHoldsOne) {
  struct {
    const char* fault;
    const char* script;
    std::size_t statements;
  } cases[] = {
      {"ALTER MODULE ... ADD PROCEDURE cut",
       "ALTER MODULE sales.inventory ADD PROCEDURE restock (IN p_item INT, IN p_qty INT)\n"
       "LANGUAGE SQL\nBEGIN\n  UPDATE stock SET qty = qty + p_qty WHERE item = p_item;\n"
       "  INSERT INTO stock_log VALUES (p_item, p_qty, CURRENT TIMESTAMP);\nEND;\nCALL sales.inventory.restock(1, 5);",
       2},
      {"ALTER MODULE ... PUBLISH FUNCTION cut",
       "ALTER MODULE inventory PUBLISH FUNCTION on_hand (p_item INT) RETURNS INT\nLANGUAGE SQL READS SQL DATA\n"
       "BEGIN\n  DECLARE v INT DEFAULT 0;\n  SET v = (SELECT SUM(qty) FROM stock WHERE item = p_item);\n"
       "  RETURN v;\nEND;\nVALUES inventory.on_hand(1);",
       2},
      {"a module prototype without a body swallowed the next statement",
       "ALTER MODULE inventory PUBLISH PROCEDURE restock (IN p_item INT, IN p_qty INT);\n"
       "ALTER MODULE inventory DROP PROCEDURE old_restock;",
       2},
      {"CREATE OR REPLACE PROCEDURE with a labelled body and loop cut",
       "CREATE OR REPLACE PROCEDURE purge_old (IN p_days INT)\nLANGUAGE SQL\nP1: BEGIN\n"
       "  DECLARE v_id INT;\n  DECLARE at_end INT DEFAULT 0;\n"
       "  DECLARE c1 CURSOR FOR SELECT id FROM orders WHERE placed < CURRENT DATE - p_days DAYS;\n"
       "  DECLARE CONTINUE HANDLER FOR NOT FOUND SET at_end = 1;\n  OPEN c1;\n"
       "  fetch_loop: LOOP\n    FETCH c1 INTO v_id;\n    IF at_end = 1 THEN LEAVE fetch_loop; END IF;\n"
       "    DELETE FROM order_lines WHERE order_id = v_id;\n  END LOOP fetch_loop;\n  CLOSE c1;\nEND P1;\n"
       "CALL purge_old(30);",
       2},
      {"a structured type's methods or CREATE METHOD cut",
       "CREATE TYPE employee_t AS (name VARCHAR(40), salary DECIMAL(9,2)) NOT FINAL MODE DB2SQL\n"
       "  METHOD bonus (rate DOUBLE) RETURNS DECIMAL(9,2) LANGUAGE SQL CONTAINS SQL NO EXTERNAL ACTION DETERMINISTIC;\n"
       "CREATE METHOD bonus (rate DOUBLE) FOR employee_t\nBEGIN ATOMIC\n  DECLARE b DECIMAL(9,2);\n"
       "  SET b = SELF..salary * rate;\n  RETURN b;\nEND;\nSELECT 1 FROM sysibm.sysdummy1;",
       3},
      {"an anonymous block, labelled or not, cut",
       "BEGIN\n  DECLARE n INT DEFAULT 0;\n  SET n = (SELECT COUNT(*) FROM orders);\n"
       "  IF n > 100 THEN CALL archive(); END IF;\nEND;\n"
       "outer_block: BEGIN NOT ATOMIC\n  DECLARE i INT DEFAULT 0;\n"
       "  WHILE i < 3 DO SET i = i + 1; END WHILE;\nEND outer_block;\nCOMMIT;",
       3},
      {"a trigger with REFERENCING and WHEN cut",
       "CREATE TRIGGER stock_guard\n  NO CASCADE BEFORE UPDATE OF qty ON stock\n"
       "  REFERENCING OLD AS o NEW AS n\n  FOR EACH ROW\n  WHEN (n.qty < 0)\nBEGIN ATOMIC\n"
       "  SIGNAL SQLSTATE '75001' SET MESSAGE_TEXT = 'stock below zero';\nEND;\n"
       "CREATE OR REPLACE TRIGGER stock_audit AFTER UPDATE ON stock\n  REFERENCING NEW TABLE AS changed\n"
       "  FOR EACH STATEMENT\nBEGIN ATOMIC\n  INSERT INTO audit SELECT item, qty FROM changed;\n"
       "  UPDATE audit_count SET n = n + 1;\nEND;\nSELECT * FROM audit;",
       3},
      {"a function's nested CASE statement and FOR loop cut",
       "CREATE FUNCTION grade (p INT) RETURNS CHAR(1)\nLANGUAGE SQL\nBEGIN\n  DECLARE g CHAR(1);\n"
       "  CASE\n    WHEN p >= 90 THEN SET g = 'A';\n    ELSE SET g = 'B';\n  END CASE;\n"
       "  FOR r AS SELECT id FROM bonus DO\n    SET g = g;\n  END FOR;\n  RETURN g;\nEND;\nVALUES grade(95);",
       2},
      {"bodies without BEGIN swallowed the next statement",
       "CREATE PROCEDURE reset_stock (IN p_item INT)\nLANGUAGE SQL\n"
       "UPDATE stock SET qty = 0 WHERE item = p_item;\n"
       "CREATE TRIGGER no_negative NO CASCADE BEFORE INSERT ON stock REFERENCING NEW AS n FOR EACH ROW\n"
       "  WHEN (n.qty < 0) SET n.qty = 0;\n"
       "CREATE FUNCTION twice (x INT) RETURNS INT RETURN CASE WHEN x IS NULL THEN 0 ELSE 2 * x END;\n"
       "CALL reset_stock(1);",
       4},
      {"a parameter or column named begin or end opened or closed a body",
       "CREATE PROCEDURE span (IN begin INT, IN end INT)\nLANGUAGE SQL\nUPDATE periods SET begin = begin + 1;\n"
       "CREATE PROCEDURE span2 ()\nLANGUAGE SQL\nBEGIN\n  SELECT begin, end INTO x, y FROM periods;\nEND;\n"
       "SELECT p.begin, p.end FROM periods p;",
       3},
      {"a z/OS procedure version cut",
       "ALTER PROCEDURE update_balance REPLACE VERSION v2 (IN cust INT, IN amount DECIMAL(9,2))\n"
       "MODIFIES SQL DATA\nBEGIN\n  UPDATE accounts SET bal = bal + amount WHERE custno = cust;\n"
       "  INSERT INTO history VALUES (cust, amount);\nEND;\nCOMMIT;",
       2},
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

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

#include "tools/statement_generator.h"

#include <gtest/gtest.h>

#include "sql/db2_identifier.h"

namespace zuno {
namespace {

constexpr const char* kDrillText = "select ID,ITEM,QTY\n from MYSCHEMA.ORDERS";

TEST(StatementGeneratorTest, ValueFormsOfOneRow) {
  const GeneratorInput input{
      "", "S", "T", {"A", "B", "C", "D", "E", "F"}, {"12", "abc", "Null", "1.5e-3", " 7", "1,5"}};
  EXPECT_EQ(GenerateInsert(input).text,
            "insert into S.T (A,B,C,D,E,F) Values (12,'abc',NULL,1.5e-3, 7,'1,5')");
}

TEST(StatementGeneratorTest, DecimalNumberRule) {
  struct {
    const char* fault;
    const char* text;
    bool number;
  } cases[] = {
      {"plain digits quoted", "12", true},
      {"leading minus refused", "-12", true},
      {"leading plus refused", "+12", true},
      {"fraction refused", "3.25", true},
      {"lower-case exponent refused", "1e5", true},
      {"upper-case exponent refused", "1E5", true},
      {"exponent plus sign refused", "1e+5", true},
      {"exponent minus sign refused", "1E-5", true},
      {"fraction with exponent refused", "1.5e-3", true},
      {"surrounding blanks not ignored", "  42  ", true},
      {"surrounding tabs not ignored", "\t42\t", true},
      {"point without digit after it taken", "1.", false},
      {"point without digit before it taken", ".5", false},
      {"signed point without digit before it taken", "-.5", false},
      {"lone plus taken", "+", false},
      {"lone minus taken", "-", false},
      {"exponent without digits taken", "1e", false},
      {"exponent sign without digits taken", "1e+", false},
      {"exponent without mantissa taken", "e5", false},
      {"two signs taken", "+-1", false},
      {"sign after digits taken", "1-", false},
      {"sign inside mantissa taken", "1-2", false},
      {"two points taken", "1.2.3", false},
      {"point in exponent taken", "1e2.5", false},
      {"two exponents taken", "1e2e3", false},
      {"decimal comma taken", "1,5", false},
      {"inner blank taken", "1 2", false},
      {"trailing line feed ignored", "12\n", false},
      {"letters taken", "12a", false},
      {"empty text taken", "", false},
      {"only blanks and tabs taken", " \t ", false},
      {"non-ASCII digit taken", "\xD9\xA3", false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsDecimalNumber(c.text), c.number) << c.fault;
}

TEST(StatementGeneratorTest, ValueForms) {
  struct {
    const char* fault;
    const char* cell;
    const char* form;
  } cases[] = {
      {"Null not written as NULL", "Null", "NULL"},
      {"other spellings of null taken as NULL", "NULL", "'NULL'"},
      {"lower-case null taken as NULL", "null", "'null'"},
      {"number quoted", "-4.5E+2", "-4.5E+2"},
      {"blanks around a number removed", " 7 ", " 7 "},
      {"text not quoted", "abc", "'abc'"},
      {"empty text not quoted", "", "''"},
      {"blank text not quoted", " ", "' '"},
      {"apostrophe not doubled", "a' b", "'a'' b'"},
      {"trailing apostrophe ends the literal", "a'", "'a'''"},
      {"injected condition left open", "'a'='a", "'''a''=''a'"},
      {"line-feed marker converted", "a\u00FFb", "'a\u00FFb'"},
      {"non-ASCII text changed", "Grüße", "'Grüße'"},
  };
  for (const auto& c : cases) EXPECT_EQ(ValueForm(c.cell), c.form) << c.fault;
}

TEST(StatementGeneratorTest, TargetTable) {
  struct {
    const char* fault;
    const char* text;
    const char* name;
    bool fromText;
  } cases[] = {
      {"lower case from missed", "select * from SCH.TAB where X = 1", "SCH.TAB", true},
      {"upper case FROM missed", "SELECT * FROM SCH.TAB", "SCH.TAB", true},
      {"mixed case From missed", "Select * From SCH.TAB", "SCH.TAB", true},
      {"drill-down line feed before from missed", "select a,b\n from SCH.TAB", "SCH.TAB", true},
      {"from at the very start missed", "from SCH.TAB", "SCH.TAB", true},
      {"tab after FROM missed", "SELECT *\tFROM\tSCH.TAB\tWHERE X = 1", "SCH.TAB", true},
      {"line feed after from missed", "select *\nfrom\nSCH.TAB\nwhere 1=1", "SCH.TAB", true},
      {"run of blanks after from falls back", "select * from   SCH.TAB", "SCH.TAB", true},
      {"name not ended by a line feed", "select * from SCH.TAB\nwhere X = 1", "SCH.TAB", true},
      {"name at the end of the text cut", "select * from T", "T", true},
      {"from inside a word taken", "select datefrom x from SCH.TAB", "SCH.TAB", true},
      {"word starting with from taken", "select fromage x from SCH.TAB", "SCH.TAB", true},
      {"from after a point taken", "select t.from x from SCH.TAB", "SCH.TAB", true},
      {"later from taken over the first", "select * from A.B where X in (select Y from C.D)", "A.B",
       true},
      {"no from does not fall back", "values 1", "S.T", false},
      {"empty text does not fall back", "", "S.T", false},
      {"FROM at the very end does not fall back", "SELECT * FROM", "S.T", false},
      {"from with only blanks after it does not fall back", "select * from  \n ", "S.T", false},
      {"from inside a word alone taken as a table", "select datefrom x", "S.T", false},
      {"a comment's from taken", "/* copied from A */ select ID from B", "B", true},
      {"a string's from taken", "select 'from A' as x from B", "B", true},
      {"a delimited name with a blank cut", "select * from ME.\"Order Lines\" where X = 1", "ME.\"Order Lines\"", true},
      {"the end of a statement or of a join list taken into the name", "select * from A,B;", "A", true},
      {"a comment after the name taken into it", "select * from /* x */ T/* y */", "T", true},
      {"a from inside parentheses taken", "select extract(year from d), (select 1 from A) from B", "B", true},
  };
  for (const auto& c : cases) {
    const TargetTable target = FindTargetTable(c.text, "S", "T");
    EXPECT_EQ(target.name, c.name) << c.fault;
    EXPECT_EQ(target.fromText, c.fromText) << c.fault;
  }
  EXPECT_EQ(FindTargetTable("values 1", "", "").name, ".") << "no drill-down yet";
}

TEST(StatementGeneratorTest, FullStatements) {
  const std::vector<std::string> titles{"ID", "ITEM", "QTY"};
  const std::vector<std::string> values{"7", "pen", "3"};
  struct {
    const char* fault;
    GeneratorInput input;
    const char* insert;
    const char* update;
    const char* remove;
  } cases[] = {
      {"drilled table (no from in the text)",
       {"values 1", "MYSCHEMA", "ORDERS", titles, values},
       "insert into MYSCHEMA.ORDERS (ID,ITEM,QTY) Values (7,'pen',3)",
       "update MYSCHEMA.ORDERS set ID = 7,ITEM = 'pen',QTY = 3 where ID = 7 and ITEM = 'pen' and QTY = 3 ",
       "delete from MYSCHEMA.ORDERS where ID = 7 and ITEM = 'pen' and QTY = 3"},
      {"typed select",
       {"select * from ME.ORD where QTY > 1", "MYSCHEMA", "ORDERS", titles, values},
       "insert into ME.ORD (ID,ITEM,QTY) Values (7,'pen',3)",
       "update  ME.ORD set ID = 7,ITEM = 'pen',QTY = 3 where ID = 7 and ITEM = 'pen' and QTY = 3 ",
       "delete from ME.ORD where ID = 7 and ITEM = 'pen' and QTY = 3"},
      {"drill-down text",
       {kDrillText, "MYSCHEMA", "ORDERS", titles, values},
       "insert into MYSCHEMA.ORDERS (ID,ITEM,QTY) Values (7,'pen',3)",
       "update  MYSCHEMA.ORDERS set ID = 7,ITEM = 'pen',QTY = 3 where ID = 7 and ITEM = 'pen' and QTY = 3 ",
       "delete from MYSCHEMA.ORDERS where ID = 7 and ITEM = 'pen' and QTY = 3"},
      {"one column",
       {"", "S", "T", {"ID"}, {"1"}},
       "insert into S.T (ID) Values (1)",
       "update S.T set ID = 1 where ID = 1 ",
       "delete from S.T where ID = 1"},
      {"Null: NULL in lists, IS NULL in conditions",
       {"from S.T", "", "", {"ID", "NOTE"}, {"1", "Null"}},
       "insert into S.T (ID,NOTE) Values (1,NULL)",
       "update  S.T set ID = 1,NOTE = NULL where ID = 1 and NOTE IS NULL ",
       "delete from S.T where ID = 1 and NOTE IS NULL"},
      {"apostrophes doubled in every list",
       {"from S.T", "", "", {"NAME"}, {"O'Neil"}},
       "insert into S.T (NAME) Values ('O''Neil')",
       "update  S.T set NAME = 'O''Neil' where NAME = 'O''Neil' ",
       "delete from S.T where NAME = 'O''Neil'"},
      {"injection stays inside the literal",
       {"from S.T", "", "", {"NAME"}, {"x' or 'a'='a"}},
       "insert into S.T (NAME) Values ('x'' or ''a''=''a')",
       "update  S.T set NAME = 'x'' or ''a''=''a' where NAME = 'x'' or ''a''=''a' ",
       "delete from S.T where NAME = 'x'' or ''a''=''a'"},
      {"missing value taken as empty text",
       {"from S.T", "", "", {"A", "B"}, {"1"}},
       "insert into S.T (A,B) Values (1,'')",
       "update  S.T set A = 1,B = '' where A = 1 and B = '' ",
       "delete from S.T where A = 1 and B = ''"},
      {"empty grid before any drill-down: no WHERE, no UPDATE or DELETE",
       {"", "", "", {}, {}},
       "insert into . () Values ()",
       "",
       ""},
      {"empty grid with a typed select: no WHERE, no UPDATE or DELETE",
       {"select * from S.T", "", "", {}, {}},
       "insert into S.T () Values ()",
       "",
       ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(GenerateInsert(c.input).text, c.insert) << c.fault;
    EXPECT_EQ(GenerateUpdate(c.input).text, c.update) << c.fault;
    EXPECT_EQ(GenerateDelete(c.input).text, c.remove) << c.fault;
  }
}

// A large text and a large object have no place in a WHERE clause (but
// their NULLs do); a value not fetched whole is no value to write.
TEST(StatementGeneratorTest, LargeValuesAndValuesNotFetchedWhole) {
  GeneratorInput input{"select * from DOCS", "", "", {"ID", "BODY", "PIC"}, {"1", "text", "\x01"},
                       {ValueType::Number, ValueType::LargeText, ValueType::Blob}, {false, false, false},
                       {ValueKind::Text, ValueKind::Text, ValueKind::Binary}};
  const std::string leftOut = " is left out of the WHERE clause: Db2 cannot compare a large object or XML with =\n";
  EXPECT_EQ(GenerateDelete(input).text, "-- BODY" + leftOut + "-- PIC" + leftOut + "delete from DOCS where ID = 1");
  input.nulls[1] = true;
  EXPECT_NE(GenerateDelete(input).text.find("where ID = 1 and BODY IS NULL"), std::string::npos);
  EXPECT_EQ(ValueForm("12", ValueType::LargeText), "'12'");

  input.nulls[1] = false;
  input.types[0] = ValueType::LargeText;
  for (auto generate : {GenerateUpdate, GenerateDelete})
    EXPECT_NE(generate(input).refusal.find("without a WHERE clause"), std::string::npos) << generate(input).text;
  input.kinds[1] = ValueKind::Unread;
  for (auto generate : {GenerateInsert, GenerateUpdate})
    EXPECT_EQ(generate(input).refusal,
              "The value of BODY was not fetched whole, so it cannot be written: no statement was written.");
}

TEST(StatementGeneratorTest, NullCellsAreNullWhateverTheirColumnOrPadding) {
  constexpr ValueType kUnknown = ValueType::Unknown, kNumber = ValueType::Number, kText = ValueType::Text;
  struct {
    const char* fault;
    const char* cell;
    ValueType type;
    bool null;
    const char* form;
  } cases[] = {
      {"padded Null of a number column quoted", "       Null", kUnknown, false, "NULL"},
      {"Null padded with a tab quoted", "\tNull ", kUnknown, false, "NULL"},
      {"known NULL of a number column quoted", "       Null", kNumber, true, "NULL"},
      {"known NULL of a text column quoted", "Null", kText, true, "NULL"},
      {"known NULL read by its text", "", kText, true, "NULL"},
      {"text column's word Null taken for NULL", "Null", kText, false, "'Null'"},
      {"padded word in a text column taken for NULL", " Null", kText, false, "' Null'"},
      {"number column's unmarked Null taken for NULL", "       Null", kNumber, false, "'       Null'"},
      {"Null inside a longer text taken for NULL", "Null value", kUnknown, false, "'Null value'"},
  };
  for (const auto& c : cases) EXPECT_EQ(ValueForm(c.cell, c.type, c.null), c.form) << c.fault;
}

TEST(StatementGeneratorTest, QuotingFollowsTheColumnNotTheText) {
  constexpr ValueType kUnknown = ValueType::Unknown, kNumber = ValueType::Number, kText = ValueType::Text;
  struct {
    const char* fault;
    const char* cell;
    ValueType type;
    const char* form;
  } cases[] = {
      {"text column's 01 written as a number", "01", kText, "'01'"},
      {"text column's 1.5e3 written as a number", "1.5e3", kText, "'1.5e3'"},
      {"text column's padded digits written as a number", " 7", kText, "' 7'"},
      {"number column's padded digits changed", "         12", kNumber, "         12"},
      {"number column's decimal changed", "  -3.25", kNumber, "  -3.25"},
      {"number column's NaN written bare", "        NaN", kNumber, "'        NaN'"},
      {"unknown column's number no longer bare", "12", kUnknown, "12"},
      {"unknown column's text no longer quoted", "abc", kUnknown, "'abc'"},
      {"apostrophe in a text column not doubled", "it's", kText, "'it''s'"},
      {"line feed of a text changed", "two\nlines", kText, "'two\nlines'"},
  };
  for (const auto& c : cases) EXPECT_EQ(ValueForm(c.cell, c.type), c.form) << c.fault;
  // A binary value: hex digits, cast to a large object in such a column.
  EXPECT_EQ(ValueForm(std::string("\x00\xFF", 2), ValueType::Binary, false, ValueKind::Binary), "X'00FF'");
  EXPECT_EQ(ValueForm("\xAB", ValueType::Blob, false, ValueKind::Binary), "BLOB(X'AB')");
}

TEST(StatementGeneratorTest, NamesThatAreNotOrdinaryAreDelimited) {
  struct {
    const char* fault;
    const char* name;
    const char* form;
  } cases[] = {
      {"ordinary upper-case name changed", "ID", "ID"},
      {"lower-case name left bare: Db2 folds it", "id", "\"id\""},
      {"reserved word left bare", "ORDER", "\"ORDER\""},
      {"name with _ $ # @ and digits changed", "A_1$#@", "A_1$#@"},
      {"empty name (no drill-down yet) quoted", "", ""},
      {"condition in a name left as SQL", "1=1 OR ID", "\"1=1 OR ID\""},
      {"name starting with a digit left bare", "1ST", "\"1ST\""},
      {"name starting with _ left bare", "_X", "\"_X\""},
      {"blank in a name left bare", "MY COL", "\"MY COL\""},
      {"double quote in a name not doubled", "A\"B", "\"A\"\"B\""},
      {"expression label left bare", "?column?", "\"?column?\""},
      {"point in a name left bare", "A.B", "\"A.B\""},
      {"non-ASCII name left bare", "GR\xC3\x96SSE", "\"GR\xC3\x96SSE\""},
  };
  for (const auto& c : cases) EXPECT_EQ(Db2Name(c.name), c.form) << c.fault;
}

TEST(StatementGeneratorTest, StatementsUseWhatTheGridKnew) {
  const GeneratorInput input{"select * from V",
                             "",
                             "",
                             {"ID", "CODE", "NOTE", "1=1 OR ID", "TEXT"},
                             {"       Null", "01", "Null", "x", "a\nb"},
                             {ValueType::Number, ValueType::Text, ValueType::Text, ValueType::Text, ValueType::Text},
                             {true, false, false, false, false}};
  EXPECT_EQ(GenerateInsert(input).text,
            "insert into V (ID,CODE,NOTE,\"1=1 OR ID\",TEXT) Values (NULL,'01','Null','x','a\nb')");
  EXPECT_EQ(GenerateUpdate(input).text,
            "update  V set ID = NULL,CODE = '01',NOTE = 'Null',\"1=1 OR ID\" = 'x',TEXT = 'a\nb' where ID IS NULL and "
            "CODE = '01' and NOTE = 'Null' and \"1=1 OR ID\" = 'x' and TEXT = 'a\nb' ");
  EXPECT_EQ(GenerateDelete(input).text,
            "delete from V where ID IS NULL and CODE = '01' and NOTE = 'Null' and \"1=1 OR ID\" = 'x' and "
            "TEXT = 'a\nb'");
  // The drilled table's names are names; a table typed in the editor is SQL as written.
  GeneratorInput drilled{"", "MY SCHEMA", "T\"1", {"ID"}, {"1"}, {}, {}};
  EXPECT_EQ(GenerateDelete(drilled).text, "delete from \"MY SCHEMA\".\"T\"\"1\" where ID = 1");
  drilled.statementText = "select * from \"my\".\"T\"\"1\"";
  EXPECT_EQ(GenerateDelete(drilled).text, "delete from \"my\".\"T\"\"1\" where ID = 1");
}

// With every column of the table's key in the row, each with a value, the
// WHERE names the row by the key alone; otherwise by every comparable column.
TEST(StatementGeneratorTest, TheKeyNamesTheRowWhenTheRowHoldsItWhole) {
  const GeneratorInput row{"select * from S.T", "", "", {"A", "B", "C"}, {"1", "2", "x"}, {}, {}, {}, {"B", "A"}};
  EXPECT_EQ(GenerateDelete(row).text, "delete from S.T where B = 2 and A = 1");
  EXPECT_EQ(GenerateUpdate(row).text, "update  S.T set A = 1,B = 2,C = 'x' where B = 2 and A = 1 ");
  struct { const char* fault; void (*change)(GeneratorInput&); } const cases[] = {
      {"a key column is not in the row", [](GeneratorInput& in) { in.keyColumns.push_back("D"); }},
      {"a key column stands twice", [](GeneratorInput& in) { in.titles[2] = "A"; }},
      {"a key value is NULL", [](GeneratorInput& in) { in.nulls = {true, false, false}; }},
      {"a key value was not fetched whole", [](GeneratorInput& in) { in.kinds = {ValueKind::Unread}; }},
      {"a title differs in case", [](GeneratorInput& in) { in.titles[0] = "a"; }},
  };
  for (const auto& c : cases) {
    GeneratorInput input = row;
    c.change(input);
    EXPECT_EQ(GenerateDelete(input).text.find("where B = 2 and A = 1"), std::string::npos) << c.fault;
  }
  GeneratorInput noKey = row;
  noKey.keyColumns.clear();
  EXPECT_EQ(GenerateDelete(noKey).text, "delete from S.T where A = 1 and B = 2 and C = 'x'");
}

TEST(StatementGeneratorTest, TheTargetTableAsTheCatalogKeepsIt) {
  struct { const char *statement, *name; } const cases[] = {  // name "": none
      {"select * from public.order_lines", "PUBLIC|ORDER_LINES"},
      {"select * from \"My\".\"T\"\"1\" where x = 1", "My|T\"1"},
      {"select * from lines", "DRILLED|LINES"}, {"select * from others", ""}, {"select * from a.b.c", ""},
      {"select * from a.", ""}, {"select * from table(f(1)) t", ""}, {"values 1", "DRILLED|LINES"},
  };
  for (const auto& c : cases) {
    const auto name = TargetCatalogName({c.statement, "DRILLED", "LINES", {}, {}});
    EXPECT_EQ(name ? name->schema + "|" + name->name : "", c.name) << c.statement;
  }
  EXPECT_FALSE(TargetCatalogName({"values 1", "", "", {}, {}}));
}

}  // namespace
}  // namespace zuno

#include "query/variable_scan.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zuno {
namespace {

using Names = std::vector<std::string>;

TEST(VariableScanTest, FindsNamesAsTheStatementWritesThem) {
  struct {
    const char* fault;
    const char* text;
    Names names;
  } cases[] = {
      {"variable after a space is missed", "select * from t where id = :ID order by 1", {":ID"}},
      {"same name twice is merged", "where a = :A and b = :A order by 1", {":A", ":A"}},
      {"case of a name is lost", "where a = :aB order by 1", {":aB"}},
      {"terminators other than space not honoured", "in ( :A,:B) or x = ':C'||:D|| 1",
       {":A", ":B", ":D"}},
      {"colon in quotes starts a variable", "select ':X' from t", {}},
      {"colon after '=' starts a variable", "where a=:XY order by 1", {}},
      {"colon after '(' starts a variable", "values (:A, 1)", {}},
      {"one-letter variable at the end is found", "where id = :X", {}},
      {"variable at the end is cut", "where id = :XY", {":XY"}},
      {"variable at the end loses non-ASCII letter", "where n = :Xé", {":Xé"}},
      {"colon before a last non-ASCII letter is taken", "where n = :é", {}},
      {"variable runs to the end with what follows", "where id = :XY;", {":XY;"}},
      {"colon at the very start is taken", ":A from t", {}},
      {"time literal in quotes is scanned", "where t = '12:30:00' and u = :U order by 1", {":U"}},
      {"lone colon between spaces taken as a name", "select a : b from t", {}},
      {"a label's colon taken as a name", "BEGIN\n  fetch_done :\n  LOOP LEAVE fetch_done; END LOOP;\nEND", {}},
      {"an assignment's := taken as a name", "begin x := 1; y := :Y; end", {":Y;"}},
      {"a colon before a line feed or a tab taken as a name", "a :\n\t:\tb :C and", {":C"}},
      {"a colon before a name character missed", " :_a, :$b, :#c, :@d, :1 ", {":_a", ":$b", ":#c", ":@d", ":1"}},
      {"empty text breaks the scan", "", {}},
      {"one-character text breaks the scan", ":", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(ScanVariables(c.text), c.names) << c.fault;
}

TEST(VariableScanTest, LineEndsAndTabsEndANameAsABlankDoes) {
  struct {
    const char* fault;
    const char* text;
    Names names;
  } cases[] = {
      {"line feed swallows the next line", "where ID = :ID\norder by 1", {":ID"}},
      {"CR LF swallows the next line", "where ID = :ID\r\norder by 1", {":ID"}},
      {"lone CR swallows the next line", "where ID = :ID\rorder by 1", {":ID"}},
      {"tab swallows what follows", "where ID = :ID\tand 1 = 1", {":ID"}},
      {"line feed ending the text taken into the name", "where ID = :ID\n", {":ID"}},
      {"CR LF ending the text taken into the name", "where ID = :ID\r\n", {":ID"}},
      {"one letter before a final line feed missed", "where ID = :X\n", {":X"}},
      {"blank before a final line feed taken into the name", "where ID = :ID \n", {":ID"}},
      {"closing parenthesis ending the text taken into the name", "where ID in (1, :ID)", {":ID"}},
      {"name at the end of the text cut", "where ID = :ID", {":ID"}},
      {"variable at a line start missed", "where ID =\n:ID and\t:N > 0\n", {":ID", ":N"}},
      {"variables on two lines merged", "where A = :A\nand B = :B\n", {":A", ":B"}},
  };
  for (const auto& c : cases) EXPECT_EQ(ScanVariables(c.text), c.names) << c.fault;
}

// Answers from a list and records what was asked.
struct ScriptedAnswers {
  std::vector<std::string> answers;
  Names asked;
  AskVariable Ask() {
    return [this](std::string_view name) {
      asked.emplace_back(name);
      return asked.size() <= answers.size() ? answers[asked.size() - 1] : std::string();
    };
  }
};

TEST(VariablePromptTest, AsksWhenTheNameChangesAndReplacesEveryOccurrence) {
  struct {
    const char* fault;
    const char* text;
    std::vector<std::string> answers;
    Names asked;
    const char* result;
  } cases[] = {
      {"answer not put in", "select * from t where id = :ID order by 1", {"42"}, {":ID"},
       "select * from t where id = 42 order by 1"},
      {"adjacent repeat asked twice", "where a = :A and b = :A order by 1", {"1"}, {":A"},
       "where a = 1 and b = 1 order by 1"},
      {"non-adjacent repeat not asked again", "where a = :A and b = :B and x = :A order by 1",
       {"1", "2", "3"}, {":A", ":B", ":A"}, "where a = 1 and b = 2 and x = 1 order by 1"},
      {"replacement not by plain substring", "where a = :A and b = :AB order by 1", {"7", "8"},
       {":A", ":AB"}, "where a = 7 and b = 7B order by 1"},
      {"replacement ignores case", "where a = :a and b = :A order by 1", {"1", "2"},
       {":a", ":A"}, "where a = 1 and b = 2 order by 1"},
      {"answer quoted or trimmed", "where s = :S order by 1", {" 'x y' "}, {":S"},
       "where s =  'x y'  order by 1"},
      {"answer holding the name rescanned", "where a = :A order by 1", {":A:A"}, {":A"},
       "where a = :A:A order by 1"},
      {"quoted colon or '=:' asked for", "select ':X' from t where a=:XY", {}, {},
       "select ':X' from t where a=:XY"},
  };
  for (const auto& c : cases) {
    ScriptedAnswers script{c.answers, {}};
    EXPECT_EQ(FillVariables(c.text, script.Ask()), std::optional<std::string>(c.result))
        << c.fault;
    EXPECT_EQ(script.asked, c.asked) << c.fault;
  }
}

TEST(VariablePromptTest, EmptyAnswerStopsBeforeTheNextPrompt) {
  ScriptedAnswers script{{"1", ""}, {}};
  EXPECT_EQ(FillVariables("where a = :A and b = :B and c = :C order by 1", script.Ask()),
            std::nullopt);
  EXPECT_EQ(script.asked, (Names{":A", ":B"}));
}

TEST(VariablePromptTest, OccurrencesBeyondTheLastSlotAreNotAskedFor) {
  std::string text;
  for (int i = 0; i < 1500; ++i) text += " :V" + std::to_string(i) + "x";
  text += " end";
  int asked = 0;
  auto filled = FillVariables(text, [&](std::string_view) { return "v" + std::to_string(asked++); });
  ASSERT_TRUE(filled.has_value());
  EXPECT_EQ(asked, 1000);
  EXPECT_NE(filled->find(" v999 :V1000x"), std::string::npos);
  EXPECT_NE(filled->find(":V1499x end"), std::string::npos);
}

TEST(VariablePromptTest, AnswerAtALineEndLeavesTheNextLine) {
  ScriptedAnswers script{{"42"}, {}};
  EXPECT_EQ(FillVariables("select ID from T where ID = :ID\norder by 1\n", script.Ask()),
            std::optional<std::string>("select ID from T where ID = 42\norder by 1\n"));
  EXPECT_EQ(script.asked, Names{":ID"});
}

TEST(VariablePromptTest, PromptNamesTheVariable) {
  EXPECT_EQ(VariablePrompt(":ID"), "Enter data for variable :ID");
}

}  // namespace
}  // namespace zuno

#include "query/call_statement.h"

#include <gtest/gtest.h>

namespace zuno {
namespace {

TEST(CallStatement, NamesTheProcedureAndItsMarkers) {
  struct {
    const char* text;
    const char* schema;
    const char* name;
    const char* lowerName;
    std::vector<bool> markers;
  } cases[] = {
      {"CALL app.tally(?, ?)", "APP", "TALLY", "tally", {true, true}},
      {"call \"Mixed\".p(4, ?, NULL)", "Mixed", "P", "p", {false, true, false}},
      {"call p( f(1, ?) , '?', ? ) -- ?", "", "P", "p", {false, false, true}},
      {"CALL a.b(?)", "A", "B", "b", {true}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const std::optional<CallStatement> call = ReadCallStatement(c.text);
    ASSERT_TRUE(call);
    EXPECT_EQ(call->schema, c.schema);
    EXPECT_EQ(call->name, c.name);
    EXPECT_EQ(call->lowerName, c.lowerName);
    EXPECT_EQ(call->markers, c.markers);
  }
  // No marker, no CALL, no closing parenthesis: the statement runs as any other.
  for (const char* text : {"call p(1, 2)", "call p()", "select ? from t", "call p(?", "call (?)"})
    EXPECT_FALSE(ReadCallStatement(text)) << text;
}

}  // namespace
}  // namespace zuno

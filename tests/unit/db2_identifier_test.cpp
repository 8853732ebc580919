#include "db/db2_identifier.h"

#include <gtest/gtest.h>

namespace zuno {
namespace {

// The one rule both the statements built from a row and the completion use.
TEST(Db2IdentifierTest, OnlyWhatDb2ReadsBackAsTheSameNameStandsBare) {
  struct {
    const char* fault;
    const char* name;
    const char* written;
  } cases[] = {
      {"upper-case name changed", "ORDERS", "ORDERS"},
      {"name with _ $ # @ and digits changed", "A_1$#@", "A_1$#@"},
      {"empty name (no drill-down yet) quoted", "", ""},
      {"lower-case name left bare: Db2 folds it to ID", "id", "\"id\""},
      {"mixed-case name left bare", "Mixed", "\"Mixed\""},
      {"reserved word left bare", "SELECT", "\"SELECT\""},
      {"reserved word ORDER left bare", "ORDER", "\"ORDER\""},
      {"a name only starting like a reserved word quoted", "ORDER_VIEW", "ORDER_VIEW"},
      {"condition in a name left as SQL", "1=1 OR ID", "\"1=1 OR ID\""},
      {"name starting with a digit left bare", "1ST", "\"1ST\""},
      {"name starting with _ left bare", "_X", "\"_X\""},
      {"blank in a name left bare", "MY COL", "\"MY COL\""},
      {"double quote in a name not doubled", "SAY\"HI", "\"SAY\"\"HI\""},
      {"expression label left bare", "?column?", "\"?column?\""},
      {"point in a name left bare", "A.B", "\"A.B\""},
      {"non-ASCII name left bare", "GR\xC3\x9CSSE", "\"GR\xC3\x9CSSE\""},
  };
  for (const auto& c : cases) EXPECT_EQ(Db2Name(c.name), c.written) << c.fault;
}

}  // namespace
}  // namespace zuno

#include "tools/command_substitution.h"

#include <gtest/gtest.h>

namespace zuno {
namespace {

TEST(SubstituteConnectionMarkersTest, ReplacesInOrderDsnUserPassword) {
  struct {
    const char* name;
    const char* text;
    const char* dsn;
    const char* user;
    const char* password;
    const char* result;
  } cases[] = {
      {"AllThreeMarkers", "connect to &dsn user &usr using &pwd;", "SAMPLE", "db2inst1", "secret",
       "connect to SAMPLE user db2inst1 using secret;"},
      {"EveryOccurrence", "&dsn,&dsn &usr&usr", "S", "U", "", "S,S UU"},
      {"CaseSensitive", "&DSN &Usr &PWD", "S", "U", "P", "&DSN &Usr &PWD"},
      {"NoWordBoundaries", "x&dsny", "S", "U", "P", "xSy"},
      {"EmptyValueRemovesMarker", "[&dsn][&usr][&pwd]", "", "", "", "[][][]"},
      {"NoMarkersUnchanged", "list tables for all", "S", "U", "P", "list tables for all"},
      {"AmpersandBeforeMarker", "&&dsn &ds&dsn", "S", "U", "P", "&S &dsS"},
      {"EmptyText", "", "S", "U", "P", ""},
      // The later passes see what the earlier ones put in.
      {"DsnHoldingUserMarkerGetsUser", "&dsn", "A&usrB", "U", "P", "AUB"},
      {"UserHoldingPasswordMarkerGetsPassword", "&usr", "S", "a&pwd", "P", "aP"},
      {"PasswordHoldingDsnMarkerStays", "&pwd", "S", "U", "p&dsn", "p&dsn"},
      // A value is never searched for its own marker again.
      {"ValueHoldingOwnMarker", "&dsn.&dsn", "&dsn", "U", "P", "&dsn.&dsn"},
      {"MarkerSplitByReplacement", "&ds&dsnn", "", "U", "P", "&dsn"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(SubstituteConnectionMarkers(c.text, c.dsn, c.user, c.password), c.result) << c.name;
}

}  // namespace
}  // namespace zuno

#include "query/comment_removal.h"

#include <gtest/gtest.h>

namespace zuno {
namespace {

TEST(CommentRemovalTest, CutsEachCommentToItsLineEnd) {
  struct {
    const char* fault;
    const char* text;
    const char* kept;
  } cases[] = {
      {"first line comment with LF eats the statement", "-- all rows\nselect * from t",
       "select * from t"},
      {"first line comment with CR LF keeps its line end", "-- all rows\r\nselect * from t",
       "select * from t"},
      {"first line comment with lone CR cuts the next line's first letter",
       "-- all rows\rselect * from t", "select * from t"},
      {"several comment lines at the start leave empty lines", "--a\n--b\r\nselect 1",
       "select 1"},
      {"middle comment with LF cuts the rest of the statement", "select a --the key\nfrom t",
       "select a \nfrom t"},
      {"middle comment with CR LF loses its line end", "select a --x\r\nfrom t",
       "select a \r\nfrom t"},
      {"middle comment with CR loses its line end", "select a --x\rfrom t", "select a \rfrom t"},
      {"comment ending the text stays", "select 1 from t -- done", "select 1 from t "},
      {"comment line ending the text stays", "select 1\n-- done\n", "select 1\n\n"},
      {"indented comment line counts as the start", "  --x\nselect 1", "  \nselect 1"},
      {"two comments in one statement", "select a, --x\nb --y\nfrom t",
       "select a, \nb \nfrom t"},
      {"dashes inside quotes are cut", "select '--x' from t", "select '--x' from t"},
      {"apostrophe in a comment flips the quote", "select 1 -- don't\nfrom t --x\n",
       "select 1 \nfrom t \n"},
      {"a single dash is taken for a comment", "select 5-3 from t", "select 5-3 from t"},
      {"text that is only a comment remains", "-- nothing", ""},
      {"non-ASCII in a comment is half removed", "select 1 --ärger\nfrom t",
       "select 1 \nfrom t"},
  };
  for (const auto& c : cases) EXPECT_EQ(RemoveComments(c.text), c.kept) << c.fault;
}

TEST(CommentRemovalTest, CarriageReturnsBecomeSpacesAndLineFeedsStay) {
  EXPECT_EQ(FlattenCarriageReturns("select a\r\nfrom t\rwhere x\n"),
            "select a \nfrom t where x\n");
}

}  // namespace
}  // namespace zuno

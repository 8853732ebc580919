#include "app/editor_state_file.h"

#include <gtest/gtest.h>

namespace zuno {
namespace {

// A state kept before the window's place was is read without it (the window
// opens as at first); a place comes back as kept, and a damaged one makes
// no state, as any damage does.
TEST(EditorStateFileTest, TheWindowsPlaceComesBackAndAFileWithoutItIsStillRead) {
  std::optional<EditorState> first = DecodeEditorState("ZUNO editor state 1\n3\nabc\n1\n1\n1\n1\n8\nselect 1\n");
  ASSERT_TRUE(first);
  EXPECT_EQ(first->history, std::vector<std::string>{"select 1"});
  EXPECT_FALSE(first->window);

  EditorState kept{"abc", 1, {"select 1"}, MainWindowPlace{1200, 800, true, 140, 300}};
  const std::string bytes = EncodeEditorState(kept);
  EXPECT_EQ(DecodeEditorState(bytes), kept);
  for (const char* place : {"4\n1200\n3\n800\n", "4\n1200\n3\n800\n1\n2\n2\n85\n2\n90\n"}) {  // cut; maximised 2
    SCOPED_TRACE(place);
    EXPECT_FALSE(DecodeEditorState(bytes.substr(0, bytes.find("4\n1200")) + place));
  }
}

}  // namespace
}  // namespace zuno

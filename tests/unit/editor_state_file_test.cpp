#include "app/editor_state_file.h"

#include <gtest/gtest.h>

namespace zuno {
namespace {

// A state of the first form, which ZUNO kept before it kept the window's
// place: the text of three characters, cursor 1, one statement.
constexpr std::string_view kFirstForm = "ZUNO editor state 1\n3\nabc\n1\n1\n1\n1\n8\nselect 1\n";

TEST(EditorStateFileTest, AStateOfTheFirstFormIsReadWithoutTheWindowsPlace) {
  std::optional<EditorState> state = DecodeEditorState(kFirstForm);
  ASSERT_TRUE(state);
  EXPECT_EQ(state->text, "abc");
  EXPECT_EQ(state->history, std::vector<std::string>{"select 1"});
  EXPECT_FALSE(state->window);
  EXPECT_EQ(EncodeEditorState(*state), kFirstForm);
}

TEST(EditorStateFileTest, TheWindowsPlaceComesBackAsKeptAndADamagedOneIsNoState) {
  const EditorState kept{"select 1", 3, {"a"}, MainWindowPlace{1200, 800, true, 140, 300}};
  const std::string bytes = EncodeEditorState(kept);
  EXPECT_EQ(DecodeEditorState(bytes), kept);
  struct {
    const char* what;
    std::string_view place;
  } damaged[] = {
      {"no place", ""},
      {"a place cut short", "4\n1200\n3\n800\n"},
      {"no width", "1\n0\n3\n800\n1\n0\n2\n85\n2\n90\n"},
      {"maximised neither 0 nor 1", "4\n1200\n3\n800\n1\n2\n2\n85\n2\n90\n"},
      {"a size beyond any screen", "7\n9999999\n3\n800\n1\n0\n2\n85\n2\n90\n"},
  };
  const std::string withoutPlace = EncodeEditorState({"select 1", 3, {"a"}, std::nullopt});
  const std::string body = withoutPlace.substr(withoutPlace.find('\n') + 1);
  for (const auto& d : damaged) {
    SCOPED_TRACE(d.what);
    EXPECT_FALSE(DecodeEditorState("ZUNO editor state 2\n" + body + std::string(d.place)));
  }
}

}  // namespace
}  // namespace zuno

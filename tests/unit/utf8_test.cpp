#include "base/utf8.h"

#include <gtest/gtest.h>

#include <string>

namespace zuno {
namespace {

// Each walker's steps through well-formed and broken text: a stray
// continuation byte, a lead without its continuation, a cut-off sequence.
TEST(Utf8Test, StepsOverCharactersAndBrokenBytesAsEachFunctionSays) {
  struct Case {
    std::string text;
    std::size_t at;
    std::size_t next, nextLead, previous;
  };
  const Case cases[] = {
      {"aé日\xF0\x9F\x98\x80", 1, 3, 3, 0},     // é; before it a
      {"aé日\xF0\x9F\x98\x80", 3, 6, 6, 1},     // 日; before it é
      {"aé日\xF0\x9F\x98\x80", 6, 10, 10, 3},   // a four-byte character
      {"a\x80\x80z", 1, 2, 3, 0},               // stray continuations
      {"\xC3z", 0, 1, 1, 0},                    // a lead without its byte
      {"\xE6\x97", 0, 2, 2, 0},                 // cut off by the end
      {"\xF8\x80\x80", 0, 1, 3, 0},             // F8 starts no sequence
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text + " at " + std::to_string(c.at));
    EXPECT_EQ(utf8::NextCharacter(c.text, c.at), c.next);
    EXPECT_EQ(utf8::NextLead(c.text, c.at + 1), c.nextLead);
    EXPECT_EQ(utf8::PreviousCharacter(c.text, c.at), c.previous);
  }
  // A cut inside a character moves to its start; one at a start stays.
  const std::string text = "aé日\xF0\x9F\x98\x80";
  const std::pair<std::size_t, std::size_t> cuts[] = {{0, 0}, {1, 1}, {2, 1}, {4, 3}, {5, 3}, {9, 6}};
  for (const auto& [at, start] : cuts) EXPECT_EQ(utf8::CharacterStart(text, at), start) << at;
}

TEST(Utf8Test, WellFormedLengthRefusesOverlongSurrogatesAndTooLarge) {
  const std::pair<std::string, std::size_t> cases[] = {
      {"é", 2},           {"日", 3},           {"\xF0\x9F\x98\x80", 4},
      {"a", 0},           {"\xC0\xAF", 0},     {"\xE0\x80\xAF", 0},  // over-long
      {"\xED\xA0\x80", 0},      // a surrogate
      {"\xF4\x90\x80\x80", 0},  // above U+10FFFF
      {"\xE6\x97", 0},    {"\xE6\x97z", 0},    {"", 0},
  };
  for (const auto& [text, length] : cases) EXPECT_EQ(utf8::WellFormedLength(text), length) << text;
  EXPECT_EQ(utf8::CharacterCount("aé日\xF0\x9F\x98\x80"), 4u);
  EXPECT_EQ(utf8::CharacterCount("a\x80\x80z"), 2u);
}

}  // namespace
}  // namespace zuno

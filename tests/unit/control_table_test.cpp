#include "windows/control_table.h"

#include <gtest/gtest.h>

#include <set>

namespace zuno {
namespace {

TEST(ControlTableTest, ACaptionMarksItsKeyOnceAndKeepsItsOwnUnderscores) {
  struct {
    std::string_view caption;
    char key;
    std::string marked;
  } cases[] = {
      {"Connect", 'C', "_Connect"},
      {"Exit", 'x', "E_xit"},
      {"Save report as File", 'p', "Save re_port as File"},
      {"Shared", 'a', "Sh_ared"},  // the Store Mode button's other caption keeps the key
      {"Local", 'A', "Loc_al"},    // in either case
      {"my_query", 'q', "my___query"},
      {"Select Column", 'x', "Select Column"},  // no such letter: no key
      {"Run", 0, "Run"},
  };
  for (const auto& c : cases) EXPECT_EQ(MnemonicCaption(c.caption, c.key), c.marked) << c.caption;
  EXPECT_EQ(KeyTooltip({}, 'x'), "Alt+X");
  EXPECT_EQ(KeyTooltip("Run it", 'R'), "Run it (Alt+R)");
}

// Alt and a letter reach one control of the window: two with one key would
// take turns at the focus instead of being pressed.
TEST(ControlTableTest, EveryButtonHasAKeyOfItsOwnInItsWindow) {
  for (WindowId window : {WindowId::Main, WindowId::Library}) {
    std::set<char> keys;
    for (const ControlSpec& c : AllControls()) {
      if (c.window != window || (c.kind != ControlKind::Button && c.key == 0)) continue;
      SCOPED_TRACE(std::string(c.role));
      ASSERT_NE(c.key, 0);
      EXPECT_NE(MnemonicCaption(c.caption, c.key).find('_'), std::string::npos) << "the caption has no such letter";
      EXPECT_TRUE(keys.insert(static_cast<char>(c.key | 0x20)).second) << "the key " << c.key << " is taken";
    }
  }
}

}  // namespace
}  // namespace zuno

#include "windows/control_table.h"

#include <gtest/gtest.h>

#include <set>

namespace zuno {
namespace {

TEST(ControlTableTest, ACaptionMarksItsKeyOnceAndKeepsItsOwnUnderscores) {
  EXPECT_EQ(MnemonicCaption("Save report as File", 'p'), "Save re_port as File");
  EXPECT_EQ(MnemonicCaption("Shared", 'A'), "Sh_ared");  // in either case
  EXPECT_EQ(MnemonicCaption("my_query", 'q'), "my___query");
  EXPECT_EQ(MnemonicCaption("Select Column", 'x'), "Select Column");  // no such letter: no key
}

// Alt and a letter reach one control of the window: two with one key would
// take turns at the focus instead of being pressed. A caption the program
// sets instead (Shared, Select Column) keeps the key.
TEST(ControlTableTest, EveryButtonHasAKeyOfItsOwnInItsWindow) {
  for (WindowId window : {WindowId::Main, WindowId::Library}) {
    std::set<char> keys;
    for (const ControlSpec& c : AllControls()) {
      if (c.window != window || (c.kind != ControlKind::Button && c.key == 0)) continue;
      SCOPED_TRACE(std::string(c.role));
      EXPECT_NE(MnemonicCaption(c.caption, c.key).find('_'), std::string::npos);
      EXPECT_TRUE(keys.insert(static_cast<char>(c.key | 0x20)).second) << "the key " << c.key << " is taken";
    }
  }
  EXPECT_NE(MnemonicCaption("Shared", ControlById(kStoreModeButton).key).find('_'), std::string::npos);
  EXPECT_NE(MnemonicCaption(kSelectColumnCaption, ControlById(kLibraryDeleteButton).key).find('_'), std::string::npos);
}

}  // namespace
}  // namespace zuno

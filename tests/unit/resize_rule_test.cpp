#include "windows/resize_rule.h"

#include <gtest/gtest.h>

#include "windows/control_table.h"

namespace zuno {
namespace {

TEST(ResizeRuleTest, CreationSizeReproducesTheCreationTable) {
  auto layout = MainWindowLayout(kMainWindowSize.w, kMainWindowSize.h);
  for (int c = 0; c < kMainControlCount; ++c)
    EXPECT_EQ(layout[c], ControlById(static_cast<Control>(c)).place) << "control " << c;
}

TEST(ResizeRuleTest, LargerWindowStretchesAndAnchors) {
  const int W = 1000, H = 700;  // 180 wider, 145 higher
  auto layout = MainWindowLayout(W, H);
  struct Expect {
    Control c;
    Rect r;
  } cases[] = {
      {kHistoryList, {15, 10, 810, 85}},          // stretches with the width
      {kSqlEditor, {15, 105, 810, 90}},
      {kResultGrid, {15, 205, 810, 400}},         // and the grid with the height
      {kConnectButton, {840, 105, 145, 25}},      // button column 160 from the right
      {kQueryAutorunCheckBox, {845, 270, 145, 15}},
      {kConnectionStatusText, {245, 615, 175, 25}},  // status block keeps its distance from the bottom
      {kRowsToFetchBox, {735, 645, 90, 25}},
      {kRowsToFetchLabel, {635, 650, 95, 25}},
      {kLogoImage, {15, 615, 218, 76}},
      {kVersionText, {895, 675, 90, 20}},         // bottom-right corner
      {kElapsedTimeText, {840, 650, 145, 20}},
      {kColoredDatatypesCheckBox, {245, 670, 175, 25}},
  };
  for (const Expect& e : cases) EXPECT_EQ(layout[e.c], e.r) << "control " << e.c;
}

TEST(ResizeRuleTest, TinyWindowClampsSizesToOnePixel) {
  auto layout = MainWindowLayout(30, 30);
  for (int c = 0; c < kMainControlCount; ++c) {
    EXPECT_GE(layout[c].w, 1) << "control " << c;
    EXPECT_GE(layout[c].h, 1) << "control " << c;
  }
  EXPECT_EQ(layout[kResultGrid], (Rect{15, 205, 1, 1}));
  EXPECT_EQ(layout[kConnectButton], (Rect{-130, 105, 145, 25}));  // positions are kept as computed
}

}  // namespace
}  // namespace zuno

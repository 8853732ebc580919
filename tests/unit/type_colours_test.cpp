#include "query/type_colours.h"

#include <gtest/gtest.h>

#include <set>

#include "grid/dark_tint.h"

namespace zuno {
namespace {

TEST(TypeColoursTest, EachClassHasItsBackground) {
  struct {
    TypeClass typeClass;
    unsigned r, g, b;
  } cases[] = {
      {TypeClass::Double, 192, 254, 206},   {TypeClass::Float, 255, 205, 205},
      {TypeClass::Quad, 175, 224, 254},     {TypeClass::Long, 253, 250, 204},
      {TypeClass::String, 250, 250, 250},   {TypeClass::Date, 168, 211, 255},
      {TypeClass::Timestamp, 255, 240, 211}, {TypeClass::Time, 217, 255, 218},
      {TypeClass::Blob, 250, 223, 252},     {TypeClass::Clob, 250, 223, 252},
      {TypeClass::Other, 250, 223, 252},    {TypeClass::Unset, 250, 223, 252},
  };
  for (const auto& c : cases) {
    const Rgb colour = TypeClassColour(c.typeClass);
    EXPECT_EQ(colour & 0xFF, c.r) << static_cast<int>(c.typeClass);
    EXPECT_EQ((colour >> 8) & 0xFF, c.g) << static_cast<int>(c.typeClass);
    EXPECT_EQ((colour >> 16) & 0xFF, c.b) << static_cast<int>(c.typeClass);
  }
}

// Drawn on a dark theme, every tint keeps a dark theme's light text readable
// (the WCAG's 4.5 for body text, against the stock dark theme's text and
// white), stays darker than its text, and the classes stay told apart.
TEST(TypeColoursTest, EveryTintHasADarkVariantLightTextReadsOn) {
  const Rgb darkThemeText = MakeRgb(238, 238, 236);
  std::set<Rgb> lights, darks;
  for (TypeClass c : {TypeClass::Unset, TypeClass::Long, TypeClass::Quad, TypeClass::Float, TypeClass::Double,
                      TypeClass::String, TypeClass::Blob, TypeClass::Clob, TypeClass::Date, TypeClass::Time,
                      TypeClass::Timestamp, TypeClass::Other}) {
    const Rgb light = TypeClassColour(c), dark = DarkTint(light);
    SCOPED_TRACE(static_cast<int>(c));
    EXPECT_GE(ContrastRatio(dark, darkThemeText), 4.5);
    EXPECT_GE(ContrastRatio(dark, MakeRgb(255, 255, 255)), 4.5);
    EXPECT_LT(ContrastRatio(light, darkThemeText), 1.5) << "the light tint itself would do";
    lights.insert(light);
    darks.insert(dark);
  }
  EXPECT_EQ(darks.size(), lights.size());
  EXPECT_TRUE(IsLightText(238 / 255.0, 238 / 255.0, 236 / 255.0));
  EXPECT_FALSE(IsLightText(46 / 255.0, 52 / 255.0, 54 / 255.0));  // the stock light theme's text
}

}  // namespace
}  // namespace zuno

#include "query/type_colours.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace zuno

#include "query/type_colours.h"

namespace zuno {

Rgb TypeClassColour(TypeClass typeClass) {
  switch (typeClass) {
    case TypeClass::Double: return MakeRgb(192, 254, 206);
    case TypeClass::Float: return MakeRgb(255, 205, 205);
    case TypeClass::Quad: return MakeRgb(175, 224, 254);
    case TypeClass::Long: return MakeRgb(253, 250, 204);
    case TypeClass::String: return MakeRgb(250, 250, 250);
    case TypeClass::Date: return MakeRgb(168, 211, 255);
    case TypeClass::Timestamp: return MakeRgb(255, 240, 211);
    case TypeClass::Time: return MakeRgb(217, 255, 218);
    case TypeClass::Unset:
    case TypeClass::Blob:
    case TypeClass::Clob:
    case TypeClass::Other: break;
  }
  return MakeRgb(250, 223, 252);
}

}  // namespace zuno

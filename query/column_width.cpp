#include "query/column_width.h"

#include <algorithm>
#include <limits>

#include "base/utf8.h"

namespace zuno {
namespace {

constexpr int kNarrowest = 10;
constexpr int kWidest = 20;
constexpr int kPixelsPerCharacter = 10;

}  // namespace

int ColumnWidthChars(std::string_view title, int columnSize) {
  // A title too long for int pixels would be no use on screen anyway.
  constexpr std::size_t kLongestTitle = std::numeric_limits<int>::max() / kPixelsPerCharacter;
  const int titleLength = static_cast<int>(std::min(utf8::CharacterCount(title), kLongestTitle));
  if (columnSize < titleLength) return titleLength;
  return std::clamp(columnSize, kNarrowest, kWidest);
}

int ColumnWidthPixels(std::string_view title, int columnSize) {
  return kPixelsPerCharacter * ColumnWidthChars(title, columnSize);
}

}  // namespace zuno

#include "tools/column_autosize.h"

#include <algorithm>
#include <limits>

#include "base/utf8.h"

namespace zuno {
namespace {

constexpr std::size_t kMinimumCharacters = 20;
constexpr std::size_t kPixelsPerCharacter = 11;

int WidthFor(std::size_t longest) {
  if (longest == 0) return 0;
  // A cell of hundreds of megabytes would overflow the widget's int width.
  constexpr auto kWidest = static_cast<std::size_t>(std::numeric_limits<int>::max());
  const std::size_t characters =
      std::min(std::max(longest, kMinimumCharacters), kWidest / kPixelsPerCharacter);
  return static_cast<int>(characters * kPixelsPerCharacter);
}

}  // namespace

std::vector<int> AutosizedColumnWidths(const ResultRows& rows, std::size_t columnCount) {
  std::vector<std::size_t> longest(columnCount, 0);
  for (std::size_t row = 0; row < rows.RowCount(); ++row)
    for (std::size_t column = 0; column < columnCount; ++column)
      longest[column] = std::max(longest[column], utf8::CharacterCount(rows.Cell(row, column)));
  std::vector<int> widths;
  widths.reserve(columnCount);
  for (std::size_t characters : longest) widths.push_back(WidthFor(characters));
  return widths;
}

}  // namespace zuno

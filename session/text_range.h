// A stretch of the SQL editor's text.
#pragma once

#include <cstddef>

namespace zuno {

struct TextRange {
  std::size_t begin = 0;  // byte offsets into the editor's text, end excluded
  std::size_t end = 0;
  bool operator==(const TextRange&) const = default;
};

}  // namespace zuno

// Ctrl+/ in the SQL editor: whole lines commented out with "--" or back in.
#pragma once

#include <string>
#include <string_view>

namespace zuno {

// lines: whole lines, each ended by LF, CR LF or a lone CR as the editor's
// text has them, and kept so. When every line that holds more
// than blanks begins (after its indentation) with "--", each loses that
// "--" and one blank after it; otherwise each such line gets "-- " before
// it. Blank lines stay as they are.
std::string ToggleLineComments(std::string_view lines);

}  // namespace zuno

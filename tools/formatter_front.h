// Which formatter Format SQL runs. ZUNO calls it as "sqlformat -f IN -g OUT",
// which Debian's own sqlformat does not understand: ZUNO's front for that
// call lies beside the program, in bin/ under the program's directory (the
// build tree, and the package's private folder), and only where it is
// missing is "sqlformat" looked up on PATH.
#pragma once

#include <string>
#include <string_view>

namespace zuno {

// programDirectory/bin/sqlformat when it may be started, else "sqlformat".
std::string FormatterProgram(std::string_view programDirectory);

// The directory of the running program's file; empty when it cannot be read.
std::string ProgramDirectory();

}  // namespace zuno

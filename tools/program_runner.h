// The one way ZUNO starts other programs: the editor, the formatter, the Db2
// command line processor, a text file or report handed to the desktop.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zuno {

// Words of a parameter string beyond this are dropped.
constexpr std::size_t kMaxProgramWords = 511;

// A file may be started when its status can be read, it is not a directory,
// it is not empty and the process may execute it.
bool IsExecutableFile(const std::string& path);

// The file that would be started for name. A name with a "/" that names an
// executable file is used as it is; any other name beginning with "/" or "./"
// finds nothing; everything else is looked up in the directories of
// pathVariable (the value of PATH, nullptr when unset) that begin with "/":
// an empty or relative entry would search the working directory, where
// anyone may have left a program.
std::optional<std::string> FindProgram(std::string_view name, const char* pathVariable);

// The words of a parameter string: separated by runs of blanks, tabs and line
// feeds; a word that begins with a double quote runs to the next double quote
// (or to the end) and may hold blanks. A quote inside an unquoted word is an
// ordinary character; there is no escape character. At most kMaxProgramWords.
std::vector<std::string> SplitArguments(std::string_view parameters);

// The argument list handed to the program: its name as passed, then the words.
std::vector<std::string> ProgramArguments(std::string_view program, std::string_view parameters);

// How a program run ended: with exit status 0; with another status or by a
// signal; not found on PATH; found but not started (no process could be
// made, or the file could not be executed).
enum class ProgramEnd { kSucceeded, kFailed, kNotFound, kNotStarted };

// Starts the file FindProgram finds for program on the process's PATH, and
// no other, with the words of parameters, in the working directory, and
// returns once it has ended. The program sees its name as passed as its
// first argument.
ProgramEnd RunProgram(const std::string& program, std::string_view parameters);

// What the user is told of a run that did not succeed, naming the program;
// empty for kSucceeded.
std::string ProgramEndText(std::string_view program, ProgramEnd end);

}  // namespace zuno

// The editor's text made into one statement: "--" comments out, carriage
// returns flattened.
#pragma once

#include <string>
#include <string_view>

namespace zuno {

// Removes every "--" comment outside strings, delimited names and /* */
// comments, from its "--" to the end of its line (a line feed, a carriage
// return or the end of the text).
// The line end stays, except for comment lines at the very start of the
// text: they go with their line end (CR LF, LF or a lone CR), so a statement
// that begins with comment lines keeps no empty lines in front.
std::string RemoveComments(std::string_view text);

// Every carriage return becomes a space; line feeds stay.
std::string FlattenCarriageReturns(std::string text);

}  // namespace zuno

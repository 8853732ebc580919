// The editor's text made into one statement: "--" comments out, carriage
// returns flattened.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

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

// A run of the editor's text that its statement keeps: bytes [begin, end)
// of the editor's text, standing at offset `at` of the statement.
struct KeptPiece {
  std::size_t begin = 0;
  std::size_t end = 0;
  std::size_t at = 0;
};

// The editor's text made into the statement a run asks its variables in
// (comments removed, carriage returns flattened), with where each of its
// pieces stood, so that a place in the statement is found in the editor.
struct StatementText {
  std::string text;
  std::vector<KeptPiece> pieces;
  // The editor's offset of byte at of text; at may be text's size.
  std::size_t EditorOffset(std::size_t at) const;
};
StatementText PrepareStatementText(std::string_view editorText);

}  // namespace zuno

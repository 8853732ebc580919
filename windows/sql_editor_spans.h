// Where the SQL editor colours its text by the program's own rules rather
// than by the language definition's: the variables a run asks for, and the
// names that stand beside a dot.
#pragma once

#include <string_view>
#include <vector>

#include "query/variable_scan.h"

namespace zuno {

// The variables that running the editor's text asks a value for, at their
// places in that text: its statement is made as the run makes it (comments
// out, carriage returns flattened) and scanned by the run's own scanner.
std::vector<TextSpan> VariableSpans(std::string_view editorText);

// The unquoted names written right before or after a dot (PUBLIC in
// PUBLIC.TYPES, DATE in T.DATE), outside strings and comments: they name a
// schema, table or column however much they look like keywords. Numbers
// (1.5) are none.
std::vector<TextSpan> QualifiedNameSpans(std::string_view editorText);

}  // namespace zuno

// The background a column is tinted with by its Type Class when "Colored
// Datatypes" is checked.
#pragma once

#include "db/type_class.h"
#include "grid/result_grid.h"

namespace zuno {

// Blob, Clob, Other and a column without a class share one colour.
Rgb TypeClassColour(TypeClass typeClass);

}  // namespace zuno

#pragma once

#include <string>

#include "session/ui.h"

namespace zuno {

// A statement that ran successfully joins the Statement History list once;
// an empty text never does.
void RememberStatement(Ui& ui, const std::string& statement);

}  // namespace zuno

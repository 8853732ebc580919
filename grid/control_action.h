// What a user did to a control: the clicks a list or the grid reports, and a
// change of a field's text.
#pragma once

namespace zuno {

enum class Action { LeftClick, LeftDoubleClick, RightClick, RightDoubleClick, Change };

}  // namespace zuno

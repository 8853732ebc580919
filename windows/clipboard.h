// The desktop's clipboard.
#pragma once

#include <string_view>

namespace zuno {

void PutOnClipboard(std::string_view text);

// At the end of the program: hands the clipboard's text to the desktop's
// clipboard manager, where the desktop keeps one.
void HandClipboardToDesktop();

}  // namespace zuno

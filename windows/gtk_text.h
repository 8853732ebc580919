// Texts handed to GTK: texts from files or the database may hold invalid
// UTF-8, which GTK refuses.
#pragma once

#include <string>
#include <string_view>

namespace zuno {

std::string ValidUtf8(std::string_view text);

}  // namespace zuno

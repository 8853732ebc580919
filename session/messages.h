// Texts the user is shown by handlers of more than one folder.
#pragma once

namespace zuno {

// What the user is told when a file the program writes cannot be created.
constexpr const char* kCannotCreateFile = "Erro create the file!";

}  // namespace zuno

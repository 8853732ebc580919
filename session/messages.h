// Texts the user is shown by handlers of more than one folder.
#pragma once

namespace zuno {

// What the user is told when a file the program writes cannot be created.
constexpr const char* kCannotCreateFile = "Erro create the file!";
// Put after the name of a file handed to another program that did not come back.
constexpr const char* kNotReadBack = " was not read back; the text stays as it was.";

}  // namespace zuno

// The statement that makes a view, routine or trigger again from the text
// the catalog keeps of it.
#pragma once

#include <string>
#include <string_view>

#include "db/database_flavour.h"

namespace zuno {

// Whether Db2 of the flavour takes CREATE OR REPLACE for the object type
// (VIEW, PROCEDURE, FUNCTION, TRIGGER): LUW for all four, zOS for native
// SQL procedures and triggers only.
bool TakesCreateOrReplace(DatabaseFlavour flavour, std::string_view type);

// The text with its leading CREATE made CREATE OR REPLACE where the flavour
// takes it for the type; as it stands where it says OR REPLACE already,
// does not begin with CREATE, or the flavour would refuse it.
std::string RecreatingStatement(std::string_view text, DatabaseFlavour flavour, std::string_view type);

}  // namespace zuno

// The markers of a Db2 command text that stand for the values of the last Connect.
#pragma once

#include <string>
#include <string_view>

namespace zuno {

// Replaces every "&dsn" by dsn, then every "&usr" by user, then every "&pwd" by
// password: case-sensitive, no word boundaries, an empty value removes the
// marker. Each pass sees the result of the one before it, so a data source
// name holding "&usr" gets the user there too; a value never has its own
// marker replaced again.
std::string SubstituteConnectionMarkers(std::string_view text, std::string_view dsn,
                                        std::string_view user, std::string_view password);

}  // namespace zuno

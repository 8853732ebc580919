// The text a failed database call leaves for the user: the driver's own
// message, or a fallback where it gave none, always with the SQLSTATE, and a
// word on what to do when the connection is gone.
#pragma once

#include <string>
#include <string_view>

namespace zuno {

// Put after the text of a failure that lost the connection.
inline constexpr std::string_view kConnectionGone =
    "The connection to the database is gone: click Connect to connect again.";

struct DriverFailure {
  std::string text;
  bool connectionGone = false;  // SQLSTATE class 08, or the driver says it lost the connection
};

// message and sqlState as the driver's first diagnostic record holds them
// (either may be empty); fallback says what failed where the driver said
// nothing.
DriverFailure DescribeDriverFailure(std::string message, std::string_view sqlState, std::string_view fallback);

}  // namespace zuno

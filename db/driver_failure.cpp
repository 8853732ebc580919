#include "db/driver_failure.h"

#include <algorithm>

#include "sql/sql_characters.h"

namespace zuno {
namespace {

constexpr std::string_view kLostWords[] = {"connection lost", "connection has been lost", "lost connection",
                                          "connection dead", "connection is dead"};

bool ContainsIgnoringCase(std::string_view text, std::string_view part) {
  return std::search(text.begin(), text.end(), part.begin(), part.end(),
                     [](char a, char b) { return AsciiLower(a) == AsciiLower(b); }) != text.end();
}

}  // namespace

DriverFailure DescribeDriverFailure(std::string message, std::string_view sqlState, std::string_view fallback) {
  DriverFailure f;
  // Class 08 is the connection's own; a driver that only says so in its
  // words has lost it as well (PostgreSQL's says "The connection has been
  // lost" with the server's SQLSTATE of a shutdown, 57P01).
  f.connectionGone = sqlState.starts_with("08") ||
                     std::ranges::any_of(kLostWords, [&](std::string_view w) { return ContainsIgnoringCase(message, w); });
  f.text = message.empty() ? std::string(fallback) : std::move(message);
  // Db2's texts end with their SQLSTATE; every other driver's gets it too,
  // so that any failure can be looked up.
  if (!sqlState.empty() && !ContainsIgnoringCase(f.text, "SQLSTATE")) {
    while (!f.text.empty() && (f.text.back() == ' ' || f.text.back() == '\n')) f.text.pop_back();
    if (!f.text.empty()) f.text += ' ';
    f.text += "SQLSTATE=";
    f.text += sqlState;
  }
  if (f.connectionGone && f.text.find(kConnectionGone) == std::string::npos) {
    f.text += '\n';
    f.text += kConnectionGone;
  }
  return f;
}

}  // namespace zuno

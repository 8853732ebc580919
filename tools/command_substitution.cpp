#include "tools/command_substitution.h"

namespace zuno {
namespace {

std::string ReplaceAll(std::string_view text, std::string_view marker, std::string_view value) {
  std::string out;
  out.reserve(text.size());
  size_t from = 0;
  for (size_t at = text.find(marker); at != std::string_view::npos; at = text.find(marker, from)) {
    out.append(text.substr(from, at - from));
    out.append(value);
    from = at + marker.size();
  }
  out.append(text.substr(from));
  return out;
}

}  // namespace

std::string SubstituteConnectionMarkers(std::string_view text, std::string_view dsn,
                                        std::string_view user, std::string_view password) {
  std::string out = ReplaceAll(text, "&dsn", dsn);
  out = ReplaceAll(out, "&usr", user);
  return ReplaceAll(out, "&pwd", password);
}

}  // namespace zuno

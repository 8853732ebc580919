#include "windows/gtk_text.h"

#include <glib.h>

#include "base/gobject_ptr.h"

namespace zuno {

std::string ValidUtf8(std::string_view text) {
  if (g_utf8_validate(text.data(), static_cast<gssize>(text.size()), nullptr)) return std::string(text);
  GCharPtr valid(g_utf8_make_valid(text.data(), static_cast<gssize>(text.size())));
  return valid.get();
}

}  // namespace zuno

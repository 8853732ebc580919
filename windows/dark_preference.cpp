#include "windows/dark_preference.h"

#include <gtk/gtk.h>

#include <cstring>

namespace zuno {
namespace {

constexpr const char* kInterface = "org.gnome.desktop.interface";
constexpr const char* kColorScheme = "color-scheme";

// Whether the dark preference is the colour scheme's doing: a preference the
// user set elsewhere is left as it is when the scheme is not dark.
bool setHere = false;

void Apply(GSettings* desktop) {
  gchar* scheme = g_settings_get_string(desktop, kColorScheme);
  const bool dark = scheme && std::strcmp(scheme, "prefer-dark") == 0;
  g_free(scheme);
  if (!dark && !setHere) return;
  g_object_set(gtk_settings_get_default(), "gtk-application-prefer-dark-theme", dark, nullptr);
  setHere = dark;
}

}  // namespace

void FollowDesktopDarkPreference() {
  GSettingsSchemaSource* source = g_settings_schema_source_get_default();
  GSettingsSchema* schema = source ? g_settings_schema_source_lookup(source, kInterface, TRUE) : nullptr;
  const bool known = schema && g_settings_schema_has_key(schema, kColorScheme);
  if (schema) g_settings_schema_unref(schema);
  if (!known) return;  // no GNOME settings, or ones older than the scheme
  GSettings* desktop = g_settings_new(kInterface);  // kept for the program's life: it reports changes
  g_signal_connect(desktop, "changed::color-scheme", G_CALLBACK(Apply), nullptr);
  Apply(desktop);
}

}  // namespace zuno
